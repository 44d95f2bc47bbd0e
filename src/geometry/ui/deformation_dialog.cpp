#include "geometry/ui/deformation_dialog.h"

namespace tavlo {

namespace {

constexpr int kNeutral = 100; // bar position of strength 0
constexpr QRect kGroup{8, 8, 240, 100};

} // namespace

DeformationDialog::DeformationDialog(float& amount, CommandSender sender, QWidget* parent)
    : QWidget(parent, kToolWindow), amount_(amount), sender_(std::move(sender)) {
    setObjectName(QStringLiteral("Form7"));
    GroupBox1 = new QGroupBox(QStringLiteral("垂直台形：両側"), this);
    GroupBox1->setGeometry(kGroup);
    Button1 = button(GroupBox1, "Button1", QStringLiteral("実行"), {20, 20, 80, 28});
    Button2 = button(GroupBox1, "Button2", QStringLiteral("戻る"), {140, 20, 80, 28});
    Edit1 = field(GroupBox1, "Edit1", {85, 52, 70, 22});
    Edit1->setAlignment(Qt::AlignCenter);
    ScrollBar1 = bar(GroupBox1, "ScrollBar1", Qt::Horizontal, {8, 78, 224, 17});
    ScrollBar1->setRange(tavlo::kDeformStrength.minimum + kNeutral,
                         tavlo::kDeformStrength.maximum + kNeutral);
    ScrollBar1->setValue(kNeutral);

    connect(ScrollBar1, &QScrollBar::valueChanged, this, &DeformationDialog::onStrengthChanged);
    connectRunAndBack(this, Button1, Button2, sender_, AfterRun::Stay);

    placeTopRight(this, {kGroup.right() + 1 + 24, kGroup.bottom() + 1 + 48}, 30, 50);
    onStrengthChanged();
}

void DeformationDialog::setMode(tavlo::DeformMode mode) {
    static const QString captions[] = {
        QStringLiteral("垂直台形：両側"), QStringLiteral("垂直台形：右側"),
        QStringLiteral("垂直台形：左側"), QStringLiteral("平行四辺形")};
    GroupBox1->setTitle(captions[static_cast<int>(mode) - 1]);
}

void DeformationDialog::onStrengthChanged() {
    const int strength = ScrollBar1->value() - kNeutral;
    amount_ = tavlo::deformAmount(strength);
    Edit1->setText(QString::number(strength));
}

} // namespace tavlo
