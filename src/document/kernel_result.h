// What a pixel kernel hands back: the new image, or nothing when it refused the input's pixel
// format (the caller then shows the unsupported-format message and the image stays as it was).
// Kernels throw InvalidBitmapSizeError for an image without width or height.
#pragma once

#include "bitmap.h"
#include "invalid_bitmap_size_error.h"

#include <initializer_list>
#include <optional>

namespace tavlo {

using KernelResult = std::optional<Bitmap>;

inline bool isOneOf(PixelFormat format, std::initializer_list<PixelFormat> accepted) {
    for (const PixelFormat f : accepted)
        if (f == format) return true;
    return false;
}

} // namespace tavlo
