#include "geometry/ui/size_dialog.h"

#include <QLabel>

#include <cmath>

namespace tavlo {

namespace {

constexpr QRect kGroup1{8, 8, 200, 60};
constexpr QRect kGroup2{8, 76, 200, 100};
constexpr QRect kGroup3{8, 184, 200, 130};
constexpr QRect kAll{8, 8, 200, 306};
constexpr float kIntLimit = 2147483648.0f; // 2^31

QLineEdit* labelled(QGroupBox* group, const char* name, const QString& label, int y,
                    bool readOnly) {
    auto* caption = new QLabel(label, group);
    caption->setGeometry(10, y + 3, 50, 18);
    return field(group, name, {64, y, 120, 22}, readOnly);
}

} // namespace

SizeDialog::SizeDialog(const tavlo::Document& document, tavlo::ImageSize& target,
                       tavlo::CommandChannel& channel, DialogService& dialogs, QWidget* parent)
    : QWidget(parent, kToolWindow), document_(document),
      target_(target), sender_{channel, counter_, tavlo::CommandEdit::Size}, dialogs_(dialogs) {
    setObjectName(QStringLiteral("Form4"));
    GroupBox1 = new QGroupBox(QStringLiteral("任意サイズ指定"), this);
    GroupBox1->setGeometry(kGroup1);
    Button1 = button(GroupBox1, "Button1", QStringLiteral("実行"), {16, 22, 76, 28});
    Button2 = button(GroupBox1, "Button2", QStringLiteral("戻る"), {108, 22, 76, 28});
    GroupBox2 = new QGroupBox(QStringLiteral("元画像"), this);
    GroupBox2->setGeometry(kGroup2);
    Edit1 = labelled(GroupBox2, "Edit1", QStringLiteral("W"), 20, true);
    Edit2 = labelled(GroupBox2, "Edit2", QStringLiteral("H"), 46, true);
    Edit5 = labelled(GroupBox2, "Edit5", QStringLiteral("W/H"), 72, true);
    GroupBox3 = new QGroupBox(QStringLiteral("変更指定"), this);
    GroupBox3->setGeometry(kGroup3);
    CheckBox2 = new QCheckBox(QStringLiteral("縦横比固定"), GroupBox3);
    CheckBox2->setObjectName(QStringLiteral("CheckBox2"));
    CheckBox2->setGeometry(10, 20, 150, 20);
    CheckBox2->setChecked(true);
    Edit3 = labelled(GroupBox3, "Edit3", QStringLiteral("W"), 46, false);
    Edit4 = labelled(GroupBox3, "Edit4", QStringLiteral("H"), 72, false);
    Edit6 = labelled(GroupBox3, "Edit6", QStringLiteral("W/H＝"), 98, true);
    Edit3->setText(QStringLiteral("0"));
    Edit4->setText(QStringLiteral("0"));
    acceptedWidth_ = Edit3->text();

    connect(Edit3, &QLineEdit::textChanged, this, &SizeDialog::onWidthEdited);
    connect(Edit4, &QLineEdit::textChanged, this, &SizeDialog::onHeightEdited);
    connect(CheckBox2, &QCheckBox::toggled, this, &SizeDialog::onFollowAspectClicked);
    connect(Button1, &QPushButton::clicked, this, &SizeDialog::onRun);
    connect(Button2, &QPushButton::clicked, this, [this] {
        sender_.cancel();
        hide();
    });

    placeTopRight(this, {kAll.right() + 1 + 24, kAll.bottom() + 1 + 24}, 30, 24);
    onFollowAspectClicked();
}

void SizeDialog::prepare() {
    Edit1->setText(QString::number(document_.loadedWidth));
    Edit2->setText(QString::number(document_.loadedHeight));
    Edit5->setText(ratioText(document_.viewAspect));
    setWindowTitle(fileNameOf(document_.sourcePath));
    Button1->setEnabled(false);
}

std::optional<int> SizeDialog::readField(const QLineEdit* edit) {
    bool ok = false;
    const int value = (QStringLiteral("0") + edit->text()).toInt(&ok, 10);
    if (!ok) return std::nullopt;
    return value;
}

QString SizeDialog::ratioText(float ratio) {
    return formatted("%.6n", {static_cast<long double>(ratio)});
}

void SizeDialog::onFollowAspectClicked() {
    Edit4->setReadOnly(CheckBox2->isChecked());
}

// A field that does not read as a number is left alone while typing; "実行" reports it. A width
// whose locked height would not fit an integer is refused and the field goes back to its text
// before the edit.
void SizeDialog::onWidthEdited() {
    const std::optional<int> w = readField(Edit3);
    const float quotient =
        w ? static_cast<float>(static_cast<long double>(*w) / document_.imageAspect) : 0.0f;
    if (w && *w >= 1 && CheckBox2->isChecked() && !(std::fabs(quotient) < kIntLimit)) {
        dialogs_.message(this, QStringLiteral("縦横比を固定すると高さが大き過ぎるため、"
                                              "この幅は指定できません。"));
        Edit3->setText(acceptedWidth_);
        return;
    }
    acceptedWidth_ = Edit3->text();
    if (!w || *w < 1) return;
    if (Edit3->text() != QString::number(*w)) Edit3->setText(QString::number(*w));
    int h = 0;
    if (CheckBox2->isChecked()) {
        h = static_cast<int>(std::trunc(quotient));
        Edit4->setText(QString::number(h));
        Edit6->setText(ratioText(document_.imageAspect));
    } else {
        h = readField(Edit4).value_or(0);
        Edit6->setText(h < 2 ? QStringLiteral("-")
                             : ratioText(static_cast<float>(static_cast<long double>(*w) / h)));
    }
    Button1->setEnabled(*w >= 1 && h >= 1);
}

void SizeDialog::onHeightEdited() {
    const std::optional<int> w = readField(Edit3);
    const std::optional<int> h = readField(Edit4);
    if (!w || !h || *w <= 0 || *h <= 0) return;
    Edit6->setText(ratioText(static_cast<float>(static_cast<long double>(*w) / *h)));
    Button1->setEnabled(true);
}

void SizeDialog::onRun() {
    const std::optional<int> w = readField(Edit3);
    const std::optional<int> h = readField(Edit4);
    if (!w || !h) {
        const QLineEdit* bad = w ? Edit4 : Edit3;
        dialogs_.reportError(this,
                             QStringLiteral("'0%1' is not a valid integer value").arg(bad->text()));
        return;
    }
    counter_.next();
    target_ = {*w, *h};
    sender_.channel.write(sender_.edit, std::to_string(counter_.value()));
}

} // namespace tavlo
