// The main window's filter and histogram commands: the eight preset filters, the median, the
// equalisation, monochrome, the histogram window (H4) and the filter-matrix dialog (H5).
#pragma once

#include "filters/filter_kernel.h"
#include "filters/histogram.h"

#include <QObject>

#include <cstdint>

namespace tavlo {

class MainWindow;
class HistogramWindow;
class FilterMatrixDialog;

class FilterCommands : public QObject {
    Q_OBJECT
  public:
    // Creates the histogram window and the filter-matrix dialog, connects the menu items and
    // registers the handlers of Edit7, Edit8 and Edit12.
    explicit FilterCommands(MainWindow& mainWindow);

    HistogramWindow* histogramWindow() const { return histogramWindow_; }
    FilterMatrixDialog* matrixDialog() const { return filterMatrixDialog_; }
    const tavlo::FilterKernel& filterKernel() const { return kernel_; }
    float histogramFactor() const { return histogramFactor_; }

  private:
    void applyFilterPreset(int n);
    void onMedian();
    void onEqualise();
    void onMonochrome();
    void onHistogram(bool checked);
    void onCustomFilter();
    void onHistogramShowCommand();
    void onHistogramRedrawCommand();
    void onMatrixCommand(std::int64_t value);
    void chartClicked(Qt::MouseButton button);
    // Counts the working image and redraws the charts (computeHistogram); false after reporting
    // an image without width or height.
    bool computeHistogram();

    MainWindow& mainWindow_;
    tavlo::FilterKernel kernel_ = tavlo::kResetKernel;
    float histogramFactor_ = tavlo::kInitialHistogramFactor;
    HistogramWindow* histogramWindow_; // owned by the main window
    FilterMatrixDialog* filterMatrixDialog_;
};

} // namespace tavlo
