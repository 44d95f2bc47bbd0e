#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "geometry/turn_pixels.cpp"
#include <hwy/foreach_target.h> // IWYU pragma: keep

#include <hwy/highway.h>

#include <climits>
#include <cstring>

#include "geometry/turn_pixels.h"

HWY_BEFORE_NAMESPACE();
namespace tavlo::geometry::HWY_NAMESPACE {

// The plain loops, which the vector paths leave the edges to, with the pixel size fixed so that
// each copy is a plain move.
template <int Bytes>
void reverseFrom(const std::uint8_t* in, std::uint8_t* out, int from, int width) {
    for (int x = from; x < width; ++x)
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

inline void reverseFrom(const std::uint8_t* in, std::uint8_t* out, int from, int width, int bytes) {
    withBytes(bytes, [&]<int Bytes>() { reverseFrom<Bytes>(in, out, from, width); });
}

inline void turnColumns(const QuarterTurnTile& t, int x0, int x1, int y0, int y1) {
    withBytes(t.bytes, [&]<int Bytes>() {
        for (int x = x0; x < x1; ++x)
            turnColumn<Bytes>(t, x, y0, y1);
    });
}

#if HWY_TARGET == HWY_AVX3_DL
// Highway 1.0 has no byte permute across a whole vector or lane gather with byte offsets, so
// this target calls the AVX-512 instructions directly.

// A permute that takes `count` whole pixels from a 64-byte vector and lays them out as `place`
// says: output pixel k takes input pixel place(k).
template <typename Place> __m512i pixelPermute(int bytes, int inBytes, int count, Place place) {
    alignas(64) std::uint8_t index[64] = {};
    for (int k = 0; k < count; ++k)
        for (int c = 0; c < bytes; ++c)
            index[k * bytes + c] = static_cast<std::uint8_t>(place(k) * inBytes + c);
    return _mm512_load_si512(index);
}

inline __mmask64 firstBytes(int count) {
    return count >= 64 ? ~__mmask64{0} : (__mmask64{1} << count) - 1;
}

void ReversePixels(const std::uint8_t* in, std::uint8_t* out, int width, int bytes) {
    const int count = 64 / bytes; // pixels per vector: 64, 21 or 16
    const __mmask64 used = firstBytes(count * bytes);
    const __m512i reverse = pixelPermute(bytes, bytes, count, [&](int k) { return count - 1 - k; });
    int x = 0;
    for (; x + count <= width; x += count) {
        const __m512i pixels =
            _mm512_maskz_loadu_epi8(used, in + static_cast<std::ptrdiff_t>(x) * bytes);
        _mm512_mask_storeu_epi8(out + static_cast<std::ptrdiff_t>(width - x - count) * bytes, used,
                                _mm512_permutexvar_epi8(reverse, pixels));
    }
    reverseFrom(in, out, x, width, bytes);
}

// Sixteen source rows at a time: a gather takes the four bytes at the column from each row, and
// a byte permute keeps the pixel's own. The four bytes of a 24-bit pixel run one past it, so the
// last column, which could end the whole block, is left to the plain loop.
void TurnTile(const QuarterTurnTile& t, int x0, int x1, int y0, int y1) {
    if (t.bytes == 1 || t.sourceStride > INT_MAX / 16) return turnColumns(t, x0, x1, y0, y1);
    // Lane j holds row y + j for a left turn; for a right turn the rows go up, y + 15 − j.
    alignas(64) std::int32_t rows[16];
    for (int j = 0; j < 16; ++j)
        rows[j] = -static_cast<std::int32_t>((t.right ? 15 - j : j) * t.sourceStride);
    const __m512i offsets = _mm512_load_si512(rows);
    const __m512i packed = pixelPermute(t.bytes, 4, 16, [](int k) { return k; });
    const __mmask64 used = firstBytes(16 * t.bytes);
    const int vectorEnd = t.bytes == 3 ? std::min(x1, t.width - 1) : x1;
    for (int x = x0; x < vectorEnd; ++x) {
        std::uint8_t* const out = t.to[t.right ? x : t.width - 1 - x];
        const std::ptrdiff_t at = static_cast<std::ptrdiff_t>(x) * t.bytes;
        int y = y0;
        for (; y + 16 <= y1; y += 16) {
            const __m512i pixels = _mm512_i32gather_epi32(offsets, t.from[y] + at, 1);
            const std::ptrdiff_t column = t.right ? t.height - 16 - y : y;
            _mm512_mask_storeu_epi8(out + column * t.bytes, used,
                                    _mm512_permutexvar_epi8(packed, pixels));
        }
        turnColumns(t, x, x + 1, y, y1);
    }
    turnColumns(t, vectorEnd, x1, y0, y1);
}
#else
void ReversePixels(const std::uint8_t* in, std::uint8_t* out, int width, int bytes) {
    reverseFrom(in, out, 0, width, bytes);
}

void TurnTile(const QuarterTurnTile& t, int x0, int x1, int y0, int y1) {
    turnColumns(t, x0, x1, y0, y1);
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

void turnTile(const QuarterTurnTile& turn, int x0, int x1, int y0, int y1) {
    HWY_DYNAMIC_DISPATCH(TurnTile)(turn, x0, x1, y0, y1);
}

} // namespace tavlo::geometry
#endif
