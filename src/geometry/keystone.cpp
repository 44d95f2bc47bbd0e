#include "deform.h"

#include "document/worker_pool.h"
#include "pixel_rows.h"

#include <cmath>
#include <cstdint>

namespace tavlo {

KernelResult keystoneBitmap(const Bitmap& source, DeformMode mode, float amount) {
    requireNonEmpty(source);
    if (!geometry::movablePixels(source)) return std::nullopt;
    const int width = source.width();
    const int height = source.height();
    Bitmap result = geometry::whiteResultFor(source, width, height);
    const float q = static_cast<float>(static_cast<long double>(amount) / height);
    const float base = amount > 0 ? 0.0f : amount;
    int axis = width / 2;
    if (mode == DeformMode::KeystoneRight)
        axis = 0;
    else if (mode == DeformMode::KeystoneLeft)
        axis = width - 1;

    const auto from = geometry::rowTable(source);
    const auto to = geometry::writableRowTable(result);
    // Each row moves within itself, so bands of rows are independent.
    geometry::withPixelSize(source.format(), [&]<int Bytes>() {
        forEachBand(height, kRowsPerBand, [&, q, base, axis](int first, int last) {
            for (int k = first; k < last; ++k) {
                const float f = static_cast<float>((1.0L - static_cast<long double>(k) * q) + base);
                // Columns left of the axis move right towards it, columns right of it move left;
                // the offset times a float with |offset| < 2^29 is exact in double, so truncating
                // the double is truncating the exact product. 0 ≤ f ≤ 1 keeps every column inside.
                const std::uint8_t* in = from[k];
                std::uint8_t* const out = to[k];
                for (int l = 0; l < width; ++l, in += Bytes) {
                    const double moved = static_cast<double>(l - axis) * static_cast<double>(f);
                    const int column = axis + static_cast<int>(moved); // truncates toward zero
                    geometry::copyPixel<Bytes>(out + column * Bytes, in);
                }
            }
        });
    });
    return result;
}

} // namespace tavlo
