// Where the image goes on the printer's page, in printer dots.
#pragma once

#include "printing/printer_figures.h"

#include <cstdint>

namespace tavlo {

// Right and bottom edges excluded; relative to the printable area's top-left corner.
struct DotRect {
    std::int64_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool operator==(const DotRect&) const = default;
};

// Hundredths of a millimetre, rounded half to even, turned into dots with truncating divisions.
// 64-bit products: in 32 bits, mm × 100 × dpi × 100 runs out beyond about 179 mm at 1200 dpi.
DotRect printRectangle(float leftMm, float topMm, float widthMm, float heightMm,
                       const PrinterFigures& printer);

// Round half to even that saturates instead of failing: NaN gives 0, values beyond ±2^62 stop
// there. Layout values come from user-set ratios and are clamped to bar ranges afterwards.
std::int64_t roundSaturated(long double value);

} // namespace tavlo
