#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "filters/convolution_row.cpp"
#include <hwy/foreach_target.h> // IWYU pragma: keep

#include <hwy/highway.h>

#include "filters/convolution_row.h"

#include <algorithm>

HWY_BEFORE_NAMESPACE();
namespace tavlo::HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

// The sums are formed in single precision and are exact: every product and partial sum is an
// integer below 2^20 in magnitude. So is the quotient after truncation: for |sum| < 2^24 a true
// quotient that is an integer is represented exactly, and one that is not lies at least
// 1 / |divisor| from the nearest integer, farther than the rounding error |sum / divisor| × 2^−24,
// so truncating the rounded quotient gives the integer division's result.
void ConvolveInnerBytes(const std::uint8_t* above, const std::uint8_t* own,
                        const std::uint8_t* below, std::uint8_t* out, int width,
                        const FilterKernel& kernel, std::int32_t divisor) {
    const hn::ScalableTag<float> df;
    const hn::RebindToSigned<decltype(df)> di;
    const hn::Rebind<std::uint8_t, decltype(df)> d8;
    const int lanes = static_cast<int>(hn::Lanes(df));
    const std::uint8_t* const rows[3] = {above, own, below};
    using FloatVec = hn::Vec<decltype(df)>;
    FloatVec weights[9];
    for (int i = 0; i < 9; ++i)
        weights[i] = hn::Set(df, static_cast<float>(kernel[static_cast<std::size_t>(i)]));
    const FloatVec by = hn::Set(df, static_cast<float>(divisor));
    const FloatVec offset = hn::Set(df, 128.0f);
    const auto zero = hn::Zero(di);
    const auto top = hn::Set(di, 255);
    const auto bytesAt = [&](int j) {
        FloatVec sum = hn::Zero(df);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) {
                const auto pixels = hn::PromoteTo(di, hn::LoadU(d8, rows[r] + j + 3 * (c - 1)));
                sum = hn::MulAdd(weights[3 * r + c], hn::ConvertTo(df, pixels), sum);
            }
        const FloatVec result = divisor != 0 ? hn::Div(sum, by) : hn::Add(sum, offset);
        return hn::DemoteTo(d8, hn::Min(hn::Max(hn::ConvertTo(di, result), zero), top));
    };
    const int end = 3 * width - 3;
    int j = 3;
    for (; j + lanes <= end; j += lanes)
        hn::StoreU(bytesAt(j), d8, out + j);
    if (j < end && end - 3 >= lanes) {
        // The last vector ends at the row's end, overlapping bytes already written with the same
        // values.
        hn::StoreU(bytesAt(end - lanes), d8, out + end - lanes);
        return;
    }
    for (; j < end; ++j) {
        std::int64_t sum = 0;
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                sum += std::int64_t{kernel[static_cast<std::size_t>(3 * r + c)]} *
                       rows[r][j + 3 * (c - 1)];
        const std::int64_t v = divisor != 0 ? sum / divisor : sum + 128;
        out[j] = static_cast<std::uint8_t>(std::clamp<std::int64_t>(v, 0, 255));
    }
}

} // namespace tavlo::HWY_NAMESPACE
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace tavlo {

HWY_EXPORT(ConvolveInnerBytes);

void convolveInnerBytes(const std::uint8_t* above, const std::uint8_t* own,
                        const std::uint8_t* below, std::uint8_t* out, int width,
                        const FilterKernel& kernel, std::int32_t divisor) {
    HWY_DYNAMIC_DISPATCH(ConvolveInnerBytes)(above, own, below, out, width, kernel, divisor);
}

} // namespace tavlo
#endif
