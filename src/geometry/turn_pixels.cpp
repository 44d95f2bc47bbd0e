#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "geometry/turn_pixels.cpp"
#include <hwy/foreach_target.h> // IWYU pragma: keep

#include <hwy/cache_control.h>
#include <hwy/highway.h>

#include <algorithm>
#include <cstring>

#include "geometry/turn_pixels.h"

HWY_BEFORE_NAMESPACE();
namespace tavlo::geometry::HWY_NAMESPACE {

// The plain loops, which the vector paths leave the edges to, with the pixel size fixed so that
// each copy is a plain move.
// Source pixels [first, last) of a row `width` pixels long, written where the mirror puts them.
template <int Bytes>
void reverseRange(const std::uint8_t* in, std::uint8_t* out, int width, int first, int last) {
    for (int x = first; x < last; ++x)
        std::memcpy(out + static_cast<std::ptrdiff_t>(width - 1 - x) * Bytes,
                    in + static_cast<std::ptrdiff_t>(x) * Bytes, Bytes);
}

template <int Bytes> void turnColumn(const QuarterTurnTile& t, int x, int y0, int y1) {
    std::uint8_t* const out = t.to[t.right ? x : t.width - 1 - x];
    const std::ptrdiff_t at = static_cast<std::ptrdiff_t>(x) * Bytes;
    for (int y = y0; y < y1; ++y) {
        const std::ptrdiff_t column = t.right ? t.height - 1 - y : y;
        std::memcpy(out + column * Bytes, t.from[y] + at, Bytes);
    }
}

template <typename Body> void withBytes(int bytes, Body&& body) {
    if (bytes == 1)
        body.template operator()<1>();
    else if (bytes == 3)
        body.template operator()<3>();
    else
        body.template operator()<4>();
}

inline void reverseRange(const std::uint8_t* in, std::uint8_t* out, int width, int bytes, int first,
                         int last) {
    withBytes(bytes, [&]<int Bytes>() { reverseRange<Bytes>(in, out, width, first, last); });
}

inline void turnColumns(const QuarterTurnTile& t, int x0, int x1, int y0, int y1) {
    withBytes(t.bytes, [&]<int Bytes>() {
        for (int x = x0; x < x1; ++x)
            turnColumn<Bytes>(t, x, y0, y1);
    });
}

#if HWY_TARGET == HWY_AVX3_DL
#include "geometry/turn_avx512.h"
#elif HWY_TARGET == HWY_AVX3 || HWY_TARGET == HWY_AVX2
#include "geometry/turn_avx2.h"
#endif

#if HWY_TARGET == HWY_AVX3_DL || HWY_TARGET == HWY_AVX3 || HWY_TARGET == HWY_AVX2
// A tile reads a short run from each of many source rows, too many interleaved streams for the
// hardware prefetcher to follow, so every source line would otherwise be a cache miss waited for
// in turn (measured on 6000 x 4000: a third of the time). Each block therefore asks for a share of
// the rows of the next tile ahead of use.
class NextTileLoader {
  public:
    NextTileLoader(const QuarterTurnTile& t, const TileBounds& next, int blocks)
        : t_(t), row_(next.y0), end_(next.x0 < next.x1 ? next.y1 : next.y0),
          first_(static_cast<std::ptrdiff_t>(next.x0) * t.bytes),
          last_(static_cast<std::ptrdiff_t>(next.x1) * t.bytes - 1),
          rowsPerBlock_((next.y1 - next.y0 + blocks - 1) / std::max(1, blocks)) {}

    void shareOfRows() {
        for (int i = 0; i < rowsPerBlock_ && row_ < end_; ++i, ++row_) {
            const std::uint8_t* const from = t_.from[row_];
            // Every line the run touches: the run's start, each 64 bytes on, and its last byte.
            for (std::ptrdiff_t at = first_; at < last_; at += 64)
                hwy::Prefetch(from + at);
            hwy::Prefetch(from + last_);
        }
    }

  private:
    const QuarterTurnTile& t_;
    int row_, end_;
    std::ptrdiff_t first_, last_;
    int rowsPerBlock_;
};

void TurnTile(const QuarterTurnTile& t, const TileBounds& tile, const TileBounds& next) {
    constexpr int n = BlockTurner::kSize;
    const auto [x0, x1, y0, y1] = tile;
    const BlockTurner turnBlock(t.bytes);
    const int blocks = (y1 - y0) / n;
    const int xEnd = x0 + (x1 - x0) / n * n, yEnd = y0 + blocks * n;
    NextTileLoader loadNext(t, next, (xEnd - x0) / n * blocks);
    for (int x = x0; x < xEnd; x += n) {
        std::uint8_t* out[n];
        // The blocks go the way the destination rows run, so that each row is written from its
        // start on: down the source for the left turn, up it for the right one (which measured a
        // third slower the other way).
        for (int i = 0; i < blocks; ++i) {
            const int y = t.right ? yEnd - n - n * i : y0 + n * i;
            // Right: source row y + n − 1 − r lands in column H − n − y + r of row x + c.
            // Left: source row y + r lands in column y + r of row W − 1 − (x + c).
            const std::uint8_t* rows[n];
            const std::ptrdiff_t column = t.right ? t.height - n - y : y;
            for (int r = 0; r < n; ++r)
                rows[r] = t.from[t.right ? y + n - 1 - r : y + r] +
                          static_cast<std::ptrdiff_t>(x) * t.bytes;
            for (int c = 0; c < n; ++c)
                out[c] = t.to[t.right ? x + c : t.width - 1 - (x + c)] + column * t.bytes;
            loadNext.shareOfRows();
            turnBlock(rows, out);
        }
        turnColumns(t, x, x + n, yEnd, y1);
    }
    turnColumns(t, xEnd, x1, y0, y1);
}
#else
void ReversePixels(const std::uint8_t* in, std::uint8_t* out, int width, int bytes) {
    reverseRange(in, out, width, bytes, 0, width);
}

void TurnTile(const QuarterTurnTile& t, const TileBounds& tile, const TileBounds&) {
    turnColumns(t, tile.x0, tile.x1, tile.y0, tile.y1);
}
#endif

} // namespace tavlo::geometry::HWY_NAMESPACE
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace tavlo::geometry {

HWY_EXPORT(ReversePixels);
HWY_EXPORT(TurnTile);

void reversePixels(const std::uint8_t* in, std::uint8_t* out, int width, int bytes) {
    HWY_DYNAMIC_DISPATCH(ReversePixels)(in, out, width, bytes);
}

void turnTile(const QuarterTurnTile& turn, const TileBounds& tile, const TileBounds& next) {
    HWY_DYNAMIC_DISPATCH(TurnTile)(turn, tile, next);
}

} // namespace tavlo::geometry
#endif
