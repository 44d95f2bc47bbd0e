#include "geometry/ui/rotation_dialog.h"

namespace tavlo {

namespace {

constexpr int kStraight = 180; // bar position of 0°
constexpr QRect kGroup{8, 8, 260, 100};

} // namespace

RotationDialog::RotationDialog(QWidget* parent) : QWidget(parent, kToolWindow) {
    setObjectName(QStringLiteral("Form6"));
    angleGroup_ = new QGroupBox(QStringLiteral("回転角度指定"), this);
    angleGroup_->setGeometry(kGroup);
    runButton_ = button(angleGroup_, "Button1", QStringLiteral("実行"), {30, 20, 80, 28});
    backButton_ = button(angleGroup_, "Button2", QStringLiteral("戻る"), {150, 20, 80, 28});
    leftLabel_ = new QLabel(QStringLiteral("←左回転"), angleGroup_);
    leftLabel_->move(8, 56);
    rightLabel_ = new QLabel(QStringLiteral("右回転→"), angleGroup_);
    rightLabel_->move(200, 56);
    angleBox_ = field(angleGroup_, "Edit1", {95, 52, 70, 22});
    angleBox_->setAlignment(Qt::AlignCenter);
    angleBar_ = bar(angleGroup_, "ScrollBar1", Qt::Horizontal, {8, 78, 244, 17});
    angleBar_->setRange(RotationParameters::kAngle.minimum + kStraight,
                        RotationParameters::kAngle.maximum + kStraight);
    angleBar_->setValue(kStraight);

    connect(angleBar_, &QScrollBar::valueChanged, this, &RotationDialog::onAngleChanged);
    connectRunAndBack(this, runButton_, backButton_, AfterRun::Stay,
                      [this] { emit runRequested(parameters_); });

    placeTopRight(this, {kGroup.right() + 1 + 24, kGroup.bottom() + 1 + 48}, 30, 24);
    onAngleChanged();
}

void RotationDialog::onAngleChanged() {
    parameters_.degrees = angleBar_->value() - kStraight;
    angleBox_->setText(formatted("%d度", {std::int64_t{parameters_.degrees}}));
}

} // namespace tavlo
