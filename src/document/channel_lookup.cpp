// Compiled once for each instruction set Highway targets; the first call picks the best one the
// processor runs.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "document/channel_lookup.cpp"
#include <hwy/foreach_target.h> // IWYU pragma: keep

#include <hwy/highway.h>

#include <cstdint>

HWY_BEFORE_NAMESPACE();
namespace tavlo::HWY_NAMESPACE {

inline void mapBytes(const std::uint8_t* in, std::uint8_t* out, int from, int to,
                     const std::uint8_t* const tables[3]) {
    for (int j = from; j < to; ++j)
        out[j] = tables[j % 3][in[j]];
}

#if HWY_TARGET == HWY_AVX3_DL
namespace hn = hwy::HWY_NAMESPACE;

// A 256-entry byte table in four registers. Highway 1.0 has no byte-wide permute across a whole
// vector, so the VBMI instruction is called directly: two 128-entry lookups, one picked by each
// index's top bit.
struct Table512 {
    explicit Table512(const std::uint8_t* table)
        : q0(_mm512_loadu_si512(table)), q1(_mm512_loadu_si512(table + 64)),
          q2(_mm512_loadu_si512(table + 128)), q3(_mm512_loadu_si512(table + 192)) {}
    __m512i operator()(__m512i index) const {
        const __m512i low = _mm512_permutex2var_epi8(q0, index, q1);
        const __m512i high = _mm512_permutex2var_epi8(q2, index, q3);
        return _mm512_mask_blend_epi8(_mm512_movepi8_mask(index), low, high);
    }
    __m512i q0, q1, q2, q3;
};

// Lanes whose byte belongs to the channel, for a vector starting at a byte whose position in
// its pixel is `phase`.
inline __mmask64 channelLanes(int channel, int phase) {
    __mmask64 mask = 0;
    for (int i = 0; i < 64; ++i)
        if ((phase + i) % 3 == channel) mask |= __mmask64{1} << i;
    return mask;
}

void MapChannelRow(const std::uint8_t* in, std::uint8_t* out, int pixels, const std::uint8_t* blue,
                   const std::uint8_t* green, const std::uint8_t* red) {
    const std::uint8_t* const tables[3] = {blue, green, red};
    const int bytes = 3 * pixels;
    int j = 0;
    if (blue == green && green == red) {
        const Table512 all(blue);
        for (; j + 64 <= bytes; j += 64)
            _mm512_storeu_si512(out + j, all(_mm512_loadu_si512(in + j)));
    } else {
        const Table512 b(blue), g(green), r(red);
        // 64 bytes advance the channel by one: three vectors make a full cycle.
        const __mmask64 blueLanes[3] = {channelLanes(0, 0), channelLanes(0, 1), channelLanes(0, 2)};
        const __mmask64 greenLanes[3] = {channelLanes(1, 0), channelLanes(1, 1),
                                         channelLanes(1, 2)};
        for (int phase = 0; j + 64 <= bytes; j += 64, phase = (phase + 1) % 3) {
            const __m512i v = _mm512_loadu_si512(in + j);
            __m512i mapped = r(v);
            mapped = _mm512_mask_blend_epi8(blueLanes[phase], mapped, b(v));
            mapped = _mm512_mask_blend_epi8(greenLanes[phase], mapped, g(v));
            _mm512_storeu_si512(out + j, mapped);
        }
    }
    mapBytes(in, out, j, bytes, tables);
}
#elif HWY_TARGET == HWY_AVX2
// A 256-entry byte table as sixteen 16-entry pieces, each in both halves of a register: a byte
// shuffle looks up the low four bits in every piece, and a tree of blends on bits 4 to 7 keeps
// the piece the high four bits name.
struct Table256 {
    explicit Table256(const std::uint8_t* table) {
        for (int k = 0; k < 16; ++k)
            piece[k] = _mm256_broadcastsi128_si256(
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(table + 16 * k)));
    }
    __m256i operator()(__m256i index) const {
        const __m256i low = _mm256_and_si256(index, _mm256_set1_epi8(15));
        // A blend takes each byte's top bit; a 16-bit shift brings bit 4, 5 or 6 up to it.
        const __m256i bit4 = _mm256_slli_epi16(index, 3);
        __m256i picked[8];
        for (int k = 0; k < 8; ++k)
            picked[k] = _mm256_blendv_epi8(_mm256_shuffle_epi8(piece[2 * k], low),
                                           _mm256_shuffle_epi8(piece[2 * k + 1], low), bit4);
        const __m256i bit5 = _mm256_slli_epi16(index, 2);
        for (int k = 0; k < 4; ++k)
            picked[k] = _mm256_blendv_epi8(picked[2 * k], picked[2 * k + 1], bit5);
        const __m256i bit6 = _mm256_slli_epi16(index, 1);
        for (int k = 0; k < 2; ++k)
            picked[k] = _mm256_blendv_epi8(picked[2 * k], picked[2 * k + 1], bit6);
        return _mm256_blendv_epi8(picked[0], picked[1], index);
    }
    __m256i piece[16];
};

// Lanes of a vector starting at byte `first` of a row whose byte belongs to the channel.
inline __m256i channelLanes(int first, int channel) {
    alignas(32) std::uint8_t lanes[32];
    for (int i = 0; i < 32; ++i)
        lanes[i] = (first + i) % 3 == channel ? 0xFF : 0;
    return _mm256_load_si256(reinterpret_cast<const __m256i*>(lanes));
}

// In three vectors of 96 bytes every lane holds one byte of each channel, so three blends gather
// each channel into a vector of its own, in place, without moving a byte to another lane.
struct ChannelSplit {
    explicit ChannelSplit(int channel)
        : first(channelLanes(0, channel)), second(channelLanes(32, channel)),
          third(channelLanes(64, channel)) {}
    __m256i operator()(__m256i a, __m256i b, __m256i c) const {
        return _mm256_blendv_epi8(_mm256_blendv_epi8(a, b, second), c, third);
    }
    __m256i first, second, third;
};

void MapChannelRow(const std::uint8_t* in, std::uint8_t* out, int pixels, const std::uint8_t* blue,
                   const std::uint8_t* green, const std::uint8_t* red) {
    const std::uint8_t* const tables[3] = {blue, green, red};
    const int bytes = 3 * pixels;
    const auto load = [in](int at) {
        return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + at));
    };
    const auto store = [out](int at, __m256i v) {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + at), v);
    };
    int j = 0;
    if (blue == green && green == red) {
        const Table256 all(blue);
        for (; j + 32 <= bytes; j += 32)
            store(j, all(load(j)));
    } else {
        const Table256 b(blue), g(green), r(red);
        const ChannelSplit blueOf(0), greenOf(1), redOf(2);
        for (; j + 96 <= bytes; j += 96) {
            const __m256i v0 = load(j), v1 = load(j + 32), v2 = load(j + 64);
            const __m256i mappedBlue = b(blueOf(v0, v1, v2));
            const __m256i mappedGreen = g(greenOf(v0, v1, v2));
            const __m256i mappedRed = r(redOf(v0, v1, v2));
            // Back where they came from: each vector takes its lanes of each channel.
            const auto merge = [&](__m256i greenLanes, __m256i redLanes) {
                return _mm256_blendv_epi8(_mm256_blendv_epi8(mappedBlue, mappedGreen, greenLanes),
                                          mappedRed, redLanes);
            };
            store(j, merge(greenOf.first, redOf.first));
            store(j + 32, merge(greenOf.second, redOf.second));
            store(j + 64, merge(greenOf.third, redOf.third));
        }
    }
    mapBytes(in, out, j, bytes, tables);
}
#else
void MapChannelRow(const std::uint8_t* in, std::uint8_t* out, int pixels, const std::uint8_t* blue,
                   const std::uint8_t* green, const std::uint8_t* red) {
    const std::uint8_t* const tables[3] = {blue, green, red};
    for (int x = 0; x < pixels; ++x, in += 3, out += 3) {
        out[0] = tables[0][in[0]];
        out[1] = tables[1][in[1]];
        out[2] = tables[2][in[2]];
    }
}
#endif

} // namespace tavlo::HWY_NAMESPACE
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "channel_lookup.h"
#include "worker_pool.h"

namespace tavlo {

HWY_EXPORT(MapChannelRow);

void mapChannelRow(const std::uint8_t* in, std::uint8_t* out, int pixels, const std::uint8_t* blue,
                   const std::uint8_t* green, const std::uint8_t* red) {
    HWY_DYNAMIC_DISPATCH(MapChannelRow)(in, out, pixels, blue, green, red);
}

void mapChannelRows(const Bitmap& source, Bitmap& result, const ChannelTables& tables) {
    // Three equal tables (a gamma, an even contrast) are passed as one, so that the row takes the
    // path that need not sort the bytes by channel.
    const bool oneTable = tables.green == tables.blue && tables.red == tables.blue;
    const std::uint8_t* blue = tables.blue.data();
    const std::uint8_t* green = oneTable ? blue : tables.green.data();
    const std::uint8_t* red = oneTable ? blue : tables.red.data();
    const WritableRows to(result);
    forEachBand(source.height(), kRowsPerBand, [&](int first, int last) {
        for (int y = first; y < last; ++y)
            mapChannelRow(source.row(y), to[y], source.width(), blue, green, red);
    });
}

} // namespace tavlo
#endif
