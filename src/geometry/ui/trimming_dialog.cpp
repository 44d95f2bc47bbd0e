#include "geometry/ui/trimming_dialog.h"

#include <QPainter>

namespace tavlo {

namespace {

constexpr QRect kGroup{0, 8, 250, 300};

QLineEdit* cell(QWidget* parent, const char* name, int column, int row) {
    return field(parent, name, {40 + column * 100, 200 + row * 24, 94, 22});
}

} // namespace

TrimmingDialog::TrimmingDialog(const tavlo::Document& document, tavlo::TrimRect& cut,
                               CommandSender sender, QWidget* parent)
    : QWidget(parent, kToolWindow), document_(document), cut_(cut), sender_(std::move(sender)) {
    setObjectName(QStringLiteral("Form2"));
    GroupBox1 = new QGroupBox(QStringLiteral("トリミング指定"), this);
    GroupBox1->setGeometry(kGroup);
    ScrollBar1 = bar(GroupBox1, "ScrollBar1", Qt::Horizontal, {10, 24, 180, 17});
    ScrollBar1->setToolTip(QStringLiteral("左端調整"));
    ScrollBar2 = bar(GroupBox1, "ScrollBar2", Qt::Horizontal, {10, 48, 180, 17});
    ScrollBar2->setToolTip(QStringLiteral("右端調整"));
    ScrollBar3 = bar(GroupBox1, "ScrollBar3", Qt::Vertical, {200, 20, 17, 120});
    ScrollBar3->setToolTip(QStringLiteral("上端調整ト"));
    ScrollBar4 = bar(GroupBox1, "ScrollBar4", Qt::Vertical, {224, 20, 17, 120});
    ScrollBar4->setToolTip(QStringLiteral("下端調整"));
    Button1 = button(GroupBox1, "Button1", QStringLiteral("実　行"), {10, 80, 84, 28});
    Button2 = button(GroupBox1, "Button2", QStringLiteral("戻　る"), {104, 80, 84, 28});
    RadioButton1 = new QRadioButton(QStringLiteral("白線"), GroupBox1);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton1->setGeometry(10, 120, 80, 20);
    RadioButton1->setChecked(true);
    RadioButton2 = new QRadioButton(QStringLiteral("黒線"), GroupBox1);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    RadioButton2->setGeometry(100, 120, 80, 20);
    ScaleLabel = new QLabel(GroupBox1);
    ScaleLabel->setGeometry(10, 150, 230, 20);
    const QString headings[] = {QStringLiteral("原画像"), QStringLiteral("変更値")};
    for (int column = 0; column < 2; ++column) {
        auto* heading = new QLabel(headings[column], GroupBox1);
        heading->setGeometry(40 + column * 100, 178, 94, 20);
    }
    const QString rows[] = {QStringLiteral("W"), QStringLiteral("H"), QStringLiteral("W/H")};
    for (int row = 0; row < 3; ++row) {
        auto* heading = new QLabel(rows[row], GroupBox1);
        heading->setGeometry(6, 202 + row * 24, 34, 20);
    }
    SourceWidth = cell(GroupBox1, "SourceWidth", 0, 0);
    SourceHeight = cell(GroupBox1, "SourceHeight", 0, 1);
    SourceRatio = cell(GroupBox1, "SourceRatio", 0, 2);
    TrimWidth = cell(GroupBox1, "TrimWidth", 1, 0);
    TrimHeight = cell(GroupBox1, "TrimHeight", 1, 1);
    TrimRatio = cell(GroupBox1, "TrimRatio", 1, 2);
    Timer1 = new QTimer(this);

    connect(ScrollBar1, &QScrollBar::valueChanged, this, &TrimmingDialog::onLeftChanged);
    connect(ScrollBar2, &QScrollBar::valueChanged, this, &TrimmingDialog::onRightChanged);
    connect(ScrollBar3, &QScrollBar::valueChanged, this, &TrimmingDialog::onTopChanged);
    connect(ScrollBar4, &QScrollBar::valueChanged, this, &TrimmingDialog::onBottomChanged);
    connect(Timer1, &QTimer::timeout, this, &TrimmingDialog::onFirstRedraw);
    connect(RadioButton1, &QRadioButton::toggled, this, [this] { update(); });
    // Connected first, so the frame is in place before the run button sends the command.
    connect(Button1, &QPushButton::clicked, this, [this] { cut_ = frame_; });
    connectRunAndBack(this, Button1, Button2, sender_, AfterRun::Hide);
    // hidden until the menu opens it.
}

bool TrimmingDialog::prepareForImage() {
    const tavlo::Bitmap& image = document_.workImage;
    if (document_.sourcePath.empty() || image.width() < 2 || image.height() < 2) return false;
    setUp();
    ScrollBar1->setValue(1);
    Timer1->start(100);
    return true;
}

void TrimmingDialog::setUp() {
    const tavlo::Bitmap& image = document_.workImage;
    const int w = image.width();
    const int h = image.height();
    SourceWidth->setText(QString::number(w));
    SourceHeight->setText(QString::number(h));
    SourceRatio->setText(formatted("%-8.5n", {static_cast<long double>(double(w) / h)}));
    preview_.setUp(image, palette().color(QPalette::Window));
    ScaleLabel->setText(formatted("縮尺= %-8.5n ", {static_cast<long double>(preview_.scale())}));
    // A bar already standing at its new position reports no change, so the frame is set here.
    frame_ = {0, 0, w - 1, h - 1};
    ScrollBar1->setMinimum(0);
    ScrollBar1->setMaximum(w - 2);
    ScrollBar1->setValue(0);
    ScrollBar2->setMinimum(1);
    ScrollBar2->setMaximum(w - 1);
    ScrollBar2->setValue(w - 1);
    ScrollBar3->setMinimum(0);
    ScrollBar3->setMaximum(h - 2);
    ScrollBar3->setValue(0);
    ScrollBar4->setMaximum(h - 1);
    ScrollBar4->setMinimum(1);
    ScrollBar4->setValue(h - 1);
    GroupBox1->move(preview_.width() + 10, kGroup.top());
    const int height = preview_.height() >= 300 ? preview_.height() + 32 : kGroup.height() + 32;
    placeTopRight(this, {kGroup.width() + preview_.width() + 30, height}, 30, 24);
    drawFrame();
}

void TrimmingDialog::onLeftChanged() {
    frame_.left = ScrollBar1->value();
    ScrollBar2->setMinimum(frame_.left + 1);
    drawFrame();
}

void TrimmingDialog::onRightChanged() {
    frame_.right = ScrollBar2->value();
    ScrollBar1->setMaximum(frame_.right - 1);
    drawFrame();
}

void TrimmingDialog::onTopChanged() {
    frame_.top = ScrollBar3->value();
    ScrollBar4->setMinimum(frame_.top + 1);
    drawFrame();
}

void TrimmingDialog::onBottomChanged() {
    frame_.bottom = ScrollBar4->value();
    ScrollBar3->setMaximum(frame_.bottom - 1);
    drawFrame();
}

void TrimmingDialog::onFirstRedraw() {
    Timer1->stop();
    ScrollBar1->setValue(0);
}

void TrimmingDialog::drawFrame() {
    const int width = frame_.right - frame_.left + 1;
    const int height = frame_.bottom - frame_.top + 1;
    TrimWidth->setText(QString::number(width));
    TrimHeight->setText(QString::number(height));
    TrimRatio->setText(formatted("%-8.5n", {static_cast<long double>(static_cast<float>(
                                               static_cast<long double>(width) / height))}));
    update();
}

void TrimmingDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    preview_.paint(painter, frame_, RadioButton2->isChecked());
}

} // namespace tavlo
