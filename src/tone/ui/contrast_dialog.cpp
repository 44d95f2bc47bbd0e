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

    GroupBox1 = new QGroupBox(QStringLiteral("コントラスト"), this);
    GroupBox1->setGeometry(kGroup1);
    ScrollBar1 =
        bar(GroupBox1, "ScrollBar1", Qt::Horizontal, low, high, kMiddle, {10, 22, 200, 17});
    Memo1 = valueBox(GroupBox1, "Memo1", {10, 50, 60, 22});
    Button3 = button(GroupBox1, "Button3", QStringLiteral("リセット"), {130, 48, 80, 26});

    GroupBox2 = new QGroupBox(QStringLiteral("明るさ"), this);
    GroupBox2->setGeometry(kGroup2);
    ScrollBar2 =
        bar(GroupBox2, "ScrollBar2", Qt::Horizontal, low, high, kMiddle, {10, 22, 200, 17});
    Memo2 = valueBox(GroupBox2, "Memo2", {10, 50, 60, 22});
    Button4 = button(GroupBox2, "Button4", QStringLiteral("リセット"), {130, 48, 80, 26});

    Button1 = button(this, "Button1", QStringLiteral("実行"), {8, 8, 80, 28});
    Button2 = button(this, "Button2", QStringLiteral("戻る"), {96, 8, 80, 28});

    connect(ScrollBar1, &QScrollBar::valueChanged, this, &ContrastDialog::onContrastChanged);
    connect(ScrollBar2, &QScrollBar::valueChanged, this, &ContrastDialog::onBrightnessChanged);
    connect(Button3, &QPushButton::clicked, this, [this] { ScrollBar1->setValue(kMiddle); });
    connect(Button4, &QPushButton::clicked, this, [this] { ScrollBar2->setValue(kMiddle); });
    connect(Button1, &QPushButton::clicked, this, &ContrastDialog::onRun);
    connect(Button2, &QPushButton::clicked, this, &ContrastDialog::onBack);

    onContrastChanged();
    onBrightnessChanged();
    placeTopRight(this, kGroup2, 24, 44, 30, 24);
}

void ContrastDialog::onContrastChanged() {
    settings_.contrast[tavlo::Red] = ScrollBar1->value() - kMiddle;
    Memo1->setText(QString::number(settings_.contrast[tavlo::Red]));
}

void ContrastDialog::onBrightnessChanged() {
    settings_.brightness[tavlo::Red] = ScrollBar2->value() - kMiddle;
    Memo2->setText(QString::number(settings_.brightness[tavlo::Red]));
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
