#include "tone/ui/gamma_dialog.h"

#include "document/text_format.h"
#include "tone/gamma.h"
#include "widgets/dialog_controls.h"
#include "widgets/window_placement.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace tavlo {

namespace {

constexpr int kMiddle = 50; // bar position of γ = 1
constexpr QRect kGroup{8, 8, 240, 110};

QLabel* boldLabel(QWidget* parent, const char* name, const QString& text, QPoint at) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->move(at);
    return label;
}

} // namespace

GammaDialog::GammaDialog(QWidget* parent)
    : QWidget(parent, kToolWindow | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Form15"));
    auto* gammaGroup = new QGroupBox(QStringLiteral("γ補正値設定"), this);
    gammaGroup->setGeometry(kGroup);
    QPushButton* runButton =
        button(gammaGroup, "Button2", QStringLiteral("実行"), {20, 20, 80, 28});
    QPushButton* backButton =
        button(gammaGroup, "Button1", QStringLiteral("戻る"), {120, 20, 80, 28});
    gammaBox_ = valueBox(gammaGroup, "Memo1", {90, 54, 60, 22});
    gammaBox_->setText(QStringLiteral("1.00"));
    boldLabel(gammaGroup, "Label2", QStringLiteral("暗"), {8, 83});
    boldLabel(gammaGroup, "Label1", QStringLiteral("明"), {218, 83});
    amountBar_ =
        bar(gammaGroup, "ScrollBar1", Qt::Horizontal, GammaParameters::kAmount.minimum + kMiddle,
            GammaParameters::kAmount.maximum + kMiddle, kMiddle, {28, 84, 184, 17});

    connect(amountBar_, &QScrollBar::valueChanged, this, &GammaDialog::onAmountChanged);
    connect(runButton, &QPushButton::clicked, this, [this] { emit runRequested(parameters_); });
    connect(backButton, &QPushButton::clicked, this, &QWidget::hide);

    amountBar_->setValue(kMiddle);
    placeTopRight(this, kGroup, 24, 48, 30, 50);
}

void GammaDialog::onAmountChanged() {
    parameters_.amount = amountBar_->value() - kMiddle;
    const long double gamma = tavlo::gammaValue(parameters_.amount);
    gammaBox_->setText(QString::fromStdString(tavlo::formatText("%.2f", {gamma})));
}

} // namespace tavlo
