// 3×3 convolution of every colour channel with a signed integer kernel.
#pragma once

#include "document/bitmap.h"
#include "filter_kernel.h"

namespace tavlo {

// Any pixel format is accepted and the result is 24 bits per pixel. Each channel's weighted sum
// over the window (edges replicated) is divided by the kernel's sum, truncating toward zero, or,
// when that sum is 0, offset by 128; then clamped to 0 … 255. Sums are exact for any
// coefficients. Throws InvalidBitmapSizeError for an image without width or height.
Bitmap convolved(const Bitmap& source, const FilterKernel& kernel);

} // namespace tavlo
