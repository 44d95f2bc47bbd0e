// A bitmap as Qt draws it.
#pragma once

#include "document/bitmap.h"

#include <QImage>

namespace tavlo {

// The bitmap's pixels, colour for colour; a null image for an empty bitmap.
QImage viewImage(const tavlo::Bitmap& bitmap);

} // namespace tavlo
