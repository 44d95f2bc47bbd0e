#include "tone/ui/contrast_dialog.h"

#include "widgets/dialog_controls.h"
#include "widgets/window_placement.h"

namespace tavlo {

namespace {

constexpr int kMiddle = 128; // bar position of the amount 0
constexpr QRect kGroup1{8, 44, 220, 84};
constexpr QRect kGroup2{8, 136, 220, 84};

} // namespace

ContrastDialog::ContrastDialog(tavlo::ContrastSettings& settings, CommandSender sender,
                               QWidget* parent)
    : QWidget(parent, kToolWindow | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      settings_(settings), sender_(std::move(sender)) {
    setObjectName(QStringLiteral("Form13"));
    const int low = tavlo::kContrast.minimum + kMiddle, high = tavlo::kContrast.maximum + kMiddle;

    contrastGroup = new QGroupBox(QStringLiteral("コントラスト"), this);
    contrastGroup->setGeometry(kGroup1);
    contrastBar =
        bar(contrastGroup, "ScrollBar1", Qt::Horizontal, low, high, kMiddle, {10, 22, 200, 17});
    contrastBox = valueBox(contrastGroup, "Memo1", {10, 50, 60, 22});
    contrastResetButton =
        button(contrastGroup, "Button3", QStringLiteral("リセット"), {130, 48, 80, 26});

    brightnessGroup = new QGroupBox(QStringLiteral("明るさ"), this);
    brightnessGroup->setGeometry(kGroup2);
    brightnessBar =
        bar(brightnessGroup, "ScrollBar2", Qt::Horizontal, low, high, kMiddle, {10, 22, 200, 17});
    brightnessBox = valueBox(brightnessGroup, "Memo2", {10, 50, 60, 22});
    brightnessResetButton =
        button(brightnessGroup, "Button4", QStringLiteral("リセット"), {130, 48, 80, 26});

    runButton = button(this, "Button1", QStringLiteral("実行"), {8, 8, 80, 28});
    backButton = button(this, "Button2", QStringLiteral("戻る"), {96, 8, 80, 28});

    connect(contrastBar, &QScrollBar::valueChanged, this, &ContrastDialog::onContrastChanged);
    connect(brightnessBar, &QScrollBar::valueChanged, this, &ContrastDialog::onBrightnessChanged);
    connect(contrastResetButton, &QPushButton::clicked, this,
            [this] { contrastBar->setValue(kMiddle); });
    connect(brightnessResetButton, &QPushButton::clicked, this,
            [this] { brightnessBar->setValue(kMiddle); });
    connect(runButton, &QPushButton::clicked, this, &ContrastDialog::onRun);
    connect(backButton, &QPushButton::clicked, this, &ContrastDialog::onBack);

    onContrastChanged();
    onBrightnessChanged();
    placeTopRight(this, kGroup2, 24, 44, 30, 24);
}

void ContrastDialog::onContrastChanged() {
    settings_.contrast[tavlo::Red] = contrastBar->value() - kMiddle;
    contrastBox->setText(QString::number(settings_.contrast[tavlo::Red]));
}

void ContrastDialog::onBrightnessChanged() {
    settings_.brightness[tavlo::Red] = brightnessBar->value() - kMiddle;
    brightnessBox->setText(QString::number(settings_.brightness[tavlo::Red]));
}

void ContrastDialog::onRun() {
    settings_.contrast[tavlo::Green] = settings_.contrast[tavlo::Blue] =
        settings_.contrast[tavlo::Red];
    settings_.brightness[tavlo::Green] = settings_.brightness[tavlo::Blue] =
        settings_.brightness[tavlo::Red];
    sender_.execute();
}

void ContrastDialog::onBack() {
    sender_.cancel();
    hide();
}

} // namespace tavlo
