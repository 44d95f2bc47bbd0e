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

SizeDialog::SizeDialog(const tavlo::Document& document, DialogService& dialogs, QWidget* parent)
    : QWidget(parent, kToolWindow), document_(document), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Form4"));
    auto* runGroup = new QGroupBox(QStringLiteral("任意サイズ指定"), this);
    runGroup->setGeometry(kGroup1);
    runButton_ = button(runGroup, "Button1", QStringLiteral("実行"), {16, 22, 76, 28});
    backButton_ = button(runGroup, "Button2", QStringLiteral("戻る"), {108, 22, 76, 28});
    auto* sourceGroup = new QGroupBox(QStringLiteral("元画像"), this);
    sourceGroup->setGeometry(kGroup2);
    sourceWidthBox_ = labelled(sourceGroup, "Edit1", QStringLiteral("W"), 20, true);
    sourceHeightBox_ = labelled(sourceGroup, "Edit2", QStringLiteral("H"), 46, true);
    sourceRatioBox_ = labelled(sourceGroup, "Edit5", QStringLiteral("W/H"), 72, true);
    auto* targetGroup = new QGroupBox(QStringLiteral("変更指定"), this);
    targetGroup->setGeometry(kGroup3);
    keepAspectBox_ = new QCheckBox(QStringLiteral("縦横比固定"), targetGroup);
    keepAspectBox_->setObjectName(QStringLiteral("CheckBox2"));
    keepAspectBox_->setGeometry(10, 20, 150, 20);
    keepAspectBox_->setChecked(true);
    widthField_ = labelled(targetGroup, "Edit3", QStringLiteral("W"), 46, false);
    heightField_ = labelled(targetGroup, "Edit4", QStringLiteral("H"), 72, false);
    ratioBox_ = labelled(targetGroup, "Edit6", QStringLiteral("W/H＝"), 98, true);
    widthField_->setText(QStringLiteral("0"));
    heightField_->setText(QStringLiteral("0"));
    acceptedWidth_ = widthField_->text();

    connect(widthField_, &QLineEdit::textChanged, this, &SizeDialog::onWidthEdited);
    connect(heightField_, &QLineEdit::textChanged, this, &SizeDialog::onHeightEdited);
    connect(keepAspectBox_, &QCheckBox::toggled, this, &SizeDialog::onFollowAspectClicked);
    connectRunAndBack(this, runButton_, backButton_, AfterRun::Stay, [this] { onRun(); });

    placeTopRight(this, {kAll.right() + 1 + 24, kAll.bottom() + 1 + 24}, 30, 24);
    onFollowAspectClicked();
}

void SizeDialog::prepare() {
    followImage();
    runButton_->setEnabled(false);
}

void SizeDialog::followImage() {
    sourceWidthBox_->setText(QString::number(document_.loadedWidth));
    sourceHeightBox_->setText(QString::number(document_.loadedHeight));
    sourceRatioBox_->setText(ratioText(document_.viewAspect));
    setWindowTitle(fileNameOf(document_.sourcePath));
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
    heightField_->setReadOnly(keepAspectBox_->isChecked());
}

// A field that does not read as a number is left alone while typing; "実行" reports it. A width
// whose locked height would not fit an integer is refused and the field goes back to its text
// before the edit.
void SizeDialog::onWidthEdited() {
    const std::optional<int> w = readField(widthField_);
    const float quotient =
        w ? static_cast<float>(static_cast<long double>(*w) / document_.imageAspect) : 0.0f;
    if (w && *w >= 1 && keepAspectBox_->isChecked() && !(std::fabs(quotient) < kIntLimit)) {
        dialogs_.message(this, QStringLiteral("縦横比を固定すると高さが大き過ぎるため、"
                                              "この幅は指定できません。"));
        widthField_->setText(acceptedWidth_);
        return;
    }
    acceptedWidth_ = widthField_->text();
    if (!w || *w < 1) return;
    if (widthField_->text() != QString::number(*w)) widthField_->setText(QString::number(*w));
    int h = 0;
    if (keepAspectBox_->isChecked()) {
        h = static_cast<int>(std::trunc(quotient));
        heightField_->setText(QString::number(h));
        ratioBox_->setText(ratioText(document_.imageAspect));
    } else {
        h = readField(heightField_).value_or(0);
        ratioBox_->setText(h < 2 ? QStringLiteral("-")
                                 : ratioText(static_cast<float>(static_cast<long double>(*w) / h)));
    }
    runButton_->setEnabled(*w >= 1 && h >= 1);
}

void SizeDialog::onHeightEdited() {
    const std::optional<int> w = readField(widthField_);
    const std::optional<int> h = readField(heightField_);
    if (!w || !h || *w <= 0 || *h <= 0) return;
    ratioBox_->setText(ratioText(static_cast<float>(static_cast<long double>(*w) / *h)));
    runButton_->setEnabled(true);
}

void SizeDialog::onRun() {
    const std::optional<int> w = readField(widthField_);
    const std::optional<int> h = readField(heightField_);
    if (!w || !h) {
        const QLineEdit* bad = w ? heightField_ : widthField_;
        dialogs_.reportError(this,
                             QStringLiteral("'0%1' is not a valid integer value").arg(bad->text()));
        return;
    }
    emit runRequested({{*w, *h}});
}

} // namespace tavlo
