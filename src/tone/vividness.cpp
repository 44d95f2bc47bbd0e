#include "vividness.h"

#include "document/pixel_convert.h"
#include "document/worker_pool.h"
#include "vivid_row.h"

namespace tavlo {

float vividFactor(std::int32_t amount) {
    return static_cast<float>(static_cast<long double>(amount) / 100);
}

KernelResult vividBitmap(const Bitmap& source, std::int32_t amount) {
    requireNonEmpty(source);
    Bitmap converted;
    if (source.format() != PixelFormat::Bit24) converted = convertedTo(source, PixelFormat::Bit24);
    const Bitmap& image = converted.empty() ? source : converted;
    const float k = vividFactor(amount);
    Bitmap result = Bitmap::uninitialised(image.width(), image.height(), PixelFormat::Bit24);
    const WritableRows to(result);
    forEachBand(image.height(), kRowsPerBand, [&](int first, int last) {
        for (int y = first; y < last; ++y)
            vividRow(image.row(y), to[y], image.width(), k);
    });
    return result;
}

} // namespace tavlo
