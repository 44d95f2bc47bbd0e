// Colour vividness: each channel moves away from the other two by k times its difference to each.
#pragma once

#include "document/kernel_result.h"

#include <cstdint>

namespace tavlo {

// k = amount / 100 rounded to single precision; the amount lies in −50 … 50.
float vividFactor(std::int32_t amount);

// Converts any pixel format to 24 bits first, then maps every pixel: each channel becomes
// f × own − k × other1 − k × other2 with f = 1 + k + k, taken exactly, rounded to single
// precision, then + 0.5 truncated and clamped to 0 … 255. An empty image throws
// InvalidBitmapSizeError; no format is refused.
KernelResult vividBitmap(const Bitmap& source, std::int32_t amount);

} // namespace tavlo
