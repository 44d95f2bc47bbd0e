// A bitmap as Qt draws it.
#pragma once

#include "document/bitmap.h"

#include <QImage>

namespace tavlo {

// The bitmap's pixels, colour for colour; a null image for an empty bitmap. Throws
// std::bad_alloc when Qt cannot allocate the image.
QImage viewImage(const tavlo::Bitmap& bitmap);

} // namespace tavlo
