// Compiled once for each instruction set Highway targets; the first call picks the best one the
// processor runs.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "document/channel_lookup.cpp"
#include <hwy/foreach_target.h> // IWYU pragma: keep

#include <hwy/highway.h>

#include <cstddef>
#include <cstdint>

HWY_BEFORE_NAMESPACE();
namespace tavlo::HWY_NAMESPACE {

inline void mapBytes(const std::uint8_t* in, std::uint8_t* out, int from, int to,
                     const std::uint8_t* const tables[3]) {
    for (int j = from; j < to; ++j)
        out[j] = tables[j % 3][in[j]];
}

// x86 targets from AVX2 up, but for the one with VBMI permutes, gather from one wide table.
#define TAVLO_GATHER_LOOKUP (HWY_ARCH_X86 && HWY_TARGET <= HWY_AVX2 && HWY_TARGET != HWY_AVX3_DL)

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
#elif TAVLO_GATHER_LOOKUP
// The three tables as one of 32-bit entries, channel c's at 256 · c, for the gathers: eight
// entries gathered from this cached table measure faster than trees of sixteen byte shuffles
// (blended or combined by exclusive or) and than a byte at a time.
struct WideTable {
    WideTable(const std::uint8_t* blue, const std::uint8_t* green, const std::uint8_t* red) {
        for (int v = 0; v < 256; ++v) {
            entries[v] = blue[v];
            entries[256 + v] = green[v];
            entries[512 + v] = red[v];
        }
    }
    alignas(32) std::int32_t entries[768];
};

// Eight pixels at a time: three gathers of eight bytes' entries, each index offset by its byte's
// channel, packed back to 24 bytes. Every block is loaded before it is stored: safe in place.
void mapGatherRow(const std::uint8_t* in, std::uint8_t* out, int pixels, const WideTable& table,
                  const std::uint8_t* const tables[3]) {
    const std::int32_t* const wide = table.entries;
    const int bytes = 3 * pixels;
    // Byte j of a 24-byte block belongs to channel j mod 3.
    const __m256i channels[3] = {_mm256_setr_epi32(0, 256, 512, 0, 256, 512, 0, 256),
                                 _mm256_setr_epi32(512, 0, 256, 512, 0, 256, 512, 0),
                                 _mm256_setr_epi32(256, 512, 0, 256, 512, 0, 256, 512)};
    // The packs leave four-byte groups in the order 0 2 4 4 1 3 5 5 of the 24 bytes.
    const __m256i order = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
    const auto lookUp = [&](int at, int part) {
        const __m256i index = _mm256_add_epi32(
            _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(in + at))),
            channels[part]);
        return _mm256_i32gather_epi32(wide, index, 4);
    };
    const auto block = [&](int at) {
        const __m256i g0 = lookUp(at, 0), g1 = lookUp(at + 8, 1), g2 = lookUp(at + 16, 2);
        return _mm256_permutevar8x32_epi32(
            _mm256_packus_epi16(_mm256_packus_epi32(g0, g1), _mm256_packus_epi32(g2, g2)), order);
    };
    const auto store = [&](int at, __m256i packed) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + at), _mm256_castsi256_si128(packed));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + at + 16),
                         _mm256_extracti128_si256(packed, 1));
    };
    int j = 0;
    // Two blocks in flight keep more gathers waiting on the cache at once.
    for (; j + 48 <= bytes; j += 48) {
        const __m256i first = block(j), second = block(j + 24);
        store(j, first), store(j + 24, second);
    }
    for (; j + 24 <= bytes; j += 24)
        store(j, block(j));
    mapBytes(in, out, j, bytes, tables);
}

void MapChannelRows(const std::uint8_t* in, std::ptrdiff_t inStep, std::uint8_t* out,
                    std::ptrdiff_t outStep, int rows, int pixels, const std::uint8_t* blue,
                    const std::uint8_t* green, const std::uint8_t* red) {
    const std::uint8_t* const tables[3] = {blue, green, red};
    const WideTable wide(blue, green, red);
    for (int y = 0; y < rows; ++y, in += inStep, out += outStep)
        mapGatherRow(in, out, pixels, wide, tables);
}

void MapChannelRow(const std::uint8_t* in, std::uint8_t* out, int pixels, const std::uint8_t* blue,
                   const std::uint8_t* green, const std::uint8_t* red) {
    MapChannelRows(in, 0, out, 0, 1, pixels, blue, green, red);
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

#if !TAVLO_GATHER_LOOKUP
void MapChannelRows(const std::uint8_t* in, std::ptrdiff_t inStep, std::uint8_t* out,
                    std::ptrdiff_t outStep, int rows, int pixels, const std::uint8_t* blue,
                    const std::uint8_t* green, const std::uint8_t* red) {
    for (int y = 0; y < rows; ++y, in += inStep, out += outStep)
        MapChannelRow(in, out, pixels, blue, green, red);
}
#endif

} // namespace tavlo::HWY_NAMESPACE
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "channel_lookup.h"
#include "worker_pool.h"

namespace tavlo {

HWY_EXPORT(MapChannelRow);
HWY_EXPORT(MapChannelRows);

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
    const std::ptrdiff_t inStep = -static_cast<std::ptrdiff_t>(source.stride());
    const std::ptrdiff_t outStep = -static_cast<std::ptrdiff_t>(result.stride());
    forEachBand(source.height(), kRowsPerBand, [&](int first, int last) {
        HWY_DYNAMIC_DISPATCH(MapChannelRows)
        (source.row(first), inStep, to[first], outStep, last - first, source.width(), blue, green,
         red);
    });
}

} // namespace tavlo
#endif
