#include "turn.h"

#include "document/worker_pool.h"
#include "pixel_rows.h"
#include "turn_pixels.h"

#include <algorithm>

namespace tavlo {

namespace {

// Quarter turns read the source in tall, narrow tiles: the short runs a tile reads from each
// source row stay in the cache while each destination row is written in long runs. Measured on
// 6000 × 4000 with 24 bits, the next tile loaded ahead: 256 × 64 as fast as 1024 × 32 on one
// thread and a fifth faster on two, where the larger tiles gained least from the second core.
constexpr int kTileRows = 256;
constexpr int kTileColumns = 64;

// Source columns [first, last) become whole destination rows, so bands of columns never write
// the same bytes. Tiles go across the band, then down; each turn is told the one after it.
void quarterTurn(const geometry::QuarterTurnTile& turn, int first, int last) {
    const auto tileAt = [&](int x0, int y0) {
        if (x0 >= last) {
            x0 = first;
            y0 += kTileRows;
        }
        if (y0 >= turn.height) return geometry::TileBounds{first, first, 0, 0};
        return geometry::TileBounds{x0, std::min(last, x0 + kTileColumns), y0,
                                    std::min(turn.height, y0 + kTileRows)};
    };
    for (geometry::TileBounds tile = tileAt(first, 0); tile.x0 < tile.x1;) {
        const geometry::TileBounds next = tileAt(tile.x1, tile.y0);
        geometry::turnTile(turn, tile, next);
        tile = next;
    }
}

} // namespace

KernelResult turnBitmap(const Bitmap& source, TurnMode mode) {
    requireNonEmpty(source);
    if (!geometry::movablePixels(source)) return std::nullopt;
    const int width = source.width();
    const int height = source.height();
    const bool quarter = mode == TurnMode::Right || mode == TurnMode::Left;
    Bitmap result = geometry::resultFor(source, quarter ? height : width, quarter ? width : height);
    const auto from = geometry::rowTable(source);
    const auto to = geometry::writableRowTable(result);
    const int bytes = bitsPerPixel(source.format()) / 8;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(bytes);
    if (quarter) {
        const geometry::QuarterTurnTile turn{from.data(), to.data(), width,
                                             height,      bytes,     mode == TurnMode::Right};
        forEachBand(width, kTileColumns,
                    [&](int first, int last) { quarterTurn(turn, first, last); });
        return result;
    }
    forEachBand(height, kRowsPerBand, [&](int first, int last) {
        for (int y = first; y < last; ++y) {
            const int target = mode == TurnMode::Mirror ? y : height - 1 - y;
            if (mode == TurnMode::Flip)
                std::memcpy(to[target], from[y], rowBytes);
            else
                geometry::reversePixels(from[y], to[target], width, bytes);
        }
    });
    return result;
}

} // namespace tavlo
