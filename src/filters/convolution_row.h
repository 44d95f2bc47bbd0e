// The inner bytes of one row of a 3 × 3 convolution, compiled for each instruction set and picked
// at run time.
#pragma once

#include "filter_kernel.h"

#include <cstdint>

namespace tavlo {

// Bytes [3, 3 × width − 3) of a 24-bit row: each the kernel's weighted sum over its channel's
// window in rows above, own and below, divided by `divisor` toward zero (or offset by 128 when
// `divisor` is 0), clamped to 0 … 255. The sum of |k| × 255 over the kernel must stay below 2^20.
void convolveInnerBytes(const std::uint8_t* above, const std::uint8_t* own,
                        const std::uint8_t* below, std::uint8_t* out, int width,
                        const FilterKernel& kernel, std::int32_t divisor);

} // namespace tavlo
