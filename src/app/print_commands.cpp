#include "app/print_commands.h"

#include "app/main_window.h"
#include "printing/ui/print_window.h"
#include "printing/ui/printer_info_window.h"

namespace tavlo {

PrintCommands::PrintCommands(MainWindow& mainWindow)
    : QObject(&mainWindow), mainWindow_(mainWindow) {
    printerInfoWindow_ = new PrinterInfoWindow(&mainWindow);
    printWindow_ = new PrintWindow(
        mainWindow.dialogs(), [&mainWindow] { return mainWindow.document().workImage; },
        *printerInfoWindow_, &mainWindow);
    connect(mainWindow.printAction, &QAction::triggered, this, &PrintCommands::onPrint);
}

void PrintCommands::onPrint() {
    const std::int32_t number = mainWindow_.counters().shared.next();
    printWindow_->Edit2->setText(QString::number(number));
    printWindow_->show();
    printWindow_->raise();
}

} // namespace tavlo
