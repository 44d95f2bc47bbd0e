// Monochrome: each pixel's luminance in all three channels.
#pragma once

#include "document/bitmap.h"

#include <cstdint>

namespace tavlo {

// Y = 0.299 R + 0.587 G + 0.114 B (extended-precision weights and sum, the sum then stored in
// single precision), rounded half up.
std::uint8_t greyLevel(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

// Any pixel format is accepted; the result is 24 bits per pixel with three equal channels.
// Throws InvalidBitmapSizeError for an image without width or height.
Bitmap greyed(const Bitmap& source);

} // namespace tavlo
