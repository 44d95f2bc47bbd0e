// Channel histograms scaled to bar heights: the histogram window's charts and the weights the
// equalisation builds on.
#pragma once

#include "document/bitmap.h"

#include <array>
#include <cstdint>
#include <new>
#include <string>

namespace tavlo {

using HistogramBins = std::array<std::int64_t, 256>;

struct ChannelCounts {
    HistogramBins red{}, green{}, blue{};
};

// Bar heights, indexed by channel value. With factor 1 the tallest bin of the three channels is
// 64; `combined` is the mean of the three scaled heights, truncated.
struct Histogram {
    HistogramBins red{}, green{}, blue{}, combined{};
};

// The vertical scale starts at 1; a smaller factor gives taller bars.
inline constexpr float kInitialHistogramFactor = 1.0f;

// The histogram window's vertical scale, which the equalisation reads too.
struct HistogramScale {
    float factor = kInitialHistogramFactor;
};

// Memory ran out while the working image was counted for the histogram window, which words this
// failure as its own.
class HistogramMemoryError : public std::bad_alloc {
  public:
    const char* what() const noexcept override { return "no memory to count the histogram"; }
};

// The scale after `tallerClicks` clicks for taller bars, less the clicks for shorter ones: the
// factor 2^-tallerClicks, held between 2^-28, at and below which every image's divisor is 1 (the
// largest count is at most 2^28), and 2^7, at and above which every bar is 0. The window counts
// its clicks rather than the factor, so that as many clicks the other way always bring the first
// charts back, however far the clicks went beyond either end.
inline constexpr int kMostTallerClicks = 28;
inline constexpr int kMostShorterClicks = 7;
float histogramFactorAfterClicks(int tallerClicks);

// Pixels per channel value of a 24-bit image.
ChannelCounts countChannels(const Bitmap& image24);

// Every count c becomes c × 64 div D, D the largest count of the three channels times the factor,
// rounded half to even. Counts are 64-bit so that no bin overflows; a D that rounds below 1 is
// taken as 1 (every count then shows at 64 times its size) and a D beyond 64-bit range gives
// bars of 0.
Histogram scaleCounts(const ChannelCounts& counts, float factor);

// Counts and scales the image, read as 24 bits per pixel. Throws InvalidBitmapSizeError for an
// image without width or height.
Histogram computeHistogram(const Bitmap& image, float factor);

// Four lines "RGB:", "R:", "G:", "B:", each followed by the 256 heights, blank-separated.
std::string histogramText(const Histogram& histogram);

} // namespace tavlo
