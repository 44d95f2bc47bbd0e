// The pixel loops of the turns, compiled for each instruction set and picked at run time: byte
// permutes and transposes in AVX2 registers where the processor has them (AVX-512 included),
// plain copies elsewhere. The bytes are the same either way.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tavlo::geometry {

// The `width` pixels of `in`, of `bytes` bytes each (1, 3 or 4), written to `out` right to left.
void reversePixels(const std::uint8_t* in, std::uint8_t* out, int width, int bytes);

// One tile of a quarter turn: source columns [x0, x1) of rows [y0, y1) written where the turn puts
// them (right: D[x][H−1−y] := S[y][x]; left: D[W−1−x][y] := S[y][x]).
struct QuarterTurnTile {
    const std::uint8_t* const* from; // source rows, top first
    std::uint8_t* const* to;         // destination rows, top first
    int width, height, bytes;
    bool right;
};
// Source columns [x0, x1) of rows [y0, y1).
struct TileBounds {
    int x0, x1, y0, y1;
};
// Turns `tile`; where the processor gains from it, also starts loading the source of `next`
// (the tile turned after this one; empty when there is none) into the cache.
void turnTile(const QuarterTurnTile& turn, const TileBounds& tile, const TileBounds& next);

} // namespace tavlo::geometry
