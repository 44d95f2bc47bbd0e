// The main window's filter and histogram commands: the eight preset filters, the median, the
// equalisation, monochrome, the histogram window (H4) and the filter-matrix dialog (H5).
#pragma once

#include "filters/filter_kernel.h"
#include "filters/histogram.h"

#include <QObject>

#include <cstdint>
#include <memory>

class TForm1;
class TForm12;
class TForm16;

class FilterCommands : public QObject {
    Q_OBJECT
  public:
    // Creates the histogram window and the filter-matrix dialog, connects the menu items and
    // registers the handlers of Edit7, Edit8 and Edit12.
    explicit FilterCommands(TForm1& form1);
    ~FilterCommands() override;

    TForm12* histogramWindow() const { return Form12.get(); }
    TForm16* matrixDialog() const { return Form16.get(); }
    const tavlo::FilterKernel& filterKernel() const { return kernel_; }
    float histogramFactor() const { return histogramFactor_; }

  private:
    void ApplyFilterPreset(int n);
    void N13Click();
    void C3Click();
    void B1Click();
    void H4Click(bool checked);
    void H5Click();
    void Edit7Change();
    void Edit8Change();
    void Edit12Change(std::int64_t value);
    void chartClicked(Qt::MouseButton button);
    // Counts the working image and redraws the charts (ComputeHistogram); false after reporting
    // an image without width or height.
    bool ComputeHistogram();

    TForm1& form1_;
    tavlo::FilterKernel kernel_ = tavlo::kResetKernel;
    float histogramFactor_ = tavlo::kInitialHistogramFactor;
    bool lastMatrixRunDone_ = false;
    std::unique_ptr<TForm12> Form12;
    std::unique_ptr<TForm16> Form16;
};
