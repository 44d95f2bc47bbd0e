// The histogram window: four 257 × 65 charts, combined, red, green and blue. A click
// on a chart asks for a new scale; closing the window asks to clear the menu's check mark.
#pragma once

#include "filters/histogram.h"

#include <QColor>
#include <QImage>
#include <QLabel>
#include <QWidget>

#include <array>

namespace tavlo {

// One chart: white, a black frame and nine grid lines, and a bar per value at x = value + 1,
// rising from the bottom edge and cut at the top.
QImage chartImage(const tavlo::HistogramBins& heights, QColor colour);

class HistogramWindow : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kChartWidth = 257, kChartHeight = 65;

    explicit HistogramWindow(QWidget* parent = nullptr);

    // Redraws the charts and puts the window back at its place; shows nothing by itself.
    void showHistogram(const tavlo::Histogram& histogram, const QString& caption);
    const QImage& chart(int i) const { return charts_[static_cast<std::size_t>(i)]; }
    QLabel* chartLabel(int i) const { return images_[static_cast<std::size_t>(i)]; }

  signals:
    // Right button: the scale doubles; any other: it halves (Img1MDown … Img4MDown).
    void chartClicked(Qt::MouseButton button);
    void closed();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void layOutCharts();

    std::array<QLabel*, 4> images_{};
    std::array<QImage, 4> charts_;
};

} // namespace tavlo
