#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "filters/convolution_row.cpp"
#include <hwy/foreach_target.h> // IWYU pragma: keep

#include <hwy/highway.h>

#include "filters/convolution_row.h"

#include <algorithm>
#include <cstdlib>

HWY_BEFORE_NAMESPACE();
namespace tavlo::HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

// The quotient is formed in single precision and is exact: for |sum| < 2^24 a true quotient that
// is an integer is represented exactly, and one that is not lies at least 1 / |divisor| from the
// nearest integer, farther than the rounding error |sum / divisor| × 2^−24, so truncating the
// rounded quotient gives the integer division's result.
class Finish {
  public:
    using D = hn::ScalableTag<float>;
    using DI = hn::RebindToSigned<D>;
    using D8 = hn::Rebind<std::uint8_t, D>;

    explicit Finish(std::int32_t divisor)
        : divide_(divisor != 0), by_(hn::Set(D(), static_cast<float>(divisor))),
          offset_(hn::Set(D(), 128.0f)), top_(hn::Set(DI(), 255)) {}

    hn::Vec<D8> operator()(hn::Vec<D> sum) const {
        const auto result = divide_ ? hn::Div(sum, by_) : hn::Add(sum, offset_);
        return hn::DemoteTo(D8(),
                            hn::Min(hn::Max(hn::ConvertTo(DI(), result), hn::Zero(DI())), top_));
    }

  private:
    bool divide_;
    hn::Vec<D> by_, offset_;
    hn::Vec<DI> top_;
};

#if HWY_TARGET != HWY_SCALAR
// Sums of kernels with Σ |k| × 255 < 2^15 in 16-bit lanes, and the quotient there too, with a
// multiply instead of a division. A quotient below 0 clamps to 0 whichever way it was rounded, so
// only sums of the divisor's sign are divided: n = sum × sign(divisor), from 0 up to 255 × 128,
// by e = |divisor| ≤ 128. With l = ⌈log2 e⌉ and m = ⌈2^(15 + l) / e⌉, n × m / 2^(15 + l) has the
// same floor as n / e for every n < 2^15: as m × e − 2^(15 + l) is below e, it exceeds n / e by
// less than n / 2^(15 + l) < 2^−l ≤ 1 / e, the least gap from n / e up to the next integer.
// m < 2^16 (m = 2^15 for e = 2^l), and 2n < 2^16, so the unsigned high half of 2n × m shifted
// right by l is the quotient.
class NarrowSums {
  public:
    using D16 = hn::Repartition<std::int16_t, Finish::D>;
    using DU16 = hn::RebindToUnsigned<D16>;
    using D8 = hn::Rebind<std::uint8_t, D16>;

    NarrowSums(const std::uint8_t* const rows[3], const FilterKernel& kernel, std::int32_t divisor)
        : rows_(rows), divide_(divisor != 0), negate_(divisor < 0) {
        for (std::size_t i = 0; i < 9; ++i)
            weights_[i] = hn::Set(D16(), static_cast<std::int16_t>(kernel[i]));
        const std::int32_t e = std::abs(divisor);
        while ((1 << shift_) < e)
            ++shift_;
        multiplier_ = hn::Set(
            DU16(), static_cast<std::uint16_t>(e == 0 ? 0 : ((1 << (15 + shift_)) + e - 1) / e));
    }
    static int lanes() { return static_cast<int>(hn::Lanes(D16())); }

    void operator()(int j, std::uint8_t* out) const {
        const D16 d16;
        const DU16 du16;
        auto sum = hn::Zero(d16);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) {
                const auto pixels = hn::PromoteTo(d16, hn::LoadU(D8(), rows_[r] + j + 3 * (c - 1)));
                sum = hn::Add(sum, hn::Mul(weights_[3 * r + c], pixels));
            }
        hn::Vec<D16> result;
        if (divide_) {
            const auto n = hn::BitCast(du16, hn::Max(negate_ ? hn::Neg(sum) : sum, hn::Zero(d16)));
            const auto quotient =
                hn::ShiftRightSame(hn::MulHigh(hn::ShiftLeft<1>(n), multiplier_), shift_);
            result = hn::BitCast(d16, hn::Min(quotient, hn::Set(du16, 255)));
        } else {
            // Beyond -128 … 127 the offset sum clamps anyway; within it, it cannot overflow.
            const auto held = hn::Min(hn::Max(sum, hn::Set(d16, -128)), hn::Set(d16, 127));
            result = hn::Add(held, hn::Set(d16, 128));
        }
        hn::StoreU(hn::DemoteTo(D8(), result), D8(), out + j);
    }

  private:
    const std::uint8_t* const* rows_;
    bool divide_, negate_;
    int shift_ = 0;
    hn::Vec<DU16> multiplier_;
    hn::Vec<D16> weights_[9];
};

#endif

// Wider sums in single precision, exact: every product and partial sum is an integer below 2^20
// in magnitude.
class WideSums {
  public:
    WideSums(const std::uint8_t* const rows[3], const FilterKernel& kernel, std::int32_t divisor)
        : rows_(rows), finish_(divisor) {
        for (std::size_t i = 0; i < 9; ++i)
            weights_[i] = hn::Set(Finish::D(), static_cast<float>(kernel[i]));
    }
    static int lanes() { return static_cast<int>(hn::Lanes(Finish::D())); }

    void operator()(int j, std::uint8_t* out) const {
        const Finish::D df;
        auto sum = hn::Zero(df);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) {
                const auto pixels = hn::PromoteTo(
                    Finish::DI(), hn::LoadU(Finish::D8(), rows_[r] + j + 3 * (c - 1)));
                sum = hn::MulAdd(weights_[3 * r + c], hn::ConvertTo(df, pixels), sum);
            }
        hn::StoreU(finish_(sum), Finish::D8(), out + j);
    }

  private:
    const std::uint8_t* const* rows_;
    Finish finish_;
    hn::Vec<Finish::D> weights_[9];
};

// Bytes [3, end) in vectors of `lanes`, the last one ending at `end` and overlapping bytes already
// written with the same values; returns where the bytes left to do one by one start.
template <class Sums> int vectorBytes(const Sums& sums, std::uint8_t* out, int end) {
    const int lanes = Sums::lanes();
    if (end - 3 < lanes) return 3;
    int j = 3;
    for (; j + lanes <= end; j += lanes)
        sums(j, out);
    if (j < end) sums(end - lanes, out);
    return end;
}

void ConvolveInnerBytes(const std::uint8_t* above, const std::uint8_t* own,
                        const std::uint8_t* below, std::uint8_t* out, int width,
                        const FilterKernel& kernel, std::int32_t divisor) {
    const std::uint8_t* const rows[3] = {above, own, below};
    const int end = 3 * width - 3;
#if HWY_TARGET != HWY_SCALAR
    std::int64_t widest = 0;
    for (const std::int32_t k : kernel)
        widest += std::abs(std::int64_t{k}) * 255;
    int j = widest < (1 << 15) ? vectorBytes(NarrowSums(rows, kernel, divisor), out, end)
                               : vectorBytes(WideSums(rows, kernel, divisor), out, end);
#else
    int j = vectorBytes(WideSums(rows, kernel, divisor), out, end); // one lane: nothing narrower
#endif
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
