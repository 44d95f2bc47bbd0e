// The printer information window: the figures of the last printer query, in dots with
// millimetres in parentheses. Always on top; "確認" hides it.
#pragma once

#include "printing/printer_figures.h"
#include "printing/printer_info_texts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <array>

namespace tavlo {

class PrinterInfoWindow : public QWidget {
    Q_OBJECT
  public:
    explicit PrinterInfoWindow(QWidget* parent = nullptr);

    // Fills the fields from the figures, then shows the window.
    void showPrinterInfo(const tavlo::PrinterFigures& figures);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    std::array<QLineEdit*, tavlo::PrinterInfoTexts::FieldCount> fields_{};
};

} // namespace tavlo
