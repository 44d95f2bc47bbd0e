#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "filters/median_row.cpp"
#include <hwy/foreach_target.h> // IWYU pragma: keep

#include <hwy/highway.h>

#include "filters/median_row.h"

HWY_BEFORE_NAMESPACE();
namespace tavlo::HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

template <class V> void order(V& low, V& high) {
    const V smaller = hn::Min(low, high);
    high = hn::Max(low, high);
    low = smaller;
}

template <class V> V medianOfThree(V a, V b, V c) {
    return hn::Max(hn::Min(a, b), hn::Min(hn::Max(a, b), c));
}

// With each column of the window sorted, the median of nine is the median of the largest of the
// three smallest, the median of the middles and the smallest of the three largest. Min and max
// only, so it holds for every input once it holds for every window of 0s and 1s (the tests try
// them all).
template <class D> hn::Vec<D> windowMedian(D d, const std::uint8_t* const rows[3], int j) {
    hn::Vec<D> low[3], middle[3], high[3];
    for (int c = 0; c < 3; ++c) {
        const int at = j + 3 * (c - 1);
        low[c] = hn::LoadU(d, rows[0] + at);
        middle[c] = hn::LoadU(d, rows[1] + at);
        high[c] = hn::LoadU(d, rows[2] + at);
        order(low[c], middle[c]);
        order(middle[c], high[c]);
        order(low[c], middle[c]);
    }
    return medianOfThree(hn::Max(hn::Max(low[0], low[1]), low[2]),
                         medianOfThree(middle[0], middle[1], middle[2]),
                         hn::Min(hn::Min(high[0], high[1]), high[2]));
}

void MedianInnerBytes(const std::uint8_t* above, const std::uint8_t* own, const std::uint8_t* below,
                      std::uint8_t* out, int width) {
    const std::uint8_t* const rows[3] = {above, own, below};
    const int end = 3 * width - 3;
    const hn::ScalableTag<std::uint8_t> d;
    const int lanes = static_cast<int>(hn::Lanes(d));
    int j = 3;
    if (end - 3 >= lanes) {
        for (; j + lanes <= end; j += lanes)
            hn::StoreU(windowMedian(d, rows, j), d, out + j);
        // The last vector ends at the end, overlapping bytes already written with the same values.
        if (j < end) hn::StoreU(windowMedian(d, rows, end - lanes), d, out + end - lanes);
        return;
    }
    const hn::CappedTag<std::uint8_t, 1> one;
    for (; j < end; ++j)
        hn::StoreU(windowMedian(one, rows, j), one, out + j);
}

} // namespace tavlo::HWY_NAMESPACE
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace tavlo {

HWY_EXPORT(MedianInnerBytes);

void medianInnerBytes(const std::uint8_t* above, const std::uint8_t* own, const std::uint8_t* below,
                      std::uint8_t* out, int width) {
    HWY_DYNAMIC_DISPATCH(MedianInnerBytes)(above, own, below, out, width);
}

} // namespace tavlo
#endif
