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
// each copy is a plain move. reverseRange: source pixels [first, last) of a row `width` pixels
// long, written where the mirror puts them.
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

#if HWY_TARGET == HWY_AVX3_DL || HWY_TARGET == HWY_AVX3 || HWY_TARGET == HWY_AVX2
// AVX2 shuffles bytes only within each 16-byte half of a vector, and Highway 1.0 has no byte
// permute across the whole of it, so the instructions are called directly. The AVX-512 targets
// run the same loops: 16 × 16 blocks in 64-byte vectors turned a third slower than these 8 × 8
// ones (6000 × 4000, 24 bits), and a row reverses no faster with them, the memory being the limit.

// A permute of the 32 bytes of a vector: output byte i takes input byte from(i), or 0 where
// from(i) < 0. Two half-wise shuffles, one of the vector and one of it with its halves swapped,
// each giving the bytes the other cannot reach.
class BytePermute {
  public:
    template <typename From> explicit BytePermute(From from) {
        alignas(32) std::uint8_t same[32], other[32];
        for (int i = 0; i < 32; ++i) {
            const int j = from(i);
            const bool sameHalf = j >= 0 && j / 16 == i / 16;
            same[i] = sameHalf ? static_cast<std::uint8_t>(j % 16) : 0x80;
            other[i] = j >= 0 && !sameHalf ? static_cast<std::uint8_t>(j % 16) : 0x80;
        }
        same_ = _mm256_load_si256(reinterpret_cast<const __m256i*>(same));
        other_ = _mm256_load_si256(reinterpret_cast<const __m256i*>(other));
    }
    __m256i operator()(__m256i v) const {
        const __m256i swapped = _mm256_permute4x64_epi64(v, 0x4E);
        return _mm256_or_si256(_mm256_shuffle_epi8(v, same_), _mm256_shuffle_epi8(swapped, other_));
    }

  private:
    __m256i same_, other_;
};

inline __m256i loadBytes(const std::uint8_t* from) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from));
}

inline void storeBytes(std::uint8_t* to, __m256i v) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(to), v);
}

// As many whole pixels as a vector holds (32, 10 or 8) at a time, the destination written
// forwards. For 3-byte pixels each load starts two bytes early and each store ends two bytes
// late, on the pixel the next store (or the plain loop) writes; so a store is only made while
// such a pixel remains.
void ReversePixels(const std::uint8_t* in, std::uint8_t* out, int width, int bytes) {
    const int count = 32 / bytes;
    const int spare = 32 - count * bytes;
    const BytePermute reverse([&](int i) {
        return i >= count * bytes ? -1 : spare + (count - 1 - i / bytes) * bytes + i % bytes;
    });
    int x = 0;
    for (; x + count + (spare > 0 ? 1 : 0) <= width; x += count)
        storeBytes(out + static_cast<std::ptrdiff_t>(x) * bytes,
                   reverse(loadBytes(in + static_cast<std::ptrdiff_t>(width - x - count) * bytes -
                                     spare)));
    reverseRange(in, out, width, bytes, 0, width - x);
}

// Eight by eight pixels at a time, each widened to four bytes: rows in, a transpose in three
// steps (pairs of 4-byte lanes, pairs of 8-byte lanes, halves), and the eight columns out as rows.
// Every load and store covers exactly the block's pixels.
class BlockTurner {
  public:
    static constexpr int kSize = 8;

    explicit BlockTurner(int bytes) : bytes_(bytes) {
        // 3-byte pixels are loaded as bytes 0–15 in the low half and 8–23 in the high half: pixels
        // 0–3 start at byte 0 of the one, pixels 4–7 at byte 4 of the other.
        widen_ = halfShuffle(
            [](int half, int i) { return i % 4 == 3 ? -1 : 4 * half + i / 4 * 3 + i % 4; });
        // Each half's four pixels to its first 4 × bytes bytes, then the halves joined.
        narrow_ = halfShuffle([bytes = bytes_](int, int i) {
            return i >= 4 * bytes ? -1 : i / bytes * 4 + i % bytes;
        });
        join_ = bytes == 1 ? _mm256_setr_epi32(0, 4, 0, 0, 0, 0, 0, 0)
                           : _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 0, 0);
    }

    // rows[r] is the source row whose pixels go to column r of the block's destination rows;
    // out[c] receives the eight pixels of source column c.
    void operator()(const std::uint8_t* const rows[8], std::uint8_t* const out[8]) const {
        __m256i m[8], t[8];
        for (int r = 0; r < 8; ++r)
            m[r] = load(rows[r]);
        for (int i = 0; i < 8; i += 2) {
            t[i] = _mm256_unpacklo_epi32(m[i], m[i + 1]);
            t[i + 1] = _mm256_unpackhi_epi32(m[i], m[i + 1]);
        }
        for (int i = 0; i < 8; i += 4)
            for (int k = 0; k < 2; ++k) {
                m[i + 2 * k] = _mm256_unpacklo_epi64(t[i + k], t[i + k + 2]);
                m[i + 2 * k + 1] = _mm256_unpackhi_epi64(t[i + k], t[i + k + 2]);
            }
        // m[c] and m[4 + c] now hold columns c and 4 + c: of rows 0–3 and 4–7 respectively, the
        // first column in the low halves, the second in the high ones.
        for (int c = 0; c < 4; ++c) {
            store(out[c], _mm256_permute2x128_si256(m[c], m[4 + c], 0x20));
            store(out[4 + c], _mm256_permute2x128_si256(m[c], m[4 + c], 0x31));
        }
    }

  private:
    // The same pattern in both halves: byte i of half h takes byte from(h, i) of that half.
    template <typename From> static __m256i halfShuffle(From from) {
        alignas(32) std::uint8_t index[32];
        for (int i = 0; i < 32; ++i) {
            const int j = from(i / 16, i % 16);
            index[i] = j < 0 ? 0x80 : static_cast<std::uint8_t>(j);
        }
        return _mm256_load_si256(reinterpret_cast<const __m256i*>(index));
    }

    __m256i load(const std::uint8_t* pixels) const {
        if (bytes_ == 1)
            return _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(pixels)));
        if (bytes_ == 4) return loadBytes(pixels);
        const __m256i both = _mm256_loadu2_m128i(reinterpret_cast<const __m128i*>(pixels + 8),
                                                 reinterpret_cast<const __m128i*>(pixels));
        return _mm256_shuffle_epi8(both, widen_);
    }

    void store(std::uint8_t* pixels, __m256i wide) const {
        if (bytes_ == 4) return storeBytes(pixels, wide);
        const __m256i packed =
            _mm256_permutevar8x32_epi32(_mm256_shuffle_epi8(wide, narrow_), join_);
        const __m128i low = _mm256_castsi256_si128(packed);
        if (bytes_ == 1) return _mm_storel_epi64(reinterpret_cast<__m128i*>(pixels), low);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels), low);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(pixels + 16),
                         _mm256_extracti128_si256(packed, 1));
    }

    int bytes_;
    __m256i widen_, narrow_, join_;
};

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

// The destination lines a block writes are asked for this far ahead (measured on 6000 × 4000 with
// 24 bits: 256 to 512 bytes alike, faster than none, by a third with 16 × 16 blocks).
constexpr std::ptrdiff_t kWriteAhead = 384;

void TurnTile(const QuarterTurnTile& t, const TileBounds& tile, const TileBounds& next) {
    constexpr int n = BlockTurner::kSize;
    const std::ptrdiff_t rowBytes = static_cast<std::ptrdiff_t>(t.height) * t.bytes;
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
            if (column * t.bytes + kWriteAhead < rowBytes)
                for (int c = 0; c < n; ++c)
                    hwy::Prefetch(out[c] + kWriteAhead);
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
