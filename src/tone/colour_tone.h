// Colour tone: an amount added to each channel of a 24-bit image.
#pragma once

#include "document/channel_lookup.h"
#include "document/kernel_result.h"

#include <array>
#include <cstdint>

namespace tavlo {

// The tables that add offsets (red, green, blue), clamping to 0 … 255.
ChannelTables colourToneTables(const std::array<std::int32_t, 3>& offsets);
// Adds offsets (red, green, blue) to every pixel, clamping to 0 … 255. Other pixel formats than
// 24 bits are refused unconverted; an empty image throws InvalidBitmapSizeError.
KernelResult colourToneBitmap(const Bitmap& source, const std::array<std::int32_t, 3>& offsets);

} // namespace tavlo
