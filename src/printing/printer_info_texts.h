// The printer information window's fields, from the figures of the last printer query.
#pragma once

#include "printing/printer_figures.h"

#include <array>
#include <string>

namespace tavlo {

struct PrinterInfoTexts {
    enum Field {
        DeviceName,      // Memo10
        PaperWidth,      // Memo1 "用紙横幅"
        PaperHeight,     // Memo2 "用紙縦長"
        PrintableWidth,  // Memo3 "印刷領域幅"
        PrintableHeight, // Memo4 "印刷領域長"
        PrintableRatio,  // Memo13 "印刷領域(W/H)"
        OffsetLeft,      // Memo5
        OffsetRight,     // Memo11
        OffsetTop,       // Memo6
        OffsetBottom,    // Memo12
        DpiX,            // Memo7
        DpiY,            // Memo8
        Scale,           // Memo9 (hidden)
        FieldCount
    };
    std::array<std::string, FieldCount> fields;
};

// Dots, then millimetres: "4960 ( 210.0)". The right and bottom offsets are what the sheet
// leaves beyond the printable area, the millimetres subtracted in single precision.
PrinterInfoTexts printerInfoTexts(const PrinterFigures& figures);

} // namespace tavlo
