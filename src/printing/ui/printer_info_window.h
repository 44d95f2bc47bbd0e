// The printer information window: the figures of the last printer query, in dots with
// millimetres in parentheses. Always on top; "確認" hides it.
#pragma once

#include "printing/printer_figures.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

namespace tavlo {

class PrinterInfoWindow : public QWidget {
    Q_OBJECT
  public:
    explicit PrinterInfoWindow(QWidget* parent = nullptr);

    // Fills the fields from the figures, then shows the window.
    void showPrinterInfo(const tavlo::PrinterFigures& figures);

    QLineEdit *Memo1, *Memo2, *Memo3, *Memo4, *Memo5, *Memo6, *Memo7, *Memo8, *Memo9, *Memo10,
        *Memo11, *Memo12, *Memo13;
    QLabel *Label9, *Label10;
    QPushButton* BitBtn1;

  protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace tavlo
