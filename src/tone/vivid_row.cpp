#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "tone/vivid_row.cpp"
#include <hwy/foreach_target.h> // IWYU pragma: keep

#include <hwy/highway.h>

#include "tone/vivid_row.h"

HWY_BEFORE_NAMESPACE();
namespace tavlo::HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

#if HWY_NATIVE_FMA
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
    // The last pixels as one more vector ending at the row's end, rewriting some with the same
    // values; a row narrower than a vector goes through a copy.
    if (x == width) return;
    if (width >= lanes) return pixels(width - lanes);
    std::uint8_t inCopy[3 * HWY_LANES(float)] = {}, outCopy[3 * HWY_LANES(float)];
    for (int i = 0; i < 3 * width; ++i)
        inCopy[i] = in[i];
    VividRow(inCopy, outCopy, lanes, k);
    for (int i = 0; i < 3 * width; ++i)
        out[i] = outCopy[i];
}
#else
// Without fused multiply-add, in double precision one channel at a time: k has 24 significant
// bits and the difference 10, so k × d + own is exact there, and rounding it to single gives the
// same sum.
void VividRow(const std::uint8_t* in, std::uint8_t* out, int width, float k) {
    for (int x = 0; x < width; ++x, in += 3, out += 3) {
        const int all = in[0] + in[1] + in[2];
        for (int c = 0; c < 3; ++c) {
            const float sum =
                static_cast<float>(in[c] + static_cast<double>(k) * (3 * in[c] - all));
            const int level = static_cast<int>(static_cast<double>(sum) + 0.5); // toward zero
            out[c] = static_cast<std::uint8_t>(level < 0 ? 0 : level > 255 ? 255 : level);
        }
    }
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
