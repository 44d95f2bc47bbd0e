#include "histogram.h"

#include "document/invalid_bitmap_size_error.h"
#include "document/worker_pool.h"
#include "neighbourhood.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <mutex>

namespace tavlo {

ChannelCounts countChannels(const Bitmap& image) {
    ChannelCounts counts{};
    std::mutex countsMutex;
    const int width = image.width();
    // Each band counts on its own and adds its counts in at the end; sums of integers do not
    // depend on the order in which the bands finish.
    forEachBand(image.height(), kRowsPerBand, [&](int first, int last) {
        // Two sets of counters, for even and odd pixels, so that runs of equal values do not wait
        // on their own previous increment.
        std::array<std::array<std::uint32_t, 256>, 6> bins{};
        for (int y = first; y < last; ++y) {
            const std::uint8_t* p = image.row(y);
            int x = 0;
            for (; x + 1 < width; x += 2, p += 6) {
                ++bins[0][p[0]], ++bins[1][p[1]], ++bins[2][p[2]];
                ++bins[3][p[3]], ++bins[4][p[4]], ++bins[5][p[5]];
            }
            if (x < width) ++bins[0][p[0]], ++bins[1][p[1]], ++bins[2][p[2]];
        }
        const std::lock_guard lock(countsMutex);
        for (std::size_t i = 0; i < 256; ++i) {
            counts.blue[i] += std::int64_t{bins[0][i]} + bins[3][i];
            counts.green[i] += std::int64_t{bins[1][i]} + bins[4][i];
            counts.red[i] += std::int64_t{bins[2][i]} + bins[5][i];
        }
    });
    return counts;
}

float histogramFactorAfterClicks(int tallerClicks) {
    return std::ldexp(kInitialHistogramFactor,
                      -std::clamp(tallerClicks, -kMostShorterClicks, kMostTallerClicks));
}

Histogram scaleCounts(const ChannelCounts& counts, float factor) {
    std::int64_t largest = 0;
    for (const HistogramBins* bins : {&counts.red, &counts.green, &counts.blue})
        for (const std::int64_t c : *bins)
            largest = std::max(largest, c);
    // The product of a count below 2^29 and a float is exact in long double.
    const long double scaled = std::nearbyint(static_cast<long double>(largest) * factor);
    std::int64_t divisor = std::numeric_limits<std::int64_t>::max();
    if (!(scaled >= 1))
        divisor = 1;
    else if (scaled < 0x1p62L)
        divisor = static_cast<std::int64_t>(scaled);

    auto scale = [divisor](const HistogramBins& bins) {
        HistogramBins heights{};
        for (std::size_t i = 0; i < 256; ++i)
            heights[i] = bins[i] * 64 / divisor;
        return heights;
    };
    Histogram histogram{scale(counts.red), scale(counts.green), scale(counts.blue), {}};
    for (std::size_t i = 0; i < 256; ++i)
        histogram.combined[i] = (histogram.red[i] + histogram.green[i] + histogram.blue[i]) / 3;
    return histogram;
}

Histogram computeHistogram(const Bitmap& image, float factor) {
    requireNonEmpty(image);
    return scaleCounts(countChannels(as24Bit(image)), factor);
}

std::string histogramText(const Histogram& histogram) {
    std::string text;
    const std::pair<const char*, const HistogramBins*> lines[] = {{"RGB:", &histogram.combined},
                                                                  {"R:", &histogram.red},
                                                                  {"G:", &histogram.green},
                                                                  {"B:", &histogram.blue}};
    for (const auto& [label, bins] : lines) {
        text += label;
        for (const std::int64_t height : *bins)
            text += ' ' + std::to_string(height);
        text += '\n';
    }
    return text;
}

} // namespace tavlo
