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
    const WritableRows to(result);
    forEachBand(source.height(), kRowsPerBand, [&](int first, int last) {
        for (int y = first; y < last; ++y)
            mapChannelRow(source.row(y), to[y], source.width(), tables.blue.data(),
                          tables.green.data(), tables.red.data());
    });
}

} // namespace tavlo
#endif
