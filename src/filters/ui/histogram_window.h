// The histogram window: four 257 × 65 charts, combined, red, green and blue. A click on a chart
// changes the vertical scale and asks for a redraw; closing the window asks to clear the menu's
// check mark.
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
    // The scale the charts are drawn at, kept for as long as the program runs.
    const HistogramScale& scale() const { return scale_; }

  signals:
    // A press on a chart changed the scale: the right button doubled the factor, any other
    // halved it.
    void redrawRequested(const tavlo::HistogramScale& scale);
    void closed();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void layOutCharts();

    HistogramScale scale_;
    // Clicks for taller bars less those for shorter ones, which the scale follows.
    int tallerClicks_ = 0;
    std::array<QLabel*, 4> images_{};
};

} // namespace tavlo
