#include "vividness.h"

#include "document/pixel_convert.h"
#include "document/worker_pool.h"

#include <algorithm>
#include <vector>

namespace tavlo {

namespace {

constexpr int kDifferences = 1021;

// One band of rows; `table` points at the entry for own = 0, d = 0.
void vividRows(const Bitmap& image, const std::uint8_t* table, const WritableRows& to, int first,
               int last) {
    const auto channel = [table](int own, int other1, int other2) {
        return table[own * kDifferences + 2 * own - other1 - other2];
    };
    const int width = image.width();
    for (int y = first; y < last; ++y) {
        const std::uint8_t* in = image.row(y);
        std::uint8_t* out = to[y];
        for (int x = 0; x < width; ++x, in += 3, out += 3) {
            const int b = in[0], g = in[1], r = in[2];
            out[0] = channel(b, r, g);
            out[1] = channel(g, r, b);
            out[2] = channel(r, g, b);
        }
    }
}

} // namespace

float vividFactor(std::int32_t amount) {
    return static_cast<float>(static_cast<long double>(amount) / 100);
}

KernelResult vividBitmap(const Bitmap& source, std::int32_t amount) {
    requireNonEmpty(source);
    Bitmap converted;
    if (source.format() != PixelFormat::Bit24) converted = convertedTo(source, PixelFormat::Bit24);
    const Bitmap& image = converted.empty() ? source : converted;
    // With a single-precision k (24 significant bits) and channels below 2^8, every product and
    // sum of f × own − k × other1 − k × other2 needs fewer than 53 bits, so double arithmetic gives
    // it exactly; so it does for own + k × (2 × own − other1 − other2), the same number. A result
    // thus depends only on own and the difference d = 2 × own − other1 − other2 (−510 … 510): one
    // table of all 256 × 1021 results, built with the full rounding, serves the whole pass.
    const double k = vividFactor(amount);
    std::vector<std::uint8_t> table(256 * kDifferences);
    std::uint8_t* const results = table.data();
    forEachBand(256, 16, [k, results](int first, int last) {
        for (int own = first; own < last; ++own)
            for (int d = -510; d <= 510; ++d) {
                const float sum = static_cast<float>(own + k * d);
                const int r = static_cast<int>(static_cast<double>(sum) + 0.5); // toward zero
                results[own * kDifferences + d + 510] =
                    static_cast<std::uint8_t>(std::clamp(r, 0, 255));
            }
    });
    Bitmap result = Bitmap::uninitialised(image.width(), image.height(), PixelFormat::Bit24);
    const WritableRows to(result);
    forEachBand(image.height(), kRowsPerBand,
                [&](int first, int last) { vividRows(image, results + 510, to, first, last); });
    return result;
}

} // namespace tavlo
