// Gamma correction: v becomes 255 × (v / 255)^(1/γ), γ = 1 + amount / 100.
#pragma once

#include "document/channel_lookup.h"
#include "document/kernel_result.h"

#include <cstdint>

namespace tavlo {

// γ as the program holds it: the amount in single precision, / 100, + 1, rounded to single.
float gammaValue(std::int32_t amount);

// One channel value: 0 stays 0; otherwise t = ln(v / 255) rounded to single, e^(t / γ) × 255
// rounded to single, + 0.5 truncated and clamped.
std::uint8_t gammaCorrected(int v, float gamma);

// The same table for all three channels.
ChannelTables gammaTables(std::int32_t amount);
// Converts any pixel format to 24 bits first, then maps every channel. An empty image throws
// InvalidBitmapSizeError; no format is refused.
KernelResult gammaBitmap(const Bitmap& source, std::int32_t amount);

} // namespace tavlo
