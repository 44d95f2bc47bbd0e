#include "tone/ui/colour_tone_dialog.h"

#include "widgets/dialog_controls.h"
#include "widgets/window_placement.h"

#include <QGroupBox>
#include <QPushButton>

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

ColourToneDialog::ColourToneDialog(QWidget* parent) : QWidget(parent, kToolWindow) {
    setObjectName(QStringLiteral("Form11"));
    QPushButton* runButton = button(this, "Button2", QStringLiteral("実行"), {8, 8, 80, 28});
    QPushButton* cancelButton = button(this, "Button1", QStringLiteral("中止"), {96, 8, 80, 28});

    auto* toneGroup = new QGroupBox(QStringLiteral("色調調整"), this);
    toneGroup->setObjectName(QStringLiteral("GroupBox1"));
    toneGroup->setGeometry(kGroup);
    QPushButton* resetButton =
        button(toneGroup, "Button3", QStringLiteral("ﾘｾｯﾄ"), {10, 20, 70, 26});
    linkedBox_ = new QCheckBox(QStringLiteral("RGB連動"), toneGroup);
    linkedBox_->setObjectName(QStringLiteral("CheckBox1"));
    linkedBox_->setGeometry(100, 22, 100, 22);
    linkedBox_->setChecked(true);
    const int low = ColourToneParameters::kOffset.minimum + kMiddle;
    const int high = ColourToneParameters::kOffset.maximum + kMiddle;
    bars_ = {bar(toneGroup, "ScrollBar1", Qt::Horizontal, low, high, kMiddle, {10, 58, 180, 17}),
             bar(toneGroup, "ScrollBar2", Qt::Horizontal, low, high, kMiddle, {10, 88, 180, 17}),
             bar(toneGroup, "ScrollBar3", Qt::Horizontal, low, high, kMiddle, {10, 118, 180, 17})};
    boxes_ = {colouredBox(toneGroup, "Memo1", {198, 55, 52, 22}, Qt::red),
              colouredBox(toneGroup, "Memo2", {198, 85, 52, 22}, QColor(0, 128, 0)),
              colouredBox(toneGroup, "Memo3", {198, 115, 52, 22}, Qt::blue)};

    for (int channel = 0; channel < 3; ++channel)
        connect(bars_[channel], &QScrollBar::valueChanged, this,
                [this, channel] { onChannelBarChanged(channel); });
    connect(resetButton, &QPushButton::clicked, this, [this] {
        for (QScrollBar* scrollBar : bars_)
            scrollBar->setValue(kMiddle);
    });
    connect(runButton, &QPushButton::clicked, this, [this] { emit runRequested(parameters_); });
    connect(cancelButton, &QPushButton::clicked, this, &QWidget::hide);

    placeTopRight(this, kGroup, 24, 44, 10, 50);
    for (int channel = 0; channel < 3; ++channel)
        onChannelBarChanged(channel);
}

// A bar set to the position it already has emits nothing, so the linked chain ends with all
// three bars, amounts and boxes equal.
void ColourToneDialog::onChannelBarChanged(int channel) {
    const int position = bars_[channel]->value();
    parameters_.offsets[channel] = position - kMiddle;
    boxes_[channel]->setText(QString::number(parameters_.offsets[channel]));
    if (linkedBox_->isChecked())
        for (QScrollBar* other : bars_)
            other->setValue(position);
}

} // namespace tavlo
