// The filter-matrix dialog: nine coefficient boxes, their sum, apply, back, reset, and
// saving and loading the coefficients as a ".mtx" file. It hands the kernel its boxes hold to
// whoever runs it; it never touches pixels.
#pragma once

#include "filters/filter_kernel.h"
#include "widgets/dialog_service.h"

#include <QLineEdit>
#include <QWidget>

#include <array>

namespace tavlo {

class FilterMatrixDialog : public QWidget {
    Q_OBJECT
  public:
    FilterMatrixDialog(DialogService& dialogs, QString programFolder, QWidget* parent = nullptr);

    // A preset menu item ran `kernel`: the boxes show it, so that "実行" and "定数保存" use what
    // they show.
    void showKernel(const tavlo::FilterKernel& kernel) { setBoxes(kernel); }

  signals:
    // 実行, once all nine boxes read as integers: the kernel they hold. The dialog stays open.
    void runRequested(const tavlo::FilterKernel& kernel);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void onCoefficientEdited(int i);
    // Reads the nine boxes into the kernel and shows the sum; false, after reporting the box that
    // is not an integer, when one is not (the boxes before it are taken).
    bool readBoxes();
    // Fills the boxes without running the box rule on each, then reads them once, so that no
    // half-filled state is reported.
    void setBoxes(const tavlo::FilterKernel& values);
    void onApply();            // 実行
    void onReset();            // ﾘｾｯﾄ
    void onSaveCoefficients(); // 定数保存
    void onLoadCoefficients(); // 定数読み込み

    tavlo::FilterKernel kernel_ = tavlo::kResetKernel;
    DialogService& dialogs_;
    QString programFolder_;
    bool filling_ = false;

    std::array<QLineEdit*, 9> boxes_{};
    QLineEdit* sumBox_;
};

} // namespace tavlo
