#include "filters/ui/histogram_window.h"

#include <QCloseEvent>
#include <QMouseEvent>

namespace tavlo {

namespace {

constexpr int kLeft = 8, kTop = 8, kSpacing = 72;

QImage blankChart() {
    QImage image(HistogramWindow::kChartWidth, HistogramWindow::kChartHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QRgb black = qRgb(0, 0, 0);
    // The frame's right edge lies one pixel beyond the chart.
    for (int x = 0; x < HistogramWindow::kChartWidth; ++x)
        image.setPixel(x, 0, black), image.setPixel(x, HistogramWindow::kChartHeight - 1, black);
    for (int x = 0; x <= 256; x += 32)
        for (int y = 0; y < HistogramWindow::kChartHeight; ++y)
            image.setPixel(x, y, black);
    return image;
}

} // namespace

QImage chartImage(const tavlo::HistogramBins& heights, QColor colour) {
    QImage image = blankChart();
    for (int i = 0; i < 256; ++i) {
        const auto height = heights[static_cast<std::size_t>(i)];
        const int top = height >= HistogramWindow::kChartHeight
                            ? 0
                            : HistogramWindow::kChartHeight -
                                  static_cast<int>(std::max<std::int64_t>(height, 0));
        for (int y = top; y < HistogramWindow::kChartHeight; ++y)
            image.setPixel(i + 1, y, colour.rgb());
    }
    return image;
}

HistogramWindow::HistogramWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Form12"));
    const QString hints[] = {QStringLiteral("RGB合成"), QStringLiteral("Ｒ成分"),
                             QStringLiteral("Ｇ成分"), QStringLiteral("Ｂ成分")};
    for (std::size_t i = 0; i < images_.size(); ++i) {
        images_[i] = new QLabel(this);
        images_[i]->setObjectName(QStringLiteral("Image%1").arg(i + 1));
        images_[i]->setToolTip(hints[i]);
        images_[i]->installEventFilter(this);
    }
    layOutCharts();
}

void HistogramWindow::layOutCharts() {
    for (std::size_t i = 0; i < images_.size(); ++i) {
        images_[i]->setGeometry(kLeft, kTop + kSpacing * static_cast<int>(i), kChartWidth,
                                kChartHeight);
        images_[i]->setPixmap(QPixmap::fromImage(blankChart()));
    }
    const QLabel* last = images_.back();
    resize(last->x() + last->width() + 18, last->y() + last->height() + 48);
    move(10, 50);
}

void HistogramWindow::showHistogram(const tavlo::Histogram& histogram, const QString& caption) {
    layOutCharts();
    const std::pair<const tavlo::HistogramBins*, QColor> bars[] = {
        {&histogram.combined, QColor(0, 0, 0)},
        {&histogram.red, QColor(255, 0, 0)},
        {&histogram.green, QColor(0, 128, 0)},
        {&histogram.blue, QColor(0, 0, 255)}};
    for (std::size_t i = 0; i < images_.size(); ++i) {
        images_[i]->setPixmap(QPixmap::fromImage(chartImage(*bars[i].first, bars[i].second)));
    }
    setWindowTitle(caption);
}

bool HistogramWindow::eventFilter(QObject* watched, QEvent* event) {
    // The second press of a double click comes as a double click: it counts as a press too.
    const bool press =
        event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
    if (press && std::find(images_.begin(), images_.end(), watched) != images_.end()) {
        const bool taller = static_cast<QMouseEvent*>(event)->button() != Qt::RightButton;
        tallerClicks_ += taller ? 1 : -1;
        scale_.factor = tavlo::histogramFactorAfterClicks(tallerClicks_);
        emit redrawRequested(scale_);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void HistogramWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit closed();
}

void HistogramWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    raise();
}

} // namespace tavlo
