#include "geometry/ui/trimming_dialog.h"

#include <QPainter>

namespace tavlo {

namespace {

constexpr QRect kGroup{0, 8, 250, 300};

QLineEdit* cell(QWidget* parent, const char* name, int column, int row) {
    return field(parent, name, {40 + column * 100, 200 + row * 24, 94, 22});
}

} // namespace

TrimmingDialog::TrimmingDialog(const tavlo::Document& document, QWidget* parent)
    : QWidget(parent, kToolWindow), document_(document) {
    setObjectName(QStringLiteral("Form2"));
    group_ = new QGroupBox(QStringLiteral("トリミング指定"), this);
    group_->setGeometry(kGroup);
    leftBar_ = bar(group_, "ScrollBar1", Qt::Horizontal, {10, 24, 180, 17});
    leftBar_->setToolTip(QStringLiteral("左端調整"));
    rightBar_ = bar(group_, "ScrollBar2", Qt::Horizontal, {10, 48, 180, 17});
    rightBar_->setToolTip(QStringLiteral("右端調整"));
    topBar_ = bar(group_, "ScrollBar3", Qt::Vertical, {200, 20, 17, 120});
    topBar_->setToolTip(QStringLiteral("上端調整ト"));
    bottomBar_ = bar(group_, "ScrollBar4", Qt::Vertical, {224, 20, 17, 120});
    bottomBar_->setToolTip(QStringLiteral("下端調整"));
    runButton_ = button(group_, "Button1", QStringLiteral("実　行"), {10, 80, 84, 28});
    backButton_ = button(group_, "Button2", QStringLiteral("戻　る"), {104, 80, 84, 28});
    whiteLinesButton_ = new QRadioButton(QStringLiteral("白線"), group_);
    whiteLinesButton_->setObjectName(QStringLiteral("RadioButton1"));
    whiteLinesButton_->setGeometry(10, 120, 80, 20);
    whiteLinesButton_->setChecked(true);
    blackLinesButton_ = new QRadioButton(QStringLiteral("黒線"), group_);
    blackLinesButton_->setObjectName(QStringLiteral("RadioButton2"));
    blackLinesButton_->setGeometry(100, 120, 80, 20);
    scaleLabel_ = new QLabel(group_);
    scaleLabel_->setGeometry(10, 150, 230, 20);
    const QString headings[] = {QStringLiteral("原画像"), QStringLiteral("変更値")};
    for (int column = 0; column < 2; ++column) {
        auto* heading = new QLabel(headings[column], group_);
        heading->setGeometry(40 + column * 100, 178, 94, 20);
    }
    const QString rows[] = {QStringLiteral("W"), QStringLiteral("H"), QStringLiteral("W/H")};
    for (int row = 0; row < 3; ++row) {
        auto* heading = new QLabel(rows[row], group_);
        heading->setGeometry(6, 202 + row * 24, 34, 20);
    }
    sourceWidthBox_ = cell(group_, "SourceWidth", 0, 0);
    sourceHeightBox_ = cell(group_, "SourceHeight", 0, 1);
    sourceRatioBox_ = cell(group_, "SourceRatio", 0, 2);
    trimWidthBox_ = cell(group_, "TrimWidth", 1, 0);
    trimHeightBox_ = cell(group_, "TrimHeight", 1, 1);
    trimRatioBox_ = cell(group_, "TrimRatio", 1, 2);
    redrawTimer_ = new QTimer(this);
    redrawTimer_->setObjectName(QStringLiteral("Timer1"));

    connect(leftBar_, &QScrollBar::valueChanged, this, &TrimmingDialog::onLeftChanged);
    connect(rightBar_, &QScrollBar::valueChanged, this, &TrimmingDialog::onRightChanged);
    connect(topBar_, &QScrollBar::valueChanged, this, &TrimmingDialog::onTopChanged);
    connect(bottomBar_, &QScrollBar::valueChanged, this, &TrimmingDialog::onBottomChanged);
    connect(redrawTimer_, &QTimer::timeout, this, &TrimmingDialog::onFirstRedraw);
    connect(whiteLinesButton_, &QRadioButton::toggled, this, [this] { update(); });
    connectRunAndBack(this, runButton_, backButton_, AfterRun::Hide,
                      [this] { emit runRequested(frame_); });
    // hidden until the menu opens it.
}

bool TrimmingDialog::prepareForImage() {
    const tavlo::Bitmap& image = document_.workImage;
    if (document_.sourcePath.empty() || image.width() < 2 || image.height() < 2) return false;
    setUp();
    leftBar_->setValue(1);
    redrawTimer_->start(100);
    return true;
}

void TrimmingDialog::followImage() {
    if (!isVisible()) return;
    const tavlo::Bitmap& image = document_.workImage;
    if (image.width() < 2 || image.height() < 2) {
        hide();
        return;
    }
    const tavlo::TrimRect kept = frame_;
    const QPoint place = pos();
    setUp();
    move(place);
    if (kept.right >= image.width() || kept.bottom >= image.height()) return;
    // The far edges first, so that each near edge's limit has been opened for it.
    rightBar_->setValue(kept.right);
    leftBar_->setValue(kept.left);
    bottomBar_->setValue(kept.bottom);
    topBar_->setValue(kept.top);
}

void TrimmingDialog::setUp() {
    const tavlo::Bitmap& image = document_.workImage;
    const int w = image.width();
    const int h = image.height();
    sourceWidthBox_->setText(QString::number(w));
    sourceHeightBox_->setText(QString::number(h));
    sourceRatioBox_->setText(formatted("%-8.5n", {static_cast<long double>(double(w) / h)}));
    preview_.setUp(image, palette().color(QPalette::Window));
    scaleLabel_->setText(formatted("縮尺= %-8.5n ", {static_cast<long double>(preview_.scale())}));
    // A bar already standing at its new position reports no change, so the frame is set here.
    frame_ = {0, 0, w - 1, h - 1};
    leftBar_->setMinimum(0);
    leftBar_->setMaximum(w - 2);
    leftBar_->setValue(0);
    rightBar_->setMinimum(1);
    rightBar_->setMaximum(w - 1);
    rightBar_->setValue(w - 1);
    topBar_->setMinimum(0);
    topBar_->setMaximum(h - 2);
    topBar_->setValue(0);
    bottomBar_->setMaximum(h - 1);
    bottomBar_->setMinimum(1);
    bottomBar_->setValue(h - 1);
    group_->move(preview_.width() + 10, kGroup.top());
    const int height = preview_.height() >= 300 ? preview_.height() + 32 : kGroup.height() + 32;
    placeTopRight(this, {kGroup.width() + preview_.width() + 30, height}, 30, 24);
    drawFrame();
}

void TrimmingDialog::onLeftChanged() {
    frame_.left = leftBar_->value();
    rightBar_->setMinimum(frame_.left + 1);
    drawFrame();
}

void TrimmingDialog::onRightChanged() {
    frame_.right = rightBar_->value();
    leftBar_->setMaximum(frame_.right - 1);
    drawFrame();
}

void TrimmingDialog::onTopChanged() {
    frame_.top = topBar_->value();
    bottomBar_->setMinimum(frame_.top + 1);
    drawFrame();
}

void TrimmingDialog::onBottomChanged() {
    frame_.bottom = bottomBar_->value();
    topBar_->setMaximum(frame_.bottom - 1);
    drawFrame();
}

void TrimmingDialog::onFirstRedraw() {
    redrawTimer_->stop();
    leftBar_->setValue(0);
}

void TrimmingDialog::drawFrame() {
    const int width = frame_.right - frame_.left + 1;
    const int height = frame_.bottom - frame_.top + 1;
    trimWidthBox_->setText(QString::number(width));
    trimHeightBox_->setText(QString::number(height));
    trimRatioBox_->setText(formatted("%-8.5n", {static_cast<long double>(static_cast<float>(
                                                   static_cast<long double>(width) / height))}));
    update();
}

void TrimmingDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    preview_.paint(painter, frame_, blackLinesButton_->isChecked());
}

} // namespace tavlo
