// The main window's filter and histogram commands: the eight preset filters, the median, the
// equalisation, monochrome, the histogram window and the filter-matrix dialog.
#pragma once

#include <QObject>

namespace tavlo {

class MainWindow;
class HistogramWindow;
class FilterMatrixDialog;

class FilterCommands : public QObject {
    Q_OBJECT
  public:
    // Creates the histogram window and the filter-matrix dialog and connects the menu items.
    explicit FilterCommands(MainWindow& mainWindow);

    HistogramWindow* histogramWindow() const { return histogramWindow_; }
    FilterMatrixDialog* matrixDialog() const { return filterMatrixDialog_; }

  private:
    void onHistogram(bool checked);
    // Counts the working image at the window's scale and redraws the charts. Counting first
    // turns the working image into 24 bits: a step that may fail like any other, for the runner
    // around it to report.
    void drawHistogram();

    MainWindow& mainWindow_;
    HistogramWindow* histogramWindow_; // owned by the main window
    FilterMatrixDialog* filterMatrixDialog_;
};

} // namespace tavlo
