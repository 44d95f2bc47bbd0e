// The printer information window's fields, from the figures of the last printer query.
#pragma once

#include "printing/printer_figures.h"

#include <array>
#include <string>

namespace tavlo {

struct PrinterInfoTexts {
    enum Field {
        DeviceName,
        PaperWidth,      // "用紙横幅"
        PaperHeight,     // "用紙縦長"
        PrintableWidth,  // "印刷領域幅"
        PrintableHeight, // "印刷領域長"
        PrintableRatio,  // "印刷領域(W/H)"
        OffsetLeft,
        OffsetRight,
        OffsetTop,
        OffsetBottom,
        DpiX,
        DpiY,
        Scale, // hidden in the window
        FieldCount
    };
    std::array<std::string, FieldCount> fields;
};

// Dots, then millimetres: "4960 ( 210.0)". The right and bottom offsets are what the sheet
// leaves beyond the printable area, the millimetres subtracted in single precision.
PrinterInfoTexts printerInfoTexts(const PrinterFigures& figures);

} // namespace tavlo
