// Histogram equalisation: each colour channel mapped through its own cumulative distribution of
// the scaled bar heights, so the result depends on the histogram factor too.
#pragma once

#include "document/bitmap.h"
#include "histogram.h"

#include <array>
#include <cstdint>

namespace tavlo {

using ChannelTable = std::array<std::uint8_t, 256>;

struct ChannelTables {
    ChannelTable red, green, blue;
};

// The mapping of each channel value. The black level is the highest value at which a channel's
// running sum is still 0; from there each distribution is stretched to 0 … 255 (t + 0.5
// truncated, clamped). A channel whose heights are all 0 has no distribution: it keeps its
// values and takes no part in the black level.
ChannelTables equalisationTables(const Histogram& heights);

// Every pixel of a 24-bit image through the tables.
Bitmap mappedThrough(const Bitmap& image24, const ChannelTables& tables);

// The image, read as 24 bits per pixel, equalised by its histogram at the given factor; the
// result is 24 bits per pixel. Throws EEmbossError for an image without width or height.
Bitmap equalised(const Bitmap& image, float histogramFactor);

} // namespace tavlo
