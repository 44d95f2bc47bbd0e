#include "tone/ui/contrast_dialog.h"

#include "widgets/dialog_controls.h"
#include "widgets/window_placement.h"

#include <QGroupBox>
#include <QPushButton>

namespace tavlo {

namespace {

constexpr int kMiddle = 128; // bar position of the amount 0
constexpr QRect kGroup1{8, 44, 220, 84};
constexpr QRect kGroup2{8, 136, 220, 84};

} // namespace

ContrastDialog::ContrastDialog(QWidget* parent)
    : QWidget(parent, kToolWindow | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Form13"));

    auto* contrastGroup = new QGroupBox(QStringLiteral("コントラスト"), this);
    contrastGroup->setGeometry(kGroup1);
    contrastBar_ = bar(contrastGroup, "ScrollBar1", Qt::Horizontal,
                       ContrastParameters::kContrast.minimum + kMiddle,
                       ContrastParameters::kContrast.maximum + kMiddle, kMiddle, {10, 22, 200, 17});
    contrastBox_ = valueBox(contrastGroup, "Memo1", {10, 50, 60, 22});
    QPushButton* contrastResetButton =
        button(contrastGroup, "Button3", QStringLiteral("リセット"), {130, 48, 80, 26});

    auto* brightnessGroup = new QGroupBox(QStringLiteral("明るさ"), this);
    brightnessGroup->setGeometry(kGroup2);
    brightnessBar_ =
        bar(brightnessGroup, "ScrollBar2", Qt::Horizontal,
            ContrastParameters::kBrightness.minimum + kMiddle,
            ContrastParameters::kBrightness.maximum + kMiddle, kMiddle, {10, 22, 200, 17});
    brightnessBox_ = valueBox(brightnessGroup, "Memo2", {10, 50, 60, 22});
    QPushButton* brightnessResetButton =
        button(brightnessGroup, "Button4", QStringLiteral("リセット"), {130, 48, 80, 26});

    QPushButton* runButton = button(this, "Button1", QStringLiteral("実行"), {8, 8, 80, 28});
    QPushButton* backButton = button(this, "Button2", QStringLiteral("戻る"), {96, 8, 80, 28});

    connect(contrastBar_, &QScrollBar::valueChanged, this, &ContrastDialog::onContrastChanged);
    connect(brightnessBar_, &QScrollBar::valueChanged, this, &ContrastDialog::onBrightnessChanged);
    connect(contrastResetButton, &QPushButton::clicked, this,
            [this] { contrastBar_->setValue(kMiddle); });
    connect(brightnessResetButton, &QPushButton::clicked, this,
            [this] { brightnessBar_->setValue(kMiddle); });
    connect(runButton, &QPushButton::clicked, this, [this] { emit runRequested(parameters_); });
    connect(backButton, &QPushButton::clicked, this, &QWidget::hide);

    onContrastChanged();
    onBrightnessChanged();
    placeTopRight(this, kGroup2, 24, 44, 30, 24);
}

void ContrastDialog::onContrastChanged() {
    parameters_.contrast = contrastBar_->value() - kMiddle;
    contrastBox_->setText(QString::number(parameters_.contrast));
}

void ContrastDialog::onBrightnessChanged() {
    parameters_.brightness = brightnessBar_->value() - kMiddle;
    brightnessBox_->setText(QString::number(parameters_.brightness));
}

} // namespace tavlo
