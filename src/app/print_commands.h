// The main window's print command: "画像印刷(&P)" hands the working image to the print layout
// window, which also opens the printer information window.
#pragma once

#include <QObject>

#include <memory>

namespace tavlo {

class MainWindow;
class PrintWindow;
class PrinterInfoWindow;

class PrintCommands : public QObject {
    Q_OBJECT
  public:
    // Creates the printer information and print layout windows (the printer is queried now)
    // and connects P1.
    explicit PrintCommands(MainWindow& mainWindow);
    ~PrintCommands() override;

    PrintWindow* printWindow() const { return printWindow_.get(); }
    PrinterInfoWindow* printerInfoWindow() const { return printerInfoWindow_.get(); }

  private:
    void onPrint();

    MainWindow& mainWindow_;
    std::unique_ptr<PrinterInfoWindow> printerInfoWindow_;
    std::unique_ptr<PrintWindow> printWindow_;
};

} // namespace tavlo
