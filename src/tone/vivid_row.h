// One row of the vividness pass, compiled for each instruction set and picked at run time: in
// vectors on processors with fused multiply-add, one channel at a time on older ones.
#pragma once

#include <cstdint>

namespace tavlo {

// The `width` 24-bit pixels of `in`, each channel moved to own + k × (2 × own − other1 − other2)
// rounded to single precision, then + 0.5 truncated and clamped to 0 … 255; |k| ≤ 0.5.
void vividRow(const std::uint8_t* in, std::uint8_t* out, int width, float k);

} // namespace tavlo
