#include "app/print_commands.h"
#include "app/menu_items.h"

#include "app/main_window.h"
#include "printing/ui/print_window.h"
#include "printing/ui/printer_info_window.h"

namespace tavlo {

PrintCommands::PrintCommands(MainWindow& mainWindow)
    : QObject(&mainWindow), mainWindow_(mainWindow) {
    printerInfoWindow_ = new PrinterInfoWindow(&mainWindow);
    printWindow_ = new PrintWindow(
        mainWindow.dialogs(),
        [&mainWindow](const std::function<void()>& work) { return mainWindow.runAction(work); },
        *printerInfoWindow_, &mainWindow);
    connect(mainWindow.menuAction(kPrintItem), &QAction::triggered, this, &PrintCommands::onPrint);
}

void PrintCommands::onPrint() {
    printWindow_->receiveImage(mainWindow_.document().workImage);
    printWindow_->show();
    printWindow_->raise();
}

} // namespace tavlo
