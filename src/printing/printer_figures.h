// What the program knows of the current printer: its resolution, sheet, printable area and
// scale in printer dots, the same in millimetres, and the paper's name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tavlo {

struct PrinterFigures {
    std::int32_t scale = 100; // percent
    std::int32_t dpiX = 0, dpiY = 0;
    std::int32_t paperWidthPx = 0, paperHeightPx = 0;
    std::int32_t printableWidthPx = 0, printableHeightPx = 0;
    std::int32_t offsetXPx = 0, offsetYPx = 0; // printable area from the sheet's top-left corner
    std::string deviceName;
};

// The figures in millimetres, each with the dots per inch of its own axis.
struct PrinterMillimetres {
    float paperWidth = 0, paperHeight = 0;
    float printableWidth = 0, printableHeight = 0;
    float offsetX = 0, offsetY = 0;
};

// px × 2540 / dpi / scale, every step in single precision.
float pxToMm(std::int32_t px, std::int32_t dpi, std::int32_t scale);

// Throws std::invalid_argument for figures no printer gives (resolution, scale or sheet not
// positive), so that no later division is by zero.
PrinterMillimetres millimetresOf(const PrinterFigures& figures);

// Preview pixels per millimetre: the longer side of the sheet is drawn 480 pixels long.
float previewScaleOf(const PrinterMillimetres& mm);

// "A4", "A5", "B5", "L判", "2L判", "はがき" or "その他", from the sheet's whole millimetres.
std::string_view paperName(float paperWidthMm, float paperHeightMm);

// The print window's paper line: "A4 (W:210.0×H:297.0 = 0.7071)".
std::string paperLabel(const PrinterMillimetres& mm);

} // namespace tavlo
