// The RGB density tone curve: a piecewise-linear map of channel values through four breakpoints.
#pragma once

#include "document/channel_lookup.h"
#include "document/kernel_result.h"
#include "tone_parameters.h"

#include <cstdint>

namespace tavlo {

// The curve's value at input v (0 … 255), clamped to 0 … 255. The breakpoint input P2 must not be
// 0 (the first segment would divide by it).
std::uint8_t toneCurveValue(const ToneCurve& curve, int v);

// The curve's table for the channels it selects, the identity for the others.
ChannelTables toneCurveTables(const ToneCurve& curve);
// Maps the channels the curve selects (all, red, green or blue; none for any other channel
// number) of a 24-bit image. Other pixel formats are refused unconverted; an empty image throws
// InvalidBitmapSizeError.
KernelResult toneCurveBitmap(const Bitmap& source, const ToneCurve& curve);

} // namespace tavlo
