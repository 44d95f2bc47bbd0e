// Contrast and brightness, pivoting on the mid level 128.
#pragma once

#include "document/channel_lookup.h"
#include "document/kernel_result.h"
#include "tone_parameters.h"

#include <cstdint>

namespace tavlo {

// clamp(Round((v + b) × (1 + c / 128)) − c), Round taking ties to the even neighbour.
std::uint8_t contrastValue(int v, std::int32_t contrast, std::int32_t brightness);

// The tables of each channel's contrast and brightness.
ChannelTables contrastTables(const ContrastSettings& settings);
// Maps each channel of a 24-bit image with that channel's contrast and brightness. Other pixel
// formats are refused unconverted; an empty image throws InvalidBitmapSizeError.
KernelResult contrastBitmap(const Bitmap& source, const ContrastSettings& settings);

} // namespace tavlo
