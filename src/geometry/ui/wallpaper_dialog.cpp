#include "geometry/ui/wallpaper_dialog.h"

#include "geometry/trim.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace tavlo {

namespace {

constexpr QRect kGroup{0, 8, 200, 360};

} // namespace

WallpaperDialog::WallpaperDialog(const tavlo::Document& document, QWidget* parent)
    : QWidget(parent, Qt::Window), document_(document) {
    setObjectName(QStringLiteral("Form18"));
    setWindowTitle(QStringLiteral("壁紙切り出し"));
    tooSmallLabel_ = new QLabel(QStringLiteral("元画像が小さ過ぎます。"), this);
    tooSmallLabel_->setObjectName(QStringLiteral("Label1"));
    QFont big = tooSmallLabel_->font();
    big.setPixelSize(24);
    tooSmallLabel_->setFont(big);
    tooSmallLabel_->setStyleSheet(QStringLiteral("color: red"));
    tooSmallLabel_->setGeometry(10, 10, 300, 32);
    tooSmallLabel_->hide();

    group_ = new QGroupBox(QStringLiteral("壁紙作成"), this);
    group_->setObjectName(QStringLiteral("GroupBox1"));
    group_->setGeometry(kGroup);
    runButton_ = button(group_, "Button1", QStringLiteral("実行"), {10, 22, 80, 28});
    backButton_ = button(group_, "Button2", QStringLiteral("中止"), {106, 22, 80, 28});
    horizontalBar_ = bar(group_, "ScrollBar2", Qt::Horizontal, {10, 60, 150, 17});
    verticalBar_ = bar(group_, "ScrollBar3", Qt::Vertical, {170, 60, 17, 100});
    auto* sizeGroup = new QGroupBox(QStringLiteral("壁紙寸法"), group_);
    sizeGroup->setGeometry(10, 86, 150, 140);
    for (int i = 0; i < 5; ++i) {
        const tavlo::WallpaperSize s = tavlo::kWallpaperSizes[i];
        sizeButtons_[i] =
            new QRadioButton(QStringLiteral("%1×%2").arg(s.width).arg(s.height), sizeGroup);
        sizeButtons_[i]->setObjectName(QStringLiteral("RadioButton%1").arg(i + 1));
        sizeButtons_[i]->setGeometry(10, 20 + i * 23, 130, 20);
        connect(sizeButtons_[i], &QRadioButton::clicked, this, [this, i] { chooseSize(i); });
    }
    auto* sourceGroup = new QGroupBox(QStringLiteral("元図の大きさ"), group_);
    sourceGroup->setGeometry(10, 232, 180, 60);
    sourceWidthBox_ = field(sourceGroup, "Edit2", {10, 24, 75, 22});
    sourceHeightBox_ = field(sourceGroup, "Edit3", {95, 24, 75, 22});
    auto* lineGroup = new QGroupBox(QStringLiteral("線色"), group_);
    lineGroup->setGeometry(10, 298, 180, 52);
    whiteLinesButton_ = new QRadioButton(QStringLiteral("白"), lineGroup);
    whiteLinesButton_->setObjectName(QStringLiteral("RadioButton6"));
    whiteLinesButton_->setGeometry(10, 22, 60, 20);
    whiteLinesButton_->setChecked(true);
    blackLinesButton_ = new QRadioButton(QStringLiteral("黒"), lineGroup);
    blackLinesButton_->setObjectName(QStringLiteral("RadioButton7"));
    blackLinesButton_->setGeometry(90, 22, 60, 20);

    connect(horizontalBar_, &QScrollBar::valueChanged, this, &WallpaperDialog::onHorizontalMoved);
    connect(verticalBar_, &QScrollBar::valueChanged, this, &WallpaperDialog::onVerticalMoved);
    connect(whiteLinesButton_, &QRadioButton::toggled, this, [this] { update(); });
    connectRunAndBack(this, runButton_, backButton_, AfterRun::Hide, [this] {
        emit runRequested({size_, true, frame_.left, frame_.top});
    });

    move(x(), 30);
    runButton_->setEnabled(false);
    chooseSize(tavlo::kDefaultWallpaperSize);
}

void WallpaperDialog::chooseSize(int index) {
    size_ = tavlo::kWallpaperSizes[index];
    sizeButtons_[index]->setChecked(true);
    if (opened_) setUp();
}

void WallpaperDialog::prepareForImage() {
    opened_ = true;
    setUp();
}

void WallpaperDialog::followImage() {
    if (!isVisible() || !opened_) return;
    const tavlo::TrimRect kept = frame_;
    const bool keptFits = fitFlag_;
    const QPoint place = pos();
    setUp();
    move(place);
    if (!fitFlag_ || !keptFits || kept.left > horizontalBar_->maximum() ||
        kept.top > verticalBar_->maximum())
        return;
    horizontalBar_->setValue(kept.left);
    verticalBar_->setValue(kept.top);
}

void WallpaperDialog::setUp() {
    const tavlo::Bitmap& image = document_.workImage;
    if (document_.sourcePath.empty() || image.empty()) return;
    const int w = image.width();
    const int h = image.height();
    sourceWidthBox_->setText(QString::number(w));
    sourceHeightBox_->setText(QString::number(h));
    preview_.setUp(image, palette().color(QPalette::Window));
    const std::optional<tavlo::TrimRect> centred = tavlo::centredWallpaperRect(w, h, size_);
    fitFlag_ = centred.has_value();
    tooSmallLabel_->setVisible(!fitFlag_);
    // A frame that does not fit is never handed to the main window.
    runButton_->setEnabled(fitFlag_);
    if (!fitFlag_) {
        keepGroupRightOfLabel();
        update();
        return;
    }
    frame_ = *centred;
    const QSignalBlocker holdX(horizontalBar_), holdY(verticalBar_);
    horizontalBar_->setRange(0, w - size_.width);
    horizontalBar_->setValue(frame_.left);
    verticalBar_->setRange(0, h - size_.height);
    verticalBar_->setValue(frame_.top);
    group_->move(preview_.width() + 10, kGroup.top());
    // Never lower than the group, so that the line-colour buttons are not cut off.
    const int height = std::max(preview_.height() + 32, kGroup.bottom() + 10);
    placeTopRight(this, {kGroup.width() + preview_.width() + 30, height}, 30, 24);
    update();
}

// The red label sits at the top-left corner; the group moves right of it when a small preview
// (or none yet) would let the two overlap, and the dialog, whose size is fixed, grows to hold it.
void WallpaperDialog::keepGroupRightOfLabel() {
    const int left = tooSmallLabel_->geometry().right() + 10;
    if (group_->x() < left) group_->move(left, kGroup.top());
    const QSize needed(std::max(width(), group_->geometry().right() + 10),
                       std::max(height(), group_->geometry().bottom() + 10));
    if (needed != size()) placeTopRight(this, needed, 30, 24);
}

void WallpaperDialog::onHorizontalMoved() {
    frame_.left = horizontalBar_->value();
    frame_.right = frame_.left + size_.width - 1;
    update();
}

void WallpaperDialog::onVerticalMoved() {
    frame_.top = verticalBar_->value();
    frame_.bottom = frame_.top + size_.height - 1;
    update();
}

void WallpaperDialog::paintEvent(QPaintEvent*) {
    if (!fitFlag_) return;
    QPainter painter(this);
    preview_.paint(painter, frame_, blackLinesButton_->isChecked());
}

void WallpaperDialog::mousePressEvent(QMouseEvent* event) {
    const int px = preview_.imageCoordinate(event->position().toPoint().x());
    const int py = preview_.imageCoordinate(event->position().toPoint().y());
    dragging_ =
        fitFlag_ && frame_.left < px && px < frame_.right && frame_.top < py && py < frame_.bottom;
    if (!dragging_) return;
    grabOffsetX_ = px - frame_.left;
    grabOffsetY_ = py - frame_.top;
    setCursor(Qt::PointingHandCursor);
}

void WallpaperDialog::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return;
    horizontalBar_->setValue(preview_.imageCoordinate(event->position().toPoint().x()) -
                             grabOffsetX_);
    verticalBar_->setValue(preview_.imageCoordinate(event->position().toPoint().y()) -
                           grabOffsetY_);
}

void WallpaperDialog::mouseReleaseEvent(QMouseEvent*) {
    dragging_ = false;
    unsetCursor();
}

} // namespace tavlo
