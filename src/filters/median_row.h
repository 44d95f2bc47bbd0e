// The inner bytes of one row of the 3 × 3 median, compiled for each instruction set and picked at
// run time.
#pragma once

#include <cstdint>

namespace tavlo {

// Bytes [3, 3 × width − 3) of a 24-bit row: each the median of its channel's nine values in rows
// above, own and below, at its own pixel and the pixels either side.
void medianInnerBytes(const std::uint8_t* above, const std::uint8_t* own, const std::uint8_t* below,
                      std::uint8_t* out, int width);

} // namespace tavlo
