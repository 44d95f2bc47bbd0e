// How the colour kernels turn a floating-point result into a channel value.
#pragma once

#include <cmath>
#include <cstdint>

namespace tavlo {

// value + 0.5 (in extended precision) truncated toward zero, then clamped to 0 … 255. A value
// that is not a number (only a curve that divides by zero gives one) reads as 0.
inline std::uint8_t roundedHalfUpChannel(long double value) {
    const long double r = std::trunc(value + 0.5L);
    if (!(r >= 0)) return 0;
    if (r > 255) return 255;
    return static_cast<std::uint8_t>(r);
}

} // namespace tavlo
