#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "tone/vivid_row.cpp"
#include <hwy/foreach_target.h> // IWYU pragma: keep

#include <hwy/highway.h>

#include "tone/vivid_row.h"

HWY_BEFORE_NAMESPACE();
namespace tavlo::HWY_NAMESPACE {

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
// place.
// k × d + own is formed exactly and rounded once by the fused multiply-add, which is exactly the
// single-precision sum. Adding 0.5 in single precision would round again (0.49999998 + 0.5 gives
// 1), so the sum is rounded to the nearest whole number, ties to even, and a tie that went down
// goes up one: the whole part goes up when the fraction is at least a half.
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
#else
// Without fused multiply-add (or AVX2's byte shuffles), one channel at a time.
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
