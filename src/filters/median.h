// 3×3 median of every colour channel separately.
#pragma once

#include "document/bitmap.h"

namespace tavlo {

// Any pixel format is accepted and the result is 24 bits per pixel. Each channel of each pixel
// becomes the fifth smallest of its nine window values, edges replicated as in the convolution.
// Throws InvalidBitmapSizeError for an image without width or height.
Bitmap medianFiltered(const Bitmap& source);

} // namespace tavlo
