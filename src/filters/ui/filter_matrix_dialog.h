// The filter-matrix dialog: nine coefficient boxes, their sum, apply, back, reset, and
// saving and loading the coefficients as a ".mtx" file. It writes the shared kernel and hands
// "apply" and "back" to the main window; it never touches pixels.
#pragma once

#include "filters/filter_kernel.h"
#include "widgets/dialog_service.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <array>
#include <functional>

namespace tavlo {

class FilterMatrixDialog : public QWidget {
    Q_OBJECT
  public:
    struct Actions {
        std::function<void()> apply; // the kernel is read; run it now
        std::function<void()> back;  // cancel and hide
    };

    FilterMatrixDialog(tavlo::FilterKernel& kernel, DialogService& dialogs, QString programFolder,
                       Actions actions, QWidget* parent = nullptr);

    QLineEdit* box(int i) const { return boxes_[static_cast<std::size_t>(i)]; }
    QLineEdit* sumBox() const { return Memo10; }

    // Reads the nine boxes into the kernel and shows the sum; false, after reporting the box that
    // is not an integer, when one is not (the boxes before it are taken).
    bool readBoxes();

    void onApply();            // 実行
    void onBack();             // 戻る
    void onReset();            // ﾘｾｯﾄ
    void onSaveCoefficients(); // 定数保存
    void onLoadCoefficients(); // 定数読み込み

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void onCoefficientEdited(int i);
    // Fills the boxes without running the box rule on each, then reads them once, so that no
    // half-filled state is reported.
    void setBoxes(const tavlo::FilterKernel& values);

    tavlo::FilterKernel& kernel_;
    DialogService& dialogs_;
    QString programFolder_;
    Actions actions_;
    bool filling_ = false;

    QGroupBox* GroupBox1;
    std::array<QLineEdit*, 9> boxes_{};
    QLabel* Label10;
    QLineEdit* Memo10;
    QPushButton *Button1, *Button4, *Button2, *Button3, *Button5;
};

} // namespace tavlo
