#include "tone/ui/vividness_dialog.h"

#include "tone/tone_parameters.h"
#include "widgets/dialog_controls.h"
#include "widgets/window_placement.h"

#include <QCloseEvent>

namespace tavlo {

namespace {

constexpr int kMiddle = 50; // bar position of the amount 0
constexpr QRect kGroup{8, 8, 220, 110};

} // namespace

VividnessDialog::VividnessDialog(std::int32_t& amount, CommandSender sender, QWidget* parent)
    : QWidget(parent, kToolWindow), amount_(amount), sender_(std::move(sender)) {
    setObjectName(QStringLiteral("Form14"));
    amountGroup = new QGroupBox(QStringLiteral("色あい"), this);
    amountGroup->setGeometry(kGroup);
    runButton = button(amountGroup, "Button2", QStringLiteral("実行"), {10, 20, 80, 28});
    backButton = button(amountGroup, "Button1", QStringLiteral("戻る"), {100, 20, 80, 28});
    amountBox = valueBox(amountGroup, "Memo1", {80, 54, 60, 22});
    amountBox->setText(QStringLiteral("0"));
    amountBar =
        bar(amountGroup, "ScrollBar1", Qt::Horizontal, tavlo::kVividAmount.minimum + kMiddle,
            tavlo::kVividAmount.maximum + kMiddle, kMiddle, {10, 84, 200, 17});

    connect(amountBar, &QScrollBar::valueChanged, this, &VividnessDialog::onAmountChanged);
    connect(runButton, &QPushButton::clicked, this, [this] { sender_.execute(); });
    connect(backButton, &QPushButton::clicked, this, &VividnessDialog::onBack);

    placeTopRight(this, kGroup, 24, 48, 30, 50);
    amountBar->setValue(kMiddle);
    amount_ = 0;
}

void VividnessDialog::onAmountChanged() {
    amount_ = amountBar->value() - kMiddle;
    amountBox->setText(QString::number(amount_));
}

void VividnessDialog::onBack() {
    sender_.cancel();
    hide();
}

void VividnessDialog::closeEvent(QCloseEvent* event) {
    onBack();
    event->accept();
}

} // namespace tavlo
