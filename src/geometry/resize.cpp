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
    // At the same size the stretch hands back the source itself, padding and all; results are
    // saved with zeroed padding, as every other kernel's are.
    Bitmap result = stretched(source, size.width, size.height);
    result.zeroPadding();
    return result;
}

} // namespace tavlo
