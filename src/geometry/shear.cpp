#include "deform.h"

#include "document/worker_pool.h"
#include "pixel_rows.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace tavlo {

KernelResult shearBitmap(const Bitmap& source, float amount) {
    requireNonEmpty(source);
    if (!geometry::movablePixels(source)) return std::nullopt;
    const int width = source.width();
    const int height = source.height();
    const float extent = static_cast<float>(std::fabs(static_cast<long double>(width) * amount));
    const long long added = std::llrint(extent);
    Bitmap result = geometry::whiteResultFor(source, width + static_cast<int>(added), height);
    const float step = static_cast<float>(static_cast<long double>(extent) / height);
    const std::size_t rowBytes = static_cast<std::size_t>(width) *
                                 static_cast<std::size_t>(bitsPerPixel(source.format()) / 8);
    const std::size_t pixelBytes = static_cast<std::size_t>(bitsPerPixel(source.format()) / 8);

    const auto from = geometry::rowTable(source);
    const auto to = geometry::writableRowTable(result);
    forEachBand(height, kRowsPerBand, [&](int first, int last) {
        for (int k = first; k < last; ++k) {
            const long double travelled = static_cast<long double>(k) * step;
            long long shift =
                amount >= 0 ? std::llrint(extent - travelled) : std::llrint(travelled);
            // Only for more than 2^24 rows can the rounded step carry a row past either side.
            shift = std::clamp(shift, 0LL, added);
            std::memcpy(to[k] + static_cast<std::size_t>(shift) * pixelBytes, from[k], rowBytes);
        }
    });
    return result;
}

} // namespace tavlo
