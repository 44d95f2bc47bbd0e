#include "convolution.h"

#include "convolution_row.h"
#include "document/invalid_bitmap_size_error.h"
#include "document/worker_pool.h"
#include "neighbourhood.h"

#include <cstdint>
#include <cstdlib>

namespace tavlo {

namespace {

// Sums below this are exact in single precision, and so are their quotients (see convolution_row).
constexpr std::int64_t kLargestVectorSum = std::int64_t{1} << 20;

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

// Kernels whose sums stay small enough for single precision, which covers every kernel one would
// use: the inner bytes in vectors, the first and last pixel, whose window is cut by the edge, one
// by one.
void convolveRowsInVectors(const Bitmap& source, const FilterKernel& kernel, std::int64_t sum,
                           Bitmap& result) {
    const int width = source.width();
    const WritableRows to(result);
    forEachBand(source.height(), kRowsPerBand, [&](int first, int last) {
        for (int y = first; y < last; ++y) {
            const WindowRows rows = windowRows(source, y);
            std::uint8_t* out = to[y];
            convolveInnerBytes(rows.above, rows.own, rows.below, out, width, kernel,
                               static_cast<std::int32_t>(sum));
            for (const int x : {0, width - 1})
                for (int c = 0; c < 3; ++c)
                    out[3 * x + c] =
                        clampedResult(windowSum(kernel, windowBytes(rows, x, width, c)), sum);
        }
    });
}

} // namespace

Bitmap convolved(const Bitmap& image, const FilterKernel& kernel) {
    requireNonEmpty(image);
    const Bitmap source = as24Bit(image);
    Bitmap result = newResult24(source.width(), source.height());
    const std::int64_t sum = kernelSum(kernel);
    std::int64_t widest = 0; // the largest magnitude a sum or partial sum can reach
    for (const std::int32_t k : kernel)
        widest += std::abs(std::int64_t{k}) * 255;
    if (widest < kLargestVectorSum)
        convolveRowsInVectors(source, kernel, sum, result);
    else
        convolveRowsExactly(source, kernel, sum, result);
    return result;
}

} // namespace tavlo
