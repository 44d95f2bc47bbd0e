// Histogram equalisation: each colour channel mapped through its own cumulative distribution of
// the scaled bar heights, so the result depends on the histogram factor too.
#pragma once

#include "document/bitmap.h"
#include "document/channel_lookup.h"
#include "histogram.h"

namespace tavlo {

// The mapping of each channel value. The black level is the highest value at which a channel's
// running sum is still 0; from there each distribution is stretched to 0 … 255 (t + 0.5
// truncated, clamped). A channel whose heights are all 0 has no distribution: it keeps its
// values and takes no part in the black level.
ChannelTables equalisationTables(const Histogram& heights);

// Every pixel of a 24-bit image through the tables.
Bitmap mappedThrough(const Bitmap& image24, const ChannelTables& tables);

// The image, read as 24 bits per pixel, equalised by its histogram at the given factor; the
// result is 24 bits per pixel. Throws InvalidBitmapSizeError for an image without width or height.
Bitmap equalised(const Bitmap& image, float histogramFactor);

} // namespace tavlo
