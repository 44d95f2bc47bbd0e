// One row of the monochrome pass, compiled for each instruction set and picked at run time.
#pragma once

#include <cstdint>

namespace tavlo {

// The `width` 24-bit pixels of `in` written to `out` as greys of (299 R + 587 G + 114 B + 500)
// / 1000, which is greyLevel.
void greyRow(const std::uint8_t* in, std::uint8_t* out, int width);

} // namespace tavlo
