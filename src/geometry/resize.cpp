#include "resize.h"

#include "document/pixel_convert.h"
#include "pixel_rows.h"

#include <cstdint>

namespace tavlo {

ImageSize resizedSize(ImageSize current, int divisor, ImageSize target) {
    if (divisor == 0) return target;
    return {current.width / divisor, current.height / divisor};
}

std::string_view resizeRefusal(ImageSize size) {
    if (size.width < 1 || size.height < 1) return kResizeTooSmallMessage;
    if (static_cast<std::uint64_t>(size.width) * static_cast<std::uint64_t>(size.height) >
        kMaxPixels)
        return kResizeTooLargeMessage;
    return {};
}

Bitmap resizeBitmap(const Bitmap& source, ImageSize size) {
    // Always a fresh bitmap, also at the same size, so that the padding is cleared as in the
    // other kernels' results.
    Bitmap result = stretched(source, size.width, size.height);
    geometry::clearPadding(result);
    return result;
}

} // namespace tavlo
