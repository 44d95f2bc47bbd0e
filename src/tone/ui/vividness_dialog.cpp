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
    GroupBox1 = new QGroupBox(QStringLiteral("色あい"), this);
    GroupBox1->setGeometry(kGroup);
    Button2 = button(GroupBox1, "Button2", QStringLiteral("実行"), {10, 20, 80, 28});
    Button1 = button(GroupBox1, "Button1", QStringLiteral("戻る"), {100, 20, 80, 28});
    Memo1 = valueBox(GroupBox1, "Memo1", {80, 54, 60, 22});
    Memo1->setText(QStringLiteral("0"));
    ScrollBar1 = bar(GroupBox1, "ScrollBar1", Qt::Horizontal, tavlo::kVividAmount.minimum + kMiddle,
                     tavlo::kVividAmount.maximum + kMiddle, kMiddle, {10, 84, 200, 17});

    connect(ScrollBar1, &QScrollBar::valueChanged, this, &VividnessDialog::onAmountChanged);
    connect(Button2, &QPushButton::clicked, this, [this] { sender_.run(); });
    connect(Button1, &QPushButton::clicked, this, &VividnessDialog::onBack);

    placeTopRight(this, kGroup, 24, 48, 30, 50);
    ScrollBar1->setValue(kMiddle);
    amount_ = 0;
}

void VividnessDialog::onAmountChanged() {
    amount_ = ScrollBar1->value() - kMiddle;
    Memo1->setText(QString::number(amount_));
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
