// Keystone (trapezoid) and parallelogram deformation: rows squeezed towards a fixed column, or
// shifted sideways, by amounts that change linearly from the top row to the bottom row.
#pragma once

#include "document/kernel_result.h"
#include "geometry_parameters.h"

namespace tavlo {

// Same size as the source; every row k is squeezed by f(k) towards the centre column (both
// sides), the left edge (right side) or the right edge (left side); white where nothing lands.
// `amount` is the fraction −1 … 1. Refuses formats other than 8, 24 and 32 bits; throws
// InvalidBitmapSizeError for an empty image.
KernelResult keystoneBitmap(const Bitmap& source, DeformMode mode, float amount);

// W + Round(|W · amount|) wide: row k shifted right by a linearly falling (amount ≥ 0) or rising
// (amount < 0) number of columns; white where nothing lands. Refusals as above.
KernelResult shearBitmap(const Bitmap& source, float amount);

} // namespace tavlo
