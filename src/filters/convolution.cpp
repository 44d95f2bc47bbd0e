#include "convolution.h"

#include "document/emboss_error.h"
#include "document/worker_pool.h"
#include "neighbourhood.h"

#include <cstdint>
#include <vector>

namespace tavlo {

namespace {

// Weighted sums of bounded kernels fit this range; their results are looked up, not divided.
constexpr std::int64_t kLargestTable = std::int64_t{1} << 20;

std::uint8_t clampedResult(std::int64_t acc, std::int64_t sum) {
    const std::int64_t v = sum != 0 ? acc / sum : acc + 128;
    return static_cast<std::uint8_t>(std::clamp<std::int64_t>(v, 0, 255));
}

std::int64_t windowSum(const FilterKernel& k, const std::array<int, 9>& p) {
    std::int64_t acc = 0;
    for (std::size_t i = 0; i < 9; ++i)
        acc += std::int64_t{k[i]} * p[i];
    return acc;
}

// The general case: 64-bit sums and a division per channel, for kernels whose sums are too wide
// for a table.
void convolveRowsExactly(const Bitmap& source, const FilterKernel& kernel, std::int64_t sum,
                         Bitmap& result) {
    const int width = source.width();
    const WritableRows to(result);
    forEachBand(source.height(), kRowsPerBand, [&](int first, int last) {
        for (int y = first; y < last; ++y) {
            const WindowRows rows = windowRows(source, y);
            std::uint8_t* out = to[y];
            for (int x = 0; x < width; ++x)
                for (int c = 0; c < 3; ++c)
                    out[3 * x + c] =
                        clampedResult(windowSum(kernel, windowBytes(rows, x, width, c)), sum);
        }
    });
}

// Bounded kernels: sums over a whole row in the narrowest lanes that hold them, which the
// compiler vectorises, then the division and clamping through a table indexed by the sum.
// Narrow sums wrap while they are formed but the true sum fits, so the stored value is exact.
// One band of rows; everything the loops read is a local or a parameter, since the byte stores
// could otherwise alias a captured variable and keep the loops from being vectorised.
template <typename Sum>
void convolveBand(const Bitmap& source, const FilterKernel& k, const std::uint8_t* table,
                  std::int32_t offset, const WritableRows& to, int first, int last) {
    const int width = source.width();
    const int bytes = 3 * width;
    const Sum k0 = static_cast<Sum>(k[0]), k1 = static_cast<Sum>(k[1]), k2 = static_cast<Sum>(k[2]),
              k3 = static_cast<Sum>(k[3]), k4 = static_cast<Sum>(k[4]), k5 = static_cast<Sum>(k[5]),
              k6 = static_cast<Sum>(k[6]), k7 = static_cast<Sum>(k[7]), k8 = static_cast<Sum>(k[8]);
    std::vector<Sum> sums(static_cast<std::size_t>(bytes));
    for (int y = first; y < last; ++y) {
        const WindowRows rows = windowRows(source, y);
        const std::uint8_t* a = rows.above;
        const std::uint8_t* o = rows.own;
        const std::uint8_t* b = rows.below;
        Sum* s = sums.data();
        for (int j = 3; j < bytes - 3; ++j)
            s[j] = static_cast<Sum>(k0 * a[j - 3] + k1 * a[j] + k2 * a[j + 3] + k3 * o[j - 3] +
                                    k4 * o[j] + k5 * o[j + 3] + k6 * b[j - 3] + k7 * b[j] +
                                    k8 * b[j + 3]);
        for (const int x : {0, width - 1})
            for (int c = 0; c < 3; ++c)
                s[3 * x + c] = static_cast<Sum>(windowSum(k, windowBytes(rows, x, width, c)));
        std::uint8_t* out = to[y];
        for (int j = 0; j < bytes; ++j)
            out[j] = table[static_cast<std::size_t>(s[j] - offset)];
    }
}

template <typename Sum>
void convolveRowsByTable(const Bitmap& source, const FilterKernel& k, std::int64_t sum,
                         std::int64_t lowest, std::int64_t highest, Bitmap& result) {
    std::vector<std::uint8_t> table(static_cast<std::size_t>(highest - lowest + 1));
    for (std::int64_t acc = lowest; acc <= highest; ++acc)
        table[static_cast<std::size_t>(acc - lowest)] = clampedResult(acc, sum);
    const WritableRows to(result);
    forEachBand(source.height(), kRowsPerBand, [&](int first, int last) {
        convolveBand<Sum>(source, k, table.data(), static_cast<std::int32_t>(lowest), to, first,
                          last);
    });
}

} // namespace

Bitmap convolved(const Bitmap& image, const FilterKernel& kernel) {
    requireNonEmpty(image);
    const Bitmap source = as24Bit(image);
    Bitmap result = newResult24(source.width(), source.height());
    const std::int64_t sum = kernelSum(kernel);
    std::int64_t lowest = 0, highest = 0;
    for (const std::int32_t k : kernel)
        (k < 0 ? lowest : highest) += std::int64_t{k} * 255;
    if (lowest >= INT16_MIN && highest <= INT16_MAX)
        convolveRowsByTable<std::int16_t>(source, kernel, sum, lowest, highest, result);
    else if (highest - lowest < kLargestTable)
        convolveRowsByTable<std::int32_t>(source, kernel, sum, lowest, highest, result);
    else
        convolveRowsExactly(source, kernel, sum, result);
    return result;
}

} // namespace tavlo
