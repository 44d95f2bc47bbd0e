// Drives the print layout window from the main window, as a user would, for the print check
// against a real printer queue (the system's default one, with its own paper and resolution):
//   tavlo_print_probe print SETTINGS  prints the known image with SETTINGS:
//       start      as the window first lays it out
//       reopened   "縦横比維持" off, the window closed and the image sent again
//       wholepage  a picture larger than the page, "ページ全体" with and without the ratio
//     and prints "DPI PAGE_W PAGE_H X1 Y1 X2 Y2": the resolution, the sheet in points and where
//     the image must land in sheet dots
//   tavlo_print_probe refused         prints to a queue that takes no jobs; prints the message
//   tavlo_print_probe check PDF DPI X1 Y1 X2 Y2
//                                     rasterises the PDF and checks the image is there. The
//                                     queue's Ghostscript resamples pictures finer than 450 dpi to
//                                     300, so the place and the quadrants are checked, not every
//                                     dot (the window test does that for the program's own PDF).
#include "app/menu_items.h"
#include "app/main_window.h"
#include "app/print_commands.h"
#include "app/scripted_dialogs.h"
#include "page_measure.h"
#include "printing/ui/print_window.h"
#include "window_control.h"

#include <QApplication>
#include <QImageReader>
#include <QTextStream>

#include <cstdio>

using namespace tavlo;

namespace {

// The starting size is ten times the image's size at the printer's resolution: 1800 × 1200
// dots, a size whose height the ratio gives in whole tenths of a millimetre, so that the width
// comes back from it unchanged.
constexpr int kSmallWidth = 180, kSmallHeight = 120;
// Ten times this is wider than any sheet.
constexpr int kLargeWidth = 600, kLargeHeight = 400;

struct Session {
    ScriptedDialogs dialogs;
    MainWindow mainWindow{dialogs, QString()};
    PrintCommands commands{mainWindow};
    PrintWindow& window = *commands.printWindow();

    void send(const tavlo::Bitmap& image) {
        mainWindow.document().workImage = image;
        mainWindow.menuAction(kPrintItem)->setEnabled(true);
        mainWindow.menuAction(kPrintItem)->trigger();
    }
    void click(const char* name) { control<QPushButton>(window, name)->click(); }
};

int print(const QString& settings) {
    Session session;
    PrintWindow& window = session.window;
    const tavlo::PrinterFigures& f = window.layout().printer();
    const bool large = settings == QLatin1String("wholepage");
    const tavlo::Bitmap image = large ? knownPrintImage(kLargeWidth, kLargeHeight)
                                      : knownPrintImage(kSmallWidth, kSmallHeight);
    session.send(image);
    QRect expected(f.offsetXPx, f.offsetYPx, 10 * kSmallWidth, 10 * kSmallHeight);
    if (settings == QLatin1String("reopened")) {
        control<QCheckBox>(window, "CheckBox1")->setChecked(false);
        session.click("Button1");
        session.send(image);
    } else if (large) {
        session.click("Button3");
        control<QCheckBox>(window, "CheckBox1")->setChecked(false);
        session.click("Button3");
        expected = QRect(f.offsetXPx, f.offsetYPx, f.printableWidthPx, f.printableHeightPx);
    } else if (settings != QLatin1String("start")) {
        std::fprintf(stderr, "unknown settings %s\n", qPrintable(settings));
        return 2;
    }
    session.click("BitBtn1");
    if (!session.dialogs.errors.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(session.dialogs.errors.join(QLatin1Char('\n'))));
        return 1;
    }
    const auto points = [](int dots, int dpi) { return qRound(dots * 72.0 / dpi); };
    QTextStream(stdout) << f.dpiX << ' ' << points(f.paperWidthPx, f.dpiX) << ' '
                        << points(f.paperHeightPx, f.dpiY) << ' ' << expected.left() << ' '
                        << expected.top() << ' ' << expected.right() + 1 << ' '
                        << expected.bottom() + 1 << '\n';
    return 0;
}

int refused() {
    Session session;
    session.send(knownPrintImage(kSmallWidth, kSmallHeight));
    session.click("BitBtn1");
    if (session.dialogs.errors.size() != 1) {
        std::fprintf(stderr, "%lld messages for a refused print\n",
                     static_cast<long long>(session.dialogs.errors.size()));
        return 1;
    }
    std::printf("%s\n", qPrintable(session.dialogs.errors.first()));
    return 0;
}

int check(const QStringList& args) {
    const int dpi = args.at(1).toInt();
    const QRect expected(QPoint(args.at(2).toInt(), args.at(3).toInt()),
                         QPoint(args.at(4).toInt() - 1, args.at(5).toInt() - 1));
    const QRect area =
        expected.adjusted(-32, -32, 32, 32).intersected(QRect(0, 0, 1 << 20, 1 << 20));
    const QImage page = rasterisePdf(args.at(0), dpi, area);
    const QString problems = page.isNull()
                                 ? QStringLiteral("cannot rasterise the PDF")
                                 : checkPrintedPage(page, expected.translated(-area.topLeft()));
    if (!problems.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(problems));
        return 1;
    }
    std::printf("image at %d,%d-%d,%d within one dot, its four quadrants in place\n",
                expected.left(), expected.top(), expected.right() + 1, expected.bottom() + 1);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QImageReader::setAllocationLimit(1024); // a whole sheet at 600 dpi
    const QStringList args = QApplication::arguments().mid(1);
    if (args.size() == 2 && args.at(0) == QLatin1String("print")) return print(args.at(1));
    if (args.size() == 1 && args.at(0) == QLatin1String("refused")) return refused();
    if (args.size() == 7 && args.at(0) == QLatin1String("check")) return check(args.mid(1));
    std::fprintf(stderr, "usage: tavlo_print_probe print start|reopened|wholepage | refused | "
                         "check PDF DPI X1 Y1 X2 Y2\n");
    return 2;
}
