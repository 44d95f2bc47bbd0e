// Drives the print layout window from the command line, for the print check against a real
// printer queue:
//   tavlo_print_probe print QUEUE      prints the known image 60 × 40 mm at 15, 25 mm from the
//                                      printable area's corner; prints "DPI X1 Y1 X2 Y2", where
//                                      the image must land in sheet dots
//   tavlo_print_probe check PDF DPI X1 Y1 X2 Y2
//                                      rasterises the PDF and checks the image is there
#include "app/scripted_dialogs.h"
#include "page_measure.h"
#include "printing/ui/print_window.h"
#include "printing/ui/printer_info_window.h"
#include "printing/ui/printer_query.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>

using namespace tavlo;

namespace {

constexpr int kWidthBar = 600, kHeightBar = 400, kLeftBar = 150, kTopBar = 250;
constexpr int kImageWidth = 120, kImageHeight = 80;
constexpr int kQueueDpi = 300;

int printThrough(const QString& queue) {
    ScriptedDialogs dialogs;
    PrinterInfoWindow info;
    const tavlo::Bitmap image = knownPrintImage(kImageWidth, kImageHeight);
    PrintWindow form(
        dialogs, [&image] { return image; }, info);
    form.printer().setOutputFormat(QPrinter::NativeFormat);
    form.printer().setPrinterName(queue);
    // The queue's own resolution: cups-pdf's Ghostscript resamples a picture finer than 450 dpi
    // to 300 dpi, and only a picture kept as drawn can be compared dot for dot.
    form.printer().setResolution(kQueueDpi);
    form.readPrinter();
    if (QString::fromStdString(form.layout().printer().deviceName) != queue) {
        std::fprintf(stderr, "no printer queue %s\n", qPrintable(queue));
        return 1;
    }
    form.Edit2->setText(QStringLiteral("1"));
    form.CheckBox1->setChecked(false);
    form.ScrollBar3->setValue(kWidthBar);
    form.ScrollBar4->setValue(kHeightBar);
    form.ScrollBar1->setValue(kLeftBar);
    form.ScrollBar2->setValue(kTopBar);
    form.BitBtn1->click();
    if (!dialogs.errors.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(dialogs.errors.join(QLatin1Char('\n'))));
        return 1;
    }
    // Where the millimetres fall, worked out apart from the layout code.
    const tavlo::PrinterFigures& f = form.layout().printer();
    const auto dots = [](int tenths, int dpi) { return static_cast<int>(tenths * dpi / 254.0); };
    QTextStream(stdout) << f.dpiX << ' ' << f.offsetXPx + dots(kLeftBar, f.dpiX) << ' '
                        << f.offsetYPx + dots(kTopBar, f.dpiY) << ' '
                        << f.offsetXPx + dots(kLeftBar + kWidthBar, f.dpiX) << ' '
                        << f.offsetYPx + dots(kTopBar + kHeightBar, f.dpiY) << '\n';
    return 0;
}

int check(const QStringList& args) {
    const QRect expected(QPoint(args.at(2).toInt(), args.at(3).toInt()),
                         QPoint(args.at(4).toInt() - 1, args.at(5).toInt() - 1));
    const QString problems = checkPrintedPdf(args.at(0), args.at(1).toInt(), expected,
                                             knownPrintImage(kImageWidth, kImageHeight));
    if (!problems.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(problems));
        return 1;
    }
    std::printf("image at %d,%d-%d,%d within one dot, every dot exact\n", expected.left(),
                expected.top(), expected.right() + 1, expected.bottom() + 1);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList args = QApplication::arguments().mid(1);
    if (args.size() == 2 && args.at(0) == QLatin1String("print")) return printThrough(args.at(1));
    if (args.size() == 7 && args.at(0) == QLatin1String("check")) return check(args.mid(1));
    std::fprintf(stderr, "usage: tavlo_print_probe print QUEUE | check PDF DPI X1 Y1 X2 Y2\n");
    return 2;
}
