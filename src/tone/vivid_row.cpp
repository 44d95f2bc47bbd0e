#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "tone/vivid_row.cpp"
#include <hwy/foreach_target.h> // IWYU pragma: keep

#include <hwy/highway.h>

#include "tone/vivid_row.h"

HWY_BEFORE_NAMESPACE();
namespace tavlo::HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

// One channel at a time in double precision: k has 24 significant bits and the difference 10, so
// k × d + own is exact there, and rounding it to single gives the same sum.
inline void vividPixels(const std::uint8_t* in, std::uint8_t* out, int width, float k) {
    for (int x = 0; x < width; ++x, in += 3, out += 3) {
        const int all = in[0] + in[1] + in[2];
        std::uint8_t moved[3];
        for (int c = 0; c < 3; ++c) {
            const float sum =
                static_cast<float>(in[c] + static_cast<double>(k) * (3 * in[c] - all));
            const int level = static_cast<int>(static_cast<double>(sum) + 0.5); // toward zero
            moved[c] = static_cast<std::uint8_t>(level < 0 ? 0 : level > 255 ? 255 : level);
        }
        out[0] = moved[0], out[1] = moved[1], out[2] = moved[2];
    }
}

#if HWY_ARCH_X86 && HWY_TARGET <= HWY_AVX2
// On x86 from AVX2 up, eight pixels at a time without deinterleaving whole vectors, which costs
// more than the arithmetic: each 128-bit half loads four pixels (12 of its 16 bytes), one byte
// shuffle per channel spreads them into 32-bit lanes, and one more puts the results back in
// place. The arithmetic is that of the other vector targets below.
void VividRow(const std::uint8_t* in, std::uint8_t* out, int width, float k) {
    const auto spread = [](int first) { // channel bytes first, first + 3, … into lanes
        return _mm256_setr_epi8(first, -1, -1, -1, first + 3, -1, -1, -1, first + 6, -1, -1, -1,
                                first + 9, -1, -1, -1, first, -1, -1, -1, first + 3, -1, -1, -1,
                                first + 6, -1, -1, -1, first + 9, -1, -1, -1);
    };
    const __m256i blueLanes = spread(0), greenLanes = spread(1), redLanes = spread(2);
    // After the packs each half holds blue 0–3, green 0–3, red 0–3, red 0–3 of its pixels.
    const __m256i interleave =
        _mm256_setr_epi8(0, 4, 8, 1, 5, 9, 2, 6, 10, 3, 7, 11, -1, -1, -1, -1, 0, 4, 8, 1, 5, 9, 2,
                         6, 10, 3, 7, 11, -1, -1, -1, -1);
    const __m256 factor = _mm256_set1_ps(k), half = _mm256_set1_ps(0.5f),
                 three = _mm256_set1_ps(3.0f);
    const auto moved = [&](__m256i channel, __m256 all) {
        const __m256 own = _mm256_cvtepi32_ps(channel);
        const __m256 difference = _mm256_fmsub_ps(three, own, all); // 2 × own − others, exact
        const __m256 sum = _mm256_fmadd_ps(factor, difference, own);
        const __m256i nearest = _mm256_cvtps_epi32(sum);
        const __m256 tieDown =
            _mm256_cmp_ps(_mm256_sub_ps(sum, _mm256_cvtepi32_ps(nearest)), half, _CMP_EQ_OQ);
        return _mm256_sub_epi32(nearest, _mm256_castps_si256(tieDown));
    };
    int x = 0;
    // Each block reads 28 bytes, four past its pixels, and is loaded whole before it is stored.
    for (; 3 * x + 28 <= 3 * width; x += 8) {
        const std::uint8_t* const from = in + 3 * x;
        const __m256i bytes = _mm256_loadu2_m128i(reinterpret_cast<const __m128i*>(from + 12),
                                                  reinterpret_cast<const __m128i*>(from));
        const __m256i b = _mm256_shuffle_epi8(bytes, blueLanes);
        const __m256i g = _mm256_shuffle_epi8(bytes, greenLanes);
        const __m256i r = _mm256_shuffle_epi8(bytes, redLanes);
        const __m256 all = _mm256_cvtepi32_ps(_mm256_add_epi32(_mm256_add_epi32(b, g), r));
        // Levels lie in −255 … 510: the saturating packs clamp them to bytes.
        const __m256i red = moved(r, all);
        const __m256i packed = _mm256_shuffle_epi8(
            _mm256_packus_epi16(_mm256_packus_epi32(moved(b, all), moved(g, all)),
                                _mm256_packus_epi32(red, red)),
            interleave);
        std::uint8_t* const to = out + 3 * x;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm256_castsi256_si128(packed));
        const __m128i upper = _mm256_extracti128_si256(packed, 1);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(to + 12), upper);
        _mm_storeu_si32(to + 20, _mm_srli_si128(upper, 8));
    }
    vividPixels(in + 3 * x, out + 3 * x, width - x, k);
}
#elif HWY_NATIVE_FMA
// k × d + own is formed exactly and rounded once by the fused multiply-add, which is exactly the
// single-precision sum. Adding 0.5 in single precision would round again (0.49999998 + 0.5 gives
// 1), so the sum is rounded to the nearest whole number, ties to even, and a tie that went down
// goes up one: the whole part goes up when the fraction is at least a half. With |k| ≤ 0.5 the
// levels lie in −255..510, where the demotion to bytes saturates: that is the clamp.
void VividRow(const std::uint8_t* in, std::uint8_t* out, int width, float k) {
    const hn::ScalableTag<float> df;
    const hn::RebindToSigned<decltype(df)> di;
    const hn::Rebind<std::uint8_t, decltype(df)> d8;
    const int lanes = static_cast<int>(hn::Lanes(df));
    const auto factor = hn::Set(df, k);
    const auto half = hn::Set(df, 0.5f);
    const auto three = hn::Set(df, 3.0f);
    using Bytes = hn::Vec<decltype(d8)>;
    const auto vivid = [&](Bytes& b, Bytes& g, Bytes& r) {
        const auto level = [&](Bytes channel) {
            return hn::ConvertTo(df, hn::PromoteTo(di, channel));
        };
        const auto blue = level(b), green = level(g), red = level(r);
        const auto all = hn::Add(hn::Add(blue, green), red); // whole numbers: exact
        const auto moved = [&](hn::Vec<decltype(df)> own) {
            const auto difference = hn::MulSub(three, own, all); // 2 × own − the others, exact
            const auto sum = hn::MulAdd(factor, difference, own);
            const auto nearest = hn::NearestInt(sum);
            const auto tieDown =
                hn::RebindMask(di, hn::Eq(hn::Sub(sum, hn::ConvertTo(df, nearest)), half));
            return hn::DemoteTo(d8, hn::Sub(nearest, hn::VecFromMask(di, tieDown)));
        };
        b = moved(blue), g = moved(green), r = moved(red);
    };
    const auto pixels = [&](int x) {
        Bytes b, g, r;
        hn::LoadInterleaved3(d8, in + 3 * x, b, g, r);
        vivid(b, g, r);
        hn::StoreInterleaved3(b, g, r, d8, out + 3 * x);
    };
    // Four vectors of pixels through one interleaved load and store of whole byte vectors, which
    // costs far less than four of a quarter vector each.
    const hn::Repartition<std::uint8_t, decltype(df)> dWide;
    const hn::Half<decltype(dWide)> dHalf;
    const auto quarters = [&](hn::Vec<decltype(dWide)> v, Bytes(&q)[4]) {
        const auto low = hn::LowerHalf(dHalf, v), high = hn::UpperHalf(dHalf, v);
        q[0] = hn::LowerHalf(d8, low), q[1] = hn::UpperHalf(d8, low);
        q[2] = hn::LowerHalf(d8, high), q[3] = hn::UpperHalf(d8, high);
    };
    const auto joined = [&](const Bytes(&q)[4]) {
        return hn::Combine(dWide, hn::Combine(dHalf, q[3], q[2]), hn::Combine(dHalf, q[1], q[0]));
    };
    const auto widePixels = [&](int x) {
        hn::Vec<decltype(dWide)> b, g, r;
        hn::LoadInterleaved3(dWide, in + 3 * x, b, g, r);
        Bytes q[3][4];
        quarters(b, q[0]), quarters(g, q[1]), quarters(r, q[2]);
        for (int i = 0; i < 4; ++i)
            vivid(q[0][i], q[1][i], q[2][i]);
        hn::StoreInterleaved3(joined(q[0]), joined(q[1]), joined(q[2]), dWide, out + 3 * x);
    };
    int x = 0;
    for (; x + 4 * lanes <= width; x += 4 * lanes)
        widePixels(x);
    for (; x + lanes <= width; x += lanes)
        pixels(x);
    // The last pixels one at a time: a vector ending at the row's end would rewrite pixels
    // already moved, which in place would move them twice.
    vividPixels(in + 3 * x, out + 3 * x, width - x, k);
}
#else
// Without fused multiply-add: the exact scalar path.
void VividRow(const std::uint8_t* in, std::uint8_t* out, int width, float k) {
    vividPixels(in, out, width, k);
}
#endif

} // namespace tavlo::HWY_NAMESPACE
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace tavlo {

HWY_EXPORT(VividRow);

void vividRow(const std::uint8_t* in, std::uint8_t* out, int width, float k) {
    HWY_DYNAMIC_DISPATCH(VividRow)(in, out, width, k);
}

} // namespace tavlo
#endif
