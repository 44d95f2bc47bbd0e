#include "filters/histogram.h"

#include "../core/test_support.h"
#include "document/invalid_bitmap_size_error.h"
#include "document/worker_pool.h"
#include "filter_test_support.h"

#include <gtest/gtest.h>

#include <iterator>
#include <limits>
#include <map>
#include <sstream>

namespace tavlo {
namespace {

using test::uniformImage;

// Bins other than the listed ones must be 0.
void expectBars(const HistogramBins& bins, std::initializer_list<std::pair<int, int>> bars) {
    HistogramBins expected{};
    for (const auto& [value, height] : bars)
        expected[static_cast<std::size_t>(value)] = height;
    EXPECT_EQ(bins, expected);
}

TEST(Histogram, BarHeightsOfSimpleImages) {
    const Histogram grey = computeHistogram(uniformImage(7, 3, {90, 90, 90}), 1.0f);
    for (const HistogramBins* bins : {&grey.red, &grey.green, &grey.blue, &grey.combined})
        expectBars(*bins, {{90, 64}});

    const Histogram red = computeHistogram(uniformImage(4, 4, {255, 0, 0}), 1.0f);
    expectBars(red.red, {{255, 64}});
    expectBars(red.green, {{0, 64}});
    expectBars(red.blue, {{0, 64}});
    expectBars(red.combined, {{0, 42}, {255, 21}});
}

TEST(Histogram, CountsEveryByteOfEveryWidthOnOneAndTwoThreads) {
    struct Restore {
        ~Restore() { setWorkerCount(0); }
    } restore;
    std::uint32_t seed = 1;
    for (const int threads : {1, 2})
        for (const int height : {1, 37})
            for (int width = 1; width <= 19; ++width) {
                SCOPED_TRACE(testing::Message() << width << "x" << height << ", " << threads);
                setWorkerCount(threads);
                const Bitmap image = test::randomImage(width, height, seed++);
                ChannelCounts expected{};
                for (int y = 0; y < height; ++y)
                    for (int x = 0; x < width; ++x) {
                        const std::uint8_t* p = image.row(y) + 3 * x;
                        ++expected.blue[p[0]], ++expected.green[p[1]], ++expected.red[p[2]];
                    }
                const ChannelCounts counted = countChannels(image);
                EXPECT_EQ(counted.blue, expected.blue);
                EXPECT_EQ(counted.green, expected.green);
                EXPECT_EQ(counted.red, expected.red);
            }
}

// The clicks' scale stops where the charts stop changing, for the tallest bin an image within
// the pixel limit can have and for the lowest; clicks beyond either end keep it there.
TEST(Histogram, ClickedFactorStaysWhereTheChartsStillChange) {
    ChannelCounts most, least;
    most.red[0] = static_cast<std::int64_t>(kMaxPixels);
    most.red[1] = 1;
    least.red[0] = 1;
    const float smallest = histogramFactorAfterClicks(kMostTallerClicks),
                largest = histogramFactorAfterClicks(-kMostShorterClicks);
    EXPECT_EQ(scaleCounts(most, smallest).red, scaleCounts(most, smallest / 2).red);
    EXPECT_NE(scaleCounts(most, smallest).red, scaleCounts(most, smallest * 2).red);
    EXPECT_EQ(scaleCounts(least, largest).red, HistogramBins{});
    EXPECT_NE(scaleCounts(least, largest / 2).red, HistogramBins{});

    EXPECT_EQ(smallest, 0x1p-28f);
    EXPECT_EQ(largest, 0x1p7f);
    EXPECT_EQ(histogramFactorAfterClicks(kMostTallerClicks + 200), smallest);
    EXPECT_EQ(histogramFactorAfterClicks(-kMostShorterClicks - 200), largest);
    EXPECT_EQ(histogramFactorAfterClicks(0), 1.0f);
}

// Nine pixels at one value, three at another: the factor scales the common maximum, which is
// rounded half to even (9 × 0.5 gives 4), and the heights are truncated.
TEST(Histogram, FactorScalesTheBars) {
    struct Row {
        float factor;
        int tall, low;
    } rows[] = {{1.0f, 64, 21}, {0.5f, 144, 48}, {2.0f, 32, 10}, {0.25f, 288, 96}, {4.0f, 16, 5}};
    Bitmap image = uniformImage(4, 3, {10, 10, 10});
    for (int x = 0; x < 3; ++x)
        test::setPixel(image, x, 0, {20, 20, 20});
    for (const Row& row : rows) {
        SCOPED_TRACE(row.factor);
        const Histogram h = computeHistogram(image, row.factor);
        expectBars(h.green, {{10, row.tall}, {20, row.low}});
    }
}

TEST(Histogram, EveryFormatIsCountedAsItIsSeen) {
    for (const PixelFormat format : {PixelFormat::Bit1, PixelFormat::Bit8, PixelFormat::Bit16,
                                     PixelFormat::Bit32, PixelFormat::Device}) {
        const Bitmap image = test::patternBitmap(9, 5, format);
        ChannelCounts expected;
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 9; ++x) {
                const Rgb p = image.pixel(x, y);
                ++expected.red[p.r], ++expected.green[p.g], ++expected.blue[p.b];
            }
        const Histogram h = computeHistogram(image, 1.0f);
        EXPECT_EQ(h.red, scaleCounts(expected, 1.0f).red) << static_cast<int>(format);
        EXPECT_EQ(h.blue, scaleCounts(expected, 1.0f).blue) << static_cast<int>(format);
    }
}

// Bins beyond 2^25 pixels, factors whose scaled maximum rounds to 0, and an infinite factor.
TEST(Histogram, ScalingStaysDefinedAtTheExtremes) {
    ChannelCounts counts;
    counts.red[0] = std::int64_t{1} << 28;
    counts.red[1] = (std::int64_t{1} << 27) + 1;
    counts.green[7] = 3;
    const Histogram big = scaleCounts(counts, 1.0f);
    EXPECT_EQ(big.red[0], 64);
    EXPECT_EQ(big.red[1], 32);

    ChannelCounts small;
    small.blue[5] = 1;
    small.blue[6] = 2;
    const Histogram tiny = scaleCounts(small, 0.2f); // 2 × 0.2 rounds to 0
    EXPECT_EQ(tiny.blue[5], 64);
    EXPECT_EQ(tiny.blue[6], 128);
    const Histogram halfway = scaleCounts(small, 1.25f); // 2.5 rounds to even 2
    EXPECT_EQ(halfway.blue[6], 64);

    const Histogram flat = scaleCounts(counts, std::numeric_limits<float>::infinity());
    EXPECT_EQ(flat.red, HistogramBins{});
}

TEST(Histogram, TextHasFourLabelledLinesOf256Heights) {
    const std::string text = histogramText(computeHistogram(uniformImage(2, 2, {255, 0, 3}), 1.0f));
    std::istringstream lines(text);
    std::string line;
    std::vector<std::string> labels;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string label;
        words >> label;
        labels.push_back(label);
        std::vector<long> heights{std::istream_iterator<long>(words), {}};
        ASSERT_EQ(heights.size(), 256u) << label;
        const std::map<std::string, std::pair<std::size_t, long>> probes = {
            {"RGB:", {0, 21}}, {"R:", {255, 64}}, {"G:", {0, 64}}, {"B:", {3, 64}}};
        EXPECT_EQ(heights[probes.at(label).first], probes.at(label).second) << label;
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"RGB:", "R:", "G:", "B:"}));
}

TEST(Histogram, RefusesEmptyImages) {
    EXPECT_THROW(computeHistogram(Bitmap(5, 0, PixelFormat::Bit24), 1.0f), InvalidBitmapSizeError);
}

} // namespace
} // namespace tavlo
