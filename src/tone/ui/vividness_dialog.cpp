#include "tone/ui/vividness_dialog.h"

#include "widgets/dialog_controls.h"
#include "widgets/window_placement.h"

#include <QGroupBox>
#include <QPushButton>

namespace tavlo {

namespace {

constexpr int kMiddle = 50; // bar position of the amount 0
constexpr QRect kGroup{8, 8, 220, 110};

} // namespace

VividnessDialog::VividnessDialog(QWidget* parent) : QWidget(parent, kToolWindow) {
    setObjectName(QStringLiteral("Form14"));
    auto* amountGroup = new QGroupBox(QStringLiteral("色あい"), this);
    amountGroup->setGeometry(kGroup);
    QPushButton* runButton =
        button(amountGroup, "Button2", QStringLiteral("実行"), {10, 20, 80, 28});
    QPushButton* backButton =
        button(amountGroup, "Button1", QStringLiteral("戻る"), {100, 20, 80, 28});
    amountBox_ = valueBox(amountGroup, "Memo1", {80, 54, 60, 22});
    amountBox_->setText(QStringLiteral("0"));
    amountBar_ =
        bar(amountGroup, "ScrollBar1", Qt::Horizontal, VividParameters::kAmount.minimum + kMiddle,
            VividParameters::kAmount.maximum + kMiddle, kMiddle, {10, 84, 200, 17});

    connect(amountBar_, &QScrollBar::valueChanged, this, &VividnessDialog::onAmountChanged);
    connect(runButton, &QPushButton::clicked, this, [this] { emit runRequested(parameters_); });
    connect(backButton, &QPushButton::clicked, this, &QWidget::hide);

    placeTopRight(this, kGroup, 24, 48, 30, 50);
}

void VividnessDialog::onAmountChanged() {
    parameters_.amount = amountBar_->value() - kMiddle;
    amountBox_->setText(QString::number(parameters_.amount));
}

} // namespace tavlo
