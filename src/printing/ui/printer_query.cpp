#include "printing/ui/printer_query.h"

#include "printing/ui/print_queue.h"

#include <QPrinterInfo>

namespace tavlo {

namespace {

constexpr int kPdfResolution = 600;

} // namespace

bool choosePrinter(QPrinter& printer) {
    const QStringList names = QPrinterInfo::availablePrinterNames();
    if (names.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setResolution(kPdfResolution);
        useQueueResolutionAndArea(printer);
        return false;
    }
    QString name = QPrinterInfo::defaultPrinterName();
    if (name.isEmpty()) name = names.first();
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(name);
    // Qt starts every printer on A4 whatever the queue's own paper.
    const QPageSize paper = QPrinterInfo::printerInfo(name).defaultPageSize();
    if (paper.isValid()) printer.setPageSize(paper);
    useQueueResolutionAndArea(printer);
    return true;
}

void useQueueResolutionAndArea(QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::NativeFormat)
        if (const int dpi = queueResolution(printer.printerName()); dpi > 0)
            printer.setResolution(dpi);
    const QPageLayout layout = printer.pageLayout();
    printer.setPageMargins(layout.minimumMargins(), layout.units());
}

tavlo::PrinterFigures queryPrinter(const QPrinter& printer) {
    tavlo::PrinterFigures figures;
    figures.scale = 100;
    figures.dpiX = printer.logicalDpiX();
    figures.dpiY = printer.logicalDpiY();
    const QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
    const QRect page = printer.pageRect(QPrinter::DevicePixel).toRect();
    figures.paperWidthPx = paper.width();
    figures.paperHeightPx = paper.height();
    figures.printableWidthPx = page.width();
    figures.printableHeightPx = page.height();
    figures.offsetXPx = page.left() - paper.left();
    figures.offsetYPx = page.top() - paper.top();
    figures.deviceName = printer.outputFormat() == QPrinter::PdfFormat
                             ? std::string(kPdfDeviceName)
                             : printer.printerName().toStdString();
    return figures;
}

} // namespace tavlo
