// Synthetic printer figures for the layout, text and window tests.
#pragma once

#include "printing/printer_figures.h"

#include <utility>

namespace tavlo::test {

// A sheet of paperWidth × paperHeight dots at `dpi`, with `margin` dots unprintable all round.
inline PrinterFigures samplePrinter(int dpi, int paperWidth, int paperHeight, int margin) {
    PrinterFigures f;
    f.dpiX = f.dpiY = dpi;
    f.paperWidthPx = paperWidth;
    f.paperHeightPx = paperHeight;
    f.printableWidthPx = paperWidth - 2 * margin;
    f.printableHeightPx = paperHeight - 2 * margin;
    f.offsetXPx = f.offsetYPx = margin;
    return f;
}

// A4 at 600 dpi with a 100-dot margin, named "Office".
inline PrinterFigures a4At600() {
    PrinterFigures f = samplePrinter(600, 4960, 7016, 100);
    f.deviceName = "Office";
    return f;
}

// The same sheet turned a quarter: widths and heights, and the two offsets, trade places.
inline PrinterFigures landscape(PrinterFigures f) {
    std::swap(f.paperWidthPx, f.paperHeightPx);
    std::swap(f.printableWidthPx, f.printableHeightPx);
    std::swap(f.offsetXPx, f.offsetYPx);
    return f;
}

} // namespace tavlo::test
