// The byte pass that the tone operations and equalisation share: each channel of a 24-bit row,
// stored B, G, R, replaced by its entry in that channel's 256-entry table.
#pragma once

#include "document/bitmap.h"

#include <array>
#include <cstdint>

namespace tavlo {

using ChannelTable = std::array<std::uint8_t, 256>;

struct ChannelTables {
    ChannelTable red, green, blue;
};

// Every value mapped to itself.
inline constexpr ChannelTable kIdentityTable = [] {
    ChannelTable table{};
    for (std::size_t v = 0; v < table.size(); ++v)
        table[v] = static_cast<std::uint8_t>(v);
    return table;
}();

// Every row of the 24-bit `source` through the tables into `result`, a bitmap of the same size,
// split over the worker threads.
void mapChannelRows(const Bitmap& source, Bitmap& result, const ChannelTables& tables);

// Maps `pixels` pixels from `in` to `out` (which may be the same row). The processor's widest
// byte permutes are used where it has them (AVX-512 VBMI), gathers from AVX2 up; the bytes are the
// same either way.
void mapChannelRow(const std::uint8_t* in, std::uint8_t* out, int pixels, const std::uint8_t* blue,
                   const std::uint8_t* green, const std::uint8_t* red);

} // namespace tavlo
