#include "tone/ui/colour_tone_dialog.h"

#include "tone/tone_parameters.h"
#include "widgets/dialog_controls.h"
#include "widgets/window_placement.h"

#include <QCloseEvent>

namespace tavlo {

namespace {

constexpr int kMiddle = 128; // bar position of the amount 0
constexpr QRect kGroup{8, 44, 260, 150};

QLineEdit* colouredBox(QWidget* parent, const char* name, QRect geometry, QColor colour) {
    QLineEdit* box = valueBox(parent, name, geometry);
    QFont font = box->font();
    font.setBold(true);
    box->setFont(font);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Text, colour);
    box->setPalette(palette);
    return box;
}

} // namespace

ColourToneDialog::ColourToneDialog(std::array<std::int32_t, 3>& offsets, CommandSender sender,
                                   QWidget* parent)
    : QWidget(parent, kToolWindow), offsets_(offsets), sender_(std::move(sender)) {
    setObjectName(QStringLiteral("Form11"));
    Button2 = button(this, "Button2", QStringLiteral("実行"), {8, 8, 80, 28});
    Button1 = button(this, "Button1", QStringLiteral("中止"), {96, 8, 80, 28});

    GroupBox1 = new QGroupBox(QStringLiteral("色調調整"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(kGroup);
    Button3 = button(GroupBox1, "Button3", QStringLiteral("ﾘｾｯﾄ"), {10, 20, 70, 26});
    CheckBox1 = new QCheckBox(QStringLiteral("RGB連動"), GroupBox1);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(100, 22, 100, 22);
    CheckBox1->setChecked(true);
    const int low = tavlo::kColourOffset.minimum + kMiddle;
    const int high = tavlo::kColourOffset.maximum + kMiddle;
    ScrollBar1 =
        bar(GroupBox1, "ScrollBar1", Qt::Horizontal, low, high, kMiddle, {10, 58, 180, 17});
    ScrollBar2 =
        bar(GroupBox1, "ScrollBar2", Qt::Horizontal, low, high, kMiddle, {10, 88, 180, 17});
    ScrollBar3 =
        bar(GroupBox1, "ScrollBar3", Qt::Horizontal, low, high, kMiddle, {10, 118, 180, 17});
    Memo1 = colouredBox(GroupBox1, "Memo1", {198, 55, 52, 22}, Qt::red);
    Memo2 = colouredBox(GroupBox1, "Memo2", {198, 85, 52, 22}, QColor(0, 128, 0));
    Memo3 = colouredBox(GroupBox1, "Memo3", {198, 115, 52, 22}, Qt::blue);
    bars_ = {ScrollBar1, ScrollBar2, ScrollBar3};
    boxes_ = {Memo1, Memo2, Memo3};

    for (int channel = 0; channel < 3; ++channel)
        connect(bars_[channel], &QScrollBar::valueChanged, this,
                [this, channel] { onChannelBarChanged(channel); });
    connect(Button3, &QPushButton::clicked, this, [this] {
        for (QScrollBar* scrollBar : bars_)
            scrollBar->setValue(kMiddle);
    });
    connect(Button2, &QPushButton::clicked, this, &ColourToneDialog::onRun);
    connect(Button1, &QPushButton::clicked, this, &ColourToneDialog::onCancel);

    placeTopRight(this, kGroup, 24, 44, 10, 50);
    for (int channel = 0; channel < 3; ++channel)
        onChannelBarChanged(channel);
}

// A bar set to the position it already has emits nothing, so the linked chain ends with all
// three bars, amounts and boxes equal.
void ColourToneDialog::onChannelBarChanged(int channel) {
    const int position = bars_[channel]->value();
    offsets_[channel] = position - kMiddle;
    boxes_[channel]->setText(QString::number(offsets_[channel]));
    if (CheckBox1->isChecked())
        for (QScrollBar* other : bars_)
            other->setValue(position);
}

void ColourToneDialog::onRun() {
    sender_.run();
}

void ColourToneDialog::onCancel() {
    sender_.cancel();
    hide();
}

void ColourToneDialog::closeEvent(QCloseEvent* event) {
    onCancel();
    event->accept();
}

} // namespace tavlo
