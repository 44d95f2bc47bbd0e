// Quarter turns, the half turn and the two mirrors, pixel for pixel.
#pragma once

#include "document/kernel_result.h"
#include "geometry_parameters.h"

namespace tavlo {

// The turned image in the source's format, palette and fourth byte; the sides swap for quarter
// turns. Refuses formats other than 8, 24 and 32 bits; throws InvalidBitmapSizeError for an empty
// image.
KernelResult turnBitmap(const Bitmap& source, TurnMode mode);

} // namespace tavlo
