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

#if HWY_TARGET == HWY_SCALAR
// One pixel at a time, in 32-bit lanes.
struct Greys {
    using D = hn::ScalableTag<std::uint8_t>;
    void operator()(const std::uint8_t* in, std::uint8_t* out) const {
        const hn::ScalableTag<std::int32_t> d32;
        hn::Vec<D> b, g, r;
        hn::LoadInterleaved3(D(), in, b, g, r);
        auto sum = hn::Mul(hn::PromoteTo(d32, r), hn::Set(d32, 299));
        sum = hn::Add(sum, hn::Mul(hn::PromoteTo(d32, g), hn::Set(d32, 587)));
        sum = hn::Add(sum, hn::Mul(hn::PromoteTo(d32, b), hn::Set(d32, 114)));
        const auto grey = hn::DemoteTo(D(), thousandths(hn::Add(sum, hn::Set(d32, 500))));
        hn::StoreInterleaved3(grey, grey, grey, D(), out);
    }
};
#else
// A whole vector of pixels per step. The sum is formed by 16-bit multiplies that add pairs into
// 32 bits, (G, R) × (587, 299) plus (B, 1) × (114, 500); the pairs are zipped within each 128-bit
// block and the demotion back to 16 bits packs within each block too, so the pixels come out in
// the order they went in.
struct Greys {
    using D = hn::ScalableTag<std::uint8_t>;
    using D16 = hn::Repartition<std::int16_t, D>;
    using D32 = hn::Repartition<std::int32_t, D>;

    // The greys of the pixels whose channels are in b, g and r, as 16-bit values.
    static hn::Vec<D16> greys(hn::Vec<D16> b, hn::Vec<D16> g, hn::Vec<D16> r) {
        const D16 d16;
        const D32 d32;
        const auto greenRed = hn::BitCast(d16, hn::Set(d32, 587 | 299 << 16));
        const auto blueOne = hn::BitCast(d16, hn::Set(d32, 114 | 500 << 16));
        const auto one = hn::Set(d16, 1);
        const auto half = [&](hn::Vec<D32> gr, hn::Vec<D32> b1) {
            hn::Vec<D32> unused;
            const auto sum = hn::ReorderWidenMulAccumulate(d32, hn::BitCast(d16, gr), greenRed,
                                                           hn::Zero(d32), unused);
            return thousandths(
                hn::ReorderWidenMulAccumulate(d32, hn::BitCast(d16, b1), blueOne, sum, unused));
        };
        return hn::ReorderDemote2To(d16, half(hn::ZipLower(d32, g, r), hn::ZipLower(d32, b, one)),
                                    half(hn::ZipUpper(d32, g, r), hn::ZipUpper(d32, b, one)));
    }

    void operator()(const std::uint8_t* in, std::uint8_t* out) const {
        const D d8;
        const hn::Half<D> dh;
        const D16 d16;
        hn::Vec<D> b, g, r;
        hn::LoadInterleaved3(d8, in, b, g, r);
        const auto lower = greys(hn::PromoteTo(d16, hn::LowerHalf(dh, b)),
                                 hn::PromoteTo(d16, hn::LowerHalf(dh, g)),
                                 hn::PromoteTo(d16, hn::LowerHalf(dh, r)));
        const auto upper = greys(hn::PromoteTo(d16, hn::UpperHalf(dh, b)),
                                 hn::PromoteTo(d16, hn::UpperHalf(dh, g)),
                                 hn::PromoteTo(d16, hn::UpperHalf(dh, r)));
        const auto grey = hn::Combine(d8, hn::DemoteTo(dh, upper), hn::DemoteTo(dh, lower));
        hn::StoreInterleaved3(grey, grey, grey, d8, out);
    }
};
#endif

void GreyRow(const std::uint8_t* in, std::uint8_t* out, int width) {
    const Greys greys;
    const int lanes = static_cast<int>(hn::Lanes(Greys::D()));
    int x = 0;
    for (; x + lanes <= width; x += lanes)
        greys(in + 3 * x, out + 3 * x);
    // The last pixels as one more vector ending at the row's end (some written twice, alike); a
    // row narrower than a vector goes through a copy.
    if (x == width) return;
    if (width >= lanes) return greys(in + 3 * (width - lanes), out + 3 * (width - lanes));
    std::uint8_t inCopy[3 * HWY_LANES(std::uint8_t)] = {}, outCopy[3 * HWY_LANES(std::uint8_t)];
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
