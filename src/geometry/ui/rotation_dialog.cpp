#include "geometry/ui/rotation_dialog.h"

#include "geometry/geometry_parameters.h"

namespace tavlo {

namespace {

constexpr int kStraight = 180; // bar position of 0°
constexpr QRect kGroup{8, 8, 260, 100};

} // namespace

RotationDialog::RotationDialog(std::int32_t& angle, tavlo::CommandChannel& channel, QWidget* parent)
    : QWidget(parent, kToolWindow),
      angle_(angle), sender_{channel, counter_, tavlo::CommandEdit::Rotation} {
    setObjectName(QStringLiteral("Form6"));
    angleGroup = new QGroupBox(QStringLiteral("回転角度指定"), this);
    angleGroup->setGeometry(kGroup);
    runButton = button(angleGroup, "Button1", QStringLiteral("実行"), {30, 20, 80, 28});
    backButton = button(angleGroup, "Button2", QStringLiteral("戻る"), {150, 20, 80, 28});
    leftLabel = new QLabel(QStringLiteral("←左回転"), angleGroup);
    leftLabel->move(8, 56);
    rightLabel = new QLabel(QStringLiteral("右回転→"), angleGroup);
    rightLabel->move(200, 56);
    angleBox = field(angleGroup, "Edit1", {95, 52, 70, 22});
    angleBox->setAlignment(Qt::AlignCenter);
    angleBar = bar(angleGroup, "ScrollBar1", Qt::Horizontal, {8, 78, 244, 17});
    angleBar->setRange(tavlo::kRotationAngle.minimum + kStraight,
                       tavlo::kRotationAngle.maximum + kStraight);
    angleBar->setValue(kStraight);

    connect(angleBar, &QScrollBar::valueChanged, this, &RotationDialog::onAngleChanged);
    connectRunAndBack(this, runButton, backButton, sender_, AfterRun::Stay);

    placeTopRight(this, {kGroup.right() + 1 + 24, kGroup.bottom() + 1 + 48}, 30, 24);
    onAngleChanged();
}

void RotationDialog::onAngleChanged() {
    angle_ = angleBar->value() - kStraight;
    angleBox->setText(formatted("%d度", {std::int64_t{angle_}}));
}

} // namespace tavlo
