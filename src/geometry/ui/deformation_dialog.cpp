#include "geometry/ui/deformation_dialog.h"

namespace tavlo {

namespace {

constexpr int kNeutral = 100; // bar position of strength 0
constexpr QRect kGroup{8, 8, 240, 100};

} // namespace

DeformationDialog::DeformationDialog(float& amount, CommandSender sender, QWidget* parent)
    : QWidget(parent, kToolWindow), amount_(amount), sender_(std::move(sender)) {
    setObjectName(QStringLiteral("Form7"));
    strengthGroup = new QGroupBox(QStringLiteral("垂直台形：両側"), this);
    strengthGroup->setGeometry(kGroup);
    runButton = button(strengthGroup, "Button1", QStringLiteral("実行"), {20, 20, 80, 28});
    backButton = button(strengthGroup, "Button2", QStringLiteral("戻る"), {140, 20, 80, 28});
    strengthBox = field(strengthGroup, "Edit1", {85, 52, 70, 22});
    strengthBox->setAlignment(Qt::AlignCenter);
    strengthBar = bar(strengthGroup, "ScrollBar1", Qt::Horizontal, {8, 78, 224, 17});
    strengthBar->setRange(tavlo::kDeformStrength.minimum + kNeutral,
                          tavlo::kDeformStrength.maximum + kNeutral);
    strengthBar->setValue(kNeutral);

    connect(strengthBar, &QScrollBar::valueChanged, this, &DeformationDialog::onStrengthChanged);
    connectRunAndBack(this, runButton, backButton, sender_, AfterRun::Stay);

    placeTopRight(this, {kGroup.right() + 1 + 24, kGroup.bottom() + 1 + 48}, 30, 50);
    onStrengthChanged();
}

void DeformationDialog::setMode(tavlo::DeformMode mode) {
    static const QString captions[] = {
        QStringLiteral("垂直台形：両側"), QStringLiteral("垂直台形：右側"),
        QStringLiteral("垂直台形：左側"), QStringLiteral("平行四辺形")};
    strengthGroup->setTitle(captions[static_cast<int>(mode) - 1]);
}

void DeformationDialog::onStrengthChanged() {
    const int strength = strengthBar->value() - kNeutral;
    amount_ = tavlo::deformAmount(strength);
    strengthBox->setText(QString::number(strength));
}

} // namespace tavlo
