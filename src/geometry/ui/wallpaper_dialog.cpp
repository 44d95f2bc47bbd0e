#include "geometry/ui/wallpaper_dialog.h"

#include "geometry/trim.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace tavlo {

namespace {

constexpr QRect kGroup{0, 8, 200, 360};

} // namespace

WallpaperDialog::WallpaperDialog(const tavlo::Document& document, tavlo::TrimRect& cut,
                                 CommandSender sender, QWidget* parent)
    : QWidget(parent, Qt::Window), document_(document), cut_(cut), sender_(std::move(sender)) {
    setObjectName(QStringLiteral("Form18"));
    setWindowTitle(QStringLiteral("壁紙切り出し"));
    Label1 = new QLabel(QStringLiteral("元画像が小さ過ぎます。"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont big = Label1->font();
    big.setPixelSize(24);
    Label1->setFont(big);
    Label1->setStyleSheet(QStringLiteral("color: red"));
    Label1->setGeometry(10, 10, 300, 32);
    Label1->hide();

    GroupBox1 = new QGroupBox(QStringLiteral("壁紙作成"), this);
    GroupBox1->setGeometry(kGroup);
    Button1 = button(GroupBox1, "Button1", QStringLiteral("実行"), {10, 22, 80, 28});
    Button2 = button(GroupBox1, "Button2", QStringLiteral("中止"), {106, 22, 80, 28});
    ScrollBar2 = bar(GroupBox1, "ScrollBar2", Qt::Horizontal, {10, 60, 150, 17});
    ScrollBar3 = bar(GroupBox1, "ScrollBar3", Qt::Vertical, {170, 60, 17, 100});
    GroupBox2 = new QGroupBox(QStringLiteral("壁紙寸法"), GroupBox1);
    GroupBox2->setGeometry(10, 86, 150, 140);
    for (int i = 0; i < 5; ++i) {
        const tavlo::WallpaperSize s = tavlo::kWallpaperSizes[i];
        sizeButtons[i] =
            new QRadioButton(QStringLiteral("%1×%2").arg(s.width).arg(s.height), GroupBox2);
        sizeButtons[i]->setObjectName(QStringLiteral("RadioButton%1").arg(i + 1));
        sizeButtons[i]->setGeometry(10, 20 + i * 23, 130, 20);
        connect(sizeButtons[i], &QRadioButton::clicked, this, [this, i] { chooseSize(i); });
    }
    GroupBox3 = new QGroupBox(QStringLiteral("元図の大きさ"), GroupBox1);
    GroupBox3->setGeometry(10, 232, 180, 60);
    Edit2 = field(GroupBox3, "Edit2", {10, 24, 75, 22});
    Edit3 = field(GroupBox3, "Edit3", {95, 24, 75, 22});
    GroupBox4 = new QGroupBox(QStringLiteral("線色"), GroupBox1);
    GroupBox4->setGeometry(10, 298, 180, 52);
    RadioButton6 = new QRadioButton(QStringLiteral("白"), GroupBox4);
    RadioButton6->setObjectName(QStringLiteral("RadioButton6"));
    RadioButton6->setGeometry(10, 22, 60, 20);
    RadioButton6->setChecked(true);
    RadioButton7 = new QRadioButton(QStringLiteral("黒"), GroupBox4);
    RadioButton7->setObjectName(QStringLiteral("RadioButton7"));
    RadioButton7->setGeometry(90, 22, 60, 20);

    connect(ScrollBar2, &QScrollBar::valueChanged, this, &WallpaperDialog::onHorizontalMoved);
    connect(ScrollBar3, &QScrollBar::valueChanged, this, &WallpaperDialog::onVerticalMoved);
    connect(RadioButton6, &QRadioButton::toggled, this, [this] { update(); });
    // Connected first, so the frame is in place before the run button sends the command.
    connect(Button1, &QPushButton::clicked, this, [this] { cut_ = frame_; });
    connectRunAndBack(this, Button1, Button2, sender_, AfterRun::Hide);

    move(x(), 30);
    Button1->setEnabled(false);
    chooseSize(tavlo::kDefaultWallpaperSize);
}

void WallpaperDialog::chooseSize(int index) {
    size_ = tavlo::kWallpaperSizes[index];
    sizeButtons[index]->setChecked(true);
    if (sharedCounter_ != 0) setUp();
}

void WallpaperDialog::prepareForImage(std::int64_t sharedCounter) {
    sharedCounter_ = sharedCounter;
    if (sharedCounter_ != 0) setUp();
}

void WallpaperDialog::setUp() {
    const tavlo::Bitmap& image = document_.workImage;
    if (document_.sourcePath.empty() || image.empty()) return;
    const int w = image.width();
    const int h = image.height();
    Edit2->setText(QString::number(w));
    Edit3->setText(QString::number(h));
    preview_.setUp(image, palette().color(QPalette::Window));
    const std::optional<tavlo::TrimRect> centred = tavlo::centredWallpaperRect(w, h, size_);
    fitFlag_ = centred.has_value();
    Label1->setVisible(!fitFlag_);
    // A frame that does not fit is never handed to the main window.
    Button1->setEnabled(fitFlag_);
    if (!fitFlag_) {
        keepGroupRightOfLabel();
        update();
        return;
    }
    frame_ = *centred;
    const QSignalBlocker holdX(ScrollBar2), holdY(ScrollBar3);
    ScrollBar2->setRange(0, w - size_.width);
    ScrollBar2->setValue(frame_.left);
    ScrollBar3->setRange(0, h - size_.height);
    ScrollBar3->setValue(frame_.top);
    GroupBox1->move(preview_.width() + 10, kGroup.top());
    // Never lower than the group, so that the line-colour buttons are not cut off.
    const int height = std::max(preview_.height() + 32, kGroup.bottom() + 10);
    placeTopRight(this, {kGroup.width() + preview_.width() + 30, height}, 30, 24);
    update();
}

// The red label sits at the top-left corner; the group moves right of it when a small preview
// (or none yet) would let the two overlap, and the dialog, whose size is fixed, grows to hold it.
void WallpaperDialog::keepGroupRightOfLabel() {
    const int left = Label1->geometry().right() + 10;
    if (GroupBox1->x() < left) GroupBox1->move(left, kGroup.top());
    const QSize needed(std::max(width(), GroupBox1->geometry().right() + 10),
                       std::max(height(), GroupBox1->geometry().bottom() + 10));
    if (needed != size()) placeTopRight(this, needed, 30, 24);
}

void WallpaperDialog::onHorizontalMoved() {
    frame_.left = ScrollBar2->value();
    frame_.right = frame_.left + size_.width - 1;
    update();
}

void WallpaperDialog::onVerticalMoved() {
    frame_.top = ScrollBar3->value();
    frame_.bottom = frame_.top + size_.height - 1;
    update();
}

void WallpaperDialog::paintEvent(QPaintEvent*) {
    if (!fitFlag_) return;
    QPainter painter(this);
    preview_.paint(painter, frame_, RadioButton7->isChecked());
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
    ScrollBar2->setValue(preview_.imageCoordinate(event->position().toPoint().x()) - grabOffsetX_);
    ScrollBar3->setValue(preview_.imageCoordinate(event->position().toPoint().y()) - grabOffsetY_);
}

void WallpaperDialog::mouseReleaseEvent(QMouseEvent*) {
    dragging_ = false;
    unsetCursor();
}

} // namespace tavlo
