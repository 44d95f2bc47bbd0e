#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "filters/grey_row.cpp"
#include <hwy/foreach_target.h> // IWYU pragma: keep

#include <hwy/highway.h>

#include "filters/grey_row.h"

HWY_BEFORE_NAMESPACE();
namespace tavlo::HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

// n / 1000 for n ≤ 255500 without a division: (n / 8) / 125 is the same floor, and n / 8 < 2^15
// times 33555 ≈ 2^22 / 125 stays below 2^31 and is off by less than one after the shift (checked
// for every n).
template <class V> V thousandths(V n) {
    return hn::ShiftRight<22>(hn::Mul(hn::ShiftRight<3>(n), hn::Set(hn::DFromV<V>(), 33555)));
}

void GreyRow(const std::uint8_t* in, std::uint8_t* out, int width) {
    const hn::ScalableTag<std::int32_t> d32;
    const hn::Rebind<std::uint8_t, decltype(d32)> d8;
    const int lanes = static_cast<int>(hn::Lanes(d32));
    const auto pixels = [&](int x) {
        hn::Vec<decltype(d8)> b, g, r;
        hn::LoadInterleaved3(d8, in + 3 * x, b, g, r);
        auto sum = hn::Mul(hn::PromoteTo(d32, r), hn::Set(d32, 299));
        sum = hn::Add(sum, hn::Mul(hn::PromoteTo(d32, g), hn::Set(d32, 587)));
        sum = hn::Add(sum, hn::Mul(hn::PromoteTo(d32, b), hn::Set(d32, 114)));
        const auto grey = hn::DemoteTo(d8, thousandths(hn::Add(sum, hn::Set(d32, 500))));
        hn::StoreInterleaved3(grey, grey, grey, d8, out + 3 * x);
    };
    int x = 0;
    for (; x + lanes <= width; x += lanes)
        pixels(x);
    // The last pixels as one more vector ending at the row's end (some written twice, alike); a
    // row narrower than a vector goes through a copy.
    if (x == width) return;
    if (width >= lanes) return pixels(width - lanes);
    std::uint8_t inCopy[3 * HWY_LANES(std::int32_t)] = {}, outCopy[3 * HWY_LANES(std::int32_t)];
    for (int i = 0; i < 3 * width; ++i)
        inCopy[i] = in[i];
    GreyRow(inCopy, outCopy, lanes);
    for (int i = 0; i < 3 * width; ++i)
        out[i] = outCopy[i];
}

} // namespace tavlo::HWY_NAMESPACE
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace tavlo {

HWY_EXPORT(GreyRow);

void greyRow(const std::uint8_t* in, std::uint8_t* out, int width) {
    HWY_DYNAMIC_DISPATCH(GreyRow)(in, out, width);
}

} // namespace tavlo
#endif
