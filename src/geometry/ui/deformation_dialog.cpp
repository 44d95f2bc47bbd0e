#include "geometry/ui/deformation_dialog.h"

namespace tavlo {

namespace {

constexpr int kNeutral = 100; // bar position of strength 0
constexpr QRect kGroup{8, 8, 240, 100};

} // namespace

DeformationDialog::DeformationDialog(QWidget* parent) : QWidget(parent, kToolWindow) {
    setObjectName(QStringLiteral("Form7"));
    strengthGroup_ = new QGroupBox(QStringLiteral("垂直台形：両側"), this);
    strengthGroup_->setGeometry(kGroup);
    runButton_ = button(strengthGroup_, "Button1", QStringLiteral("実行"), {20, 20, 80, 28});
    backButton_ = button(strengthGroup_, "Button2", QStringLiteral("戻る"), {140, 20, 80, 28});
    strengthBox_ = field(strengthGroup_, "Edit1", {85, 52, 70, 22});
    strengthBox_->setAlignment(Qt::AlignCenter);
    strengthBar_ = bar(strengthGroup_, "ScrollBar1", Qt::Horizontal, {8, 78, 224, 17});
    strengthBar_->setRange(DeformParameters::kStrength.minimum + kNeutral,
                           DeformParameters::kStrength.maximum + kNeutral);
    strengthBar_->setValue(kNeutral);

    connect(strengthBar_, &QScrollBar::valueChanged, this, &DeformationDialog::onStrengthChanged);
    connectRunAndBack(this, runButton_, backButton_, AfterRun::Stay,
                      [this] { emit runRequested(parameters_); });

    placeTopRight(this, {kGroup.right() + 1 + 24, kGroup.bottom() + 1 + 48}, 30, 50);
    onStrengthChanged();
}

void DeformationDialog::setMode(tavlo::DeformMode mode) {
    parameters_.mode = mode;
    static const QString captions[] = {
        QStringLiteral("垂直台形：両側"), QStringLiteral("垂直台形：右側"),
        QStringLiteral("垂直台形：左側"), QStringLiteral("平行四辺形")};
    strengthGroup_->setTitle(captions[static_cast<int>(mode) - 1]);
}

void DeformationDialog::onStrengthChanged() {
    parameters_.strength = strengthBar_->value() - kNeutral;
    strengthBox_->setText(QString::number(parameters_.strength));
}

} // namespace tavlo
