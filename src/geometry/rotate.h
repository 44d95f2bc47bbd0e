// Rotation by whole degrees about the centre: a forward mapping from every source pixel, written
// twice (into its destination pixel and the one above) so that rounding leaves no gaps; the
// result is enlarged to hold the turned picture and its uncovered corners stay white.
#pragma once

#include "document/kernel_result.h"

namespace tavlo {

// Where the rotation puts things: the source centre (hw, hh) lands on the destination pixel
// (u, v) of a 2u × 2v result; sine and cosine of the angle as the pixel loop uses them.
struct RotationFrame {
    int hw = 0, hh = 0;
    int u = 0, v = 0;
    float sine = 0, cosine = 0;
};

// The angle is taken with 3.1415 for π, as the program always has, so results stay the same
// from one version to the next. In a one-pixel-wide image (hw = 0) the centre lies straight below
// the top-left corner, so its angle is π/2, the limit of arctan(hh ÷ hw), instead of a division by
// zero; a 1 × 1 image has R = 0 and gives a 2 × 2 result.
RotationFrame rotationFrame(int width, int height, int degrees);

// The rotated image in the source's format and palette. Refuses formats other than 8, 24 and 32
// bits; throws InvalidBitmapSizeError for an empty image.
KernelResult rotateBitmap(const Bitmap& source, int degrees);

// The same result, each destination position evaluated directly in extended precision. The
// kernel steps through positions in exact fixed point instead, which gives the same numbers as
// long as they fit in 63 bits; it falls back to this for images too large for that, and for
// angles beyond −179 … 179 whose sine or cosine is too small for its fixed point.
KernelResult rotateBitmapDirect(const Bitmap& source, int degrees);

} // namespace tavlo
