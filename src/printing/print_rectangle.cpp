#include "printing/print_rectangle.h"

#include "document/text_format.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tavlo {

std::int64_t roundSaturated(long double value) {
    constexpr long double kLimit = 4611686018427387904.0L; // 2^62
    if (std::isnan(value)) return 0;
    if (value >= kLimit) return std::int64_t{1} << 62;
    if (value <= -kLimit) return -(std::int64_t{1} << 62);
    return roundHalfEven(value);
}

namespace {

std::int64_t dots(std::int64_t hundredths, std::int32_t dpi, std::int32_t scale) {
    // Far beyond any sheet the product would leave 64 bits; stop at the largest that fits.
    const std::int64_t perHundredth = std::int64_t{dpi} * 100;
    const std::int64_t limit = std::numeric_limits<std::int64_t>::max() / perHundredth;
    const std::int64_t clamped = std::clamp(hundredths, -limit, limit);
    return clamped * perHundredth / scale / 2540;
}

} // namespace

DotRect printRectangle(float leftMm, float topMm, float widthMm, float heightMm,
                       const PrinterFigures& printer) {
    const std::int64_t l = roundSaturated(leftMm * 100.0f);
    const std::int64_t t = roundSaturated(topMm * 100.0f);
    const std::int64_t r = roundSaturated((widthMm + leftMm) * 100.0f);
    const std::int64_t b = roundSaturated((heightMm + topMm) * 100.0f);
    return {dots(l, printer.dpiX, printer.scale), dots(t, printer.dpiY, printer.scale),
            dots(r, printer.dpiX, printer.scale), dots(b, printer.dpiY, printer.scale)};
}

} // namespace tavlo
