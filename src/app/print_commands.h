// The main window's print command: "画像印刷(&P)" hands the working image to the print layout
// window, which also opens the printer information window.
#pragma once

#include <QObject>

namespace tavlo {

class MainWindow;
class PrintWindow;
class PrinterInfoWindow;

class PrintCommands : public QObject {
    Q_OBJECT
  public:
    // Creates the printer information and print layout windows (the printer is queried now)
    // and connects the print menu item.
    explicit PrintCommands(MainWindow& mainWindow);

    PrintWindow* printWindow() const { return printWindow_; }
    PrinterInfoWindow* printerInfoWindow() const { return printerInfoWindow_; }

  private:
    void onPrint();

    MainWindow& mainWindow_;
    PrinterInfoWindow* printerInfoWindow_; // owned by the main window
    PrintWindow* printWindow_;
};

} // namespace tavlo
