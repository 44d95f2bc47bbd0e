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
    runButton = button(this, "Button2", QStringLiteral("実行"), {8, 8, 80, 28});
    cancelButton = button(this, "Button1", QStringLiteral("中止"), {96, 8, 80, 28});

    toneGroup = new QGroupBox(QStringLiteral("色調調整"), this);
    toneGroup->setObjectName(QStringLiteral("GroupBox1"));
    toneGroup->setGeometry(kGroup);
    resetButton = button(toneGroup, "Button3", QStringLiteral("ﾘｾｯﾄ"), {10, 20, 70, 26});
    linkedBox = new QCheckBox(QStringLiteral("RGB連動"), toneGroup);
    linkedBox->setObjectName(QStringLiteral("CheckBox1"));
    linkedBox->setGeometry(100, 22, 100, 22);
    linkedBox->setChecked(true);
    const int low = tavlo::kColourOffset.minimum + kMiddle;
    const int high = tavlo::kColourOffset.maximum + kMiddle;
    redBar = bar(toneGroup, "ScrollBar1", Qt::Horizontal, low, high, kMiddle, {10, 58, 180, 17});
    greenBar = bar(toneGroup, "ScrollBar2", Qt::Horizontal, low, high, kMiddle, {10, 88, 180, 17});
    blueBar = bar(toneGroup, "ScrollBar3", Qt::Horizontal, low, high, kMiddle, {10, 118, 180, 17});
    redBox = colouredBox(toneGroup, "Memo1", {198, 55, 52, 22}, Qt::red);
    greenBox = colouredBox(toneGroup, "Memo2", {198, 85, 52, 22}, QColor(0, 128, 0));
    blueBox = colouredBox(toneGroup, "Memo3", {198, 115, 52, 22}, Qt::blue);
    bars_ = {redBar, greenBar, blueBar};
    boxes_ = {redBox, greenBox, blueBox};

    for (int channel = 0; channel < 3; ++channel)
        connect(bars_[channel], &QScrollBar::valueChanged, this,
                [this, channel] { onChannelBarChanged(channel); });
    connect(resetButton, &QPushButton::clicked, this, [this] {
        for (QScrollBar* scrollBar : bars_)
            scrollBar->setValue(kMiddle);
    });
    connect(runButton, &QPushButton::clicked, this, &ColourToneDialog::onRun);
    connect(cancelButton, &QPushButton::clicked, this, &ColourToneDialog::onCancel);

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
    if (linkedBox->isChecked())
        for (QScrollBar* other : bars_)
            other->setValue(position);
}

void ColourToneDialog::onRun() {
    sender_.execute();
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
