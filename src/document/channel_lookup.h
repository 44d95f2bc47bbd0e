// The byte pass that the tone operations and equalisation share: each channel of a 24-bit row,
// stored B, G, R, replaced by its entry in that channel's 256-entry table.
#pragma once

#include <cstdint>

namespace tavlo {

// Maps `pixels` pixels from `in` to `out` (which may be the same row). The processor's widest
// byte permutes are used where it has them (AVX-512 VBMI); the bytes are the same either way.
void mapChannelRow(const std::uint8_t* in, std::uint8_t* out, int pixels, const std::uint8_t* blue,
                   const std::uint8_t* green, const std::uint8_t* red);

} // namespace tavlo
