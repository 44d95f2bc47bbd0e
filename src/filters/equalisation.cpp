#include "equalisation.h"

#include "document/channel_lookup.h"
#include "document/invalid_bitmap_size_error.h"
#include "neighbourhood.h"

#include <cmath>

namespace tavlo {

namespace {

HistogramBins runningSums(const HistogramBins& heights) {
    HistogramBins sums{};
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < 256; ++i)
        sums[i] = sum += heights[i];
    return sums;
}

// f and g in single precision; the intermediate steps in extended precision.
ChannelTable stretchedTable(const HistogramBins& sums, int blackLevel) {
    const float total = static_cast<float>(sums[255]);
    if (total == 0) return kIdentityTable;
    const float f = static_cast<float>(blackLevel / 255.0L);
    const float g = static_cast<float>(255.0L / (1.0L - f));
    ChannelTable table{};
    for (std::size_t v = 0; v < 256; ++v) {
        const float cdf = static_cast<float>(sums[v]) / total;
        const float t = static_cast<float>((static_cast<long double>(cdf) - f) * g);
        const long double out = std::trunc(static_cast<long double>(t) + 0.5L);
        table[v] = static_cast<std::uint8_t>(std::clamp(out, 0.0L, 255.0L));
    }
    return table;
}

} // namespace

ChannelTables equalisationTables(const Histogram& heights) {
    const HistogramBins red = runningSums(heights.red);
    const HistogramBins green = runningSums(heights.green);
    const HistogramBins blue = runningSums(heights.blue);
    int blackLevel = 0;
    for (int i = 0; i < 256; ++i)
        for (const HistogramBins* sums : {&red, &green, &blue}) {
            const auto at = static_cast<std::size_t>(i);
            if ((*sums)[at] == 0 && (*sums)[255] != 0) blackLevel = i;
        }
    return {stretchedTable(red, blackLevel), stretchedTable(green, blackLevel),
            stretchedTable(blue, blackLevel)};
}

Bitmap mappedThrough(const Bitmap& image, const ChannelTables& tables) {
    Bitmap result = newResult24(image.width(), image.height());
    mapChannelRows(image, result, tables);
    return result;
}

Bitmap equalised(const Bitmap& image, float histogramFactor) {
    requireNonEmpty(image);
    const Bitmap source = as24Bit(image);
    const Histogram heights = scaleCounts(countChannels(source), histogramFactor);
    return mappedThrough(source, equalisationTables(heights));
}

} // namespace tavlo
