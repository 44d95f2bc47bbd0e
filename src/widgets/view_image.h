// A bitmap as Qt draws it.
#pragma once

#include "document/bitmap.h"

#include <QImage>
#include <QRect>

namespace tavlo {

// The bitmap's pixels, colour for colour; a null image for an empty bitmap. Throws
// std::bad_alloc when Qt cannot allocate the image.
QImage viewImage(const tavlo::Bitmap& bitmap);

// One rectangle of the bitmap as shown stretched to viewSize (view pixel i takes source pixel
// i × source size div view size on each axis, as tavlo::stretched does), written as opaque RGB32
// into the top left of `target`, which must be at least as large as the rectangle. Only the
// rectangle is read and converted, so a window onto a large image costs what it shows.
void convertViewRect(const tavlo::Bitmap& bitmap, QSize viewSize, QRect rect, QImage& target);

} // namespace tavlo
