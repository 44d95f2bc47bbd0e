// The colour-on-colour stretch of an image onto the printer's dots, one piece at a time, so that
// a page at the printer's resolution never has to exist whole in memory.
#pragma once

#include "document/bitmap.h"

#include <cstdint>

namespace tavlo {

// Columns left … left + regionWidth − 1 and rows top … top + regionHeight − 1 of `source`
// stretched to stretchWidth × stretchHeight: destination pixel i takes source pixel
// i × sourceSize div stretchSize on each axis. The result has 24 bits per pixel; `source` must
// too (std::invalid_argument otherwise, and for a region outside the stretched image).
Bitmap stretchedRegion(const Bitmap& source, std::int64_t stretchWidth, std::int64_t stretchHeight,
                       std::int64_t left, std::int64_t top, int regionWidth, int regionHeight);

} // namespace tavlo
