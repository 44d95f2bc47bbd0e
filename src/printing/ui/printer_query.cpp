#include "printing/ui/printer_query.h"

#include <QPrinterInfo>

namespace tavlo {

namespace {

constexpr int kPdfResolution = 600;

} // namespace

bool systemHasPrinter() {
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

bool choosePrinter(QPrinter& printer) {
    const QStringList names = QPrinterInfo::availablePrinterNames();
    if (names.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setResolution(kPdfResolution);
        return false;
    }
    QString name = QPrinterInfo::defaultPrinterName();
    if (name.isEmpty()) name = names.first();
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(name);
    return true;
}

bool printerReachable(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::PdfFormat ||
           QPrinterInfo::availablePrinterNames().contains(printer.printerName());
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
