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
    GroupBox1 = new QGroupBox(QStringLiteral("回転角度指定"), this);
    GroupBox1->setGeometry(kGroup);
    Button1 = button(GroupBox1, "Button1", QStringLiteral("実行"), {30, 20, 80, 28});
    Button2 = button(GroupBox1, "Button2", QStringLiteral("戻る"), {150, 20, 80, 28});
    Label1 = new QLabel(QStringLiteral("←左回転"), GroupBox1);
    Label1->move(8, 56);
    Label2 = new QLabel(QStringLiteral("右回転→"), GroupBox1);
    Label2->move(200, 56);
    Edit1 = field(GroupBox1, "Edit1", {95, 52, 70, 22});
    Edit1->setAlignment(Qt::AlignCenter);
    ScrollBar1 = bar(GroupBox1, "ScrollBar1", Qt::Horizontal, {8, 78, 244, 17});
    ScrollBar1->setRange(tavlo::kRotationAngle.minimum + kStraight,
                         tavlo::kRotationAngle.maximum + kStraight);
    ScrollBar1->setValue(kStraight);

    connect(ScrollBar1, &QScrollBar::valueChanged, this, &RotationDialog::onAngleChanged);
    connectRunAndBack(this, Button1, Button2, sender_, AfterRun::Stay);

    placeTopRight(this, {kGroup.right() + 1 + 24, kGroup.bottom() + 1 + 48}, 30, 24);
    onAngleChanged();
}

void RotationDialog::onAngleChanged() {
    angle_ = ScrollBar1->value() - kStraight;
    Edit1->setText(formatted("%d度", {std::int64_t{angle_}}));
}

} // namespace tavlo
