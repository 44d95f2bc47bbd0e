#include "filters/convolution.h"

#include "../core/test_support.h"
#include "document/invalid_bitmap_size_error.h"
#include "filter_test_support.h"

#include <gtest/gtest.h>

#include <limits>

namespace tavlo {
namespace {

using test::setPixel;
using test::uniformImage;

constexpr PixelFormat kAllFormats[] = {
    PixelFormat::Bit1,  PixelFormat::Bit4,   PixelFormat::Bit8,
    PixelFormat::Bit15, PixelFormat::Bit16,  PixelFormat::Bit24,
    PixelFormat::Bit32, PixelFormat::Device, PixelFormat::Custom};

Bitmap referenceConvolution(const Bitmap& image, const FilterKernel& k) {
    const std::int64_t sum = kernelSum(k);
    return test::windowReference(image, [&](const int(&p)[9]) {
        std::int64_t acc = 0;
        for (int i = 0; i < 9; ++i)
            acc += std::int64_t{k[static_cast<std::size_t>(i)]} * p[i];
        const std::int64_t v = sum != 0 ? acc / sum : acc + 128;
        return static_cast<std::uint8_t>(std::clamp<std::int64_t>(v, 0, 255));
    });
}

// Uniform images of every format: the smoothing and sharpening presets keep the colour, the two
// embossings give mid grey.
TEST(Convolution, PresetsOnUniformImagesOfEveryFormat) {
    for (const PixelFormat format : kAllFormats)
        for (int preset = 1; preset <= 8; ++preset) {
            SCOPED_TRACE(testing::Message()
                         << "format " << static_cast<int>(format) << " preset " << preset);
            Bitmap image(5, 4, format, test::patternBitmap(1, 1, format).palette());
            const Rgb colour = image.pixel(0, 0);
            const Bitmap result = convolved(image, FilterPreset{preset}.kernel());
            ASSERT_EQ(result.format(), PixelFormat::Bit24);
            const Rgb expected = preset <= 6 ? colour : Rgb{128, 128, 128};
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 5; ++x)
                    ASSERT_EQ(result.pixel(x, y), expected);
        }
}

// One white pixel on black, at the centre of a 5×5 image: the centre, the neighbours that see it
// at their lower right and upper left, and a corner out of its reach.
TEST(Convolution, SingleWhitePixel) {
    struct Row {
        int preset;
        std::uint8_t centre, upperLeft, lowerRight, corner;
    } rows[] = {{1, 51, 25, 25, 0}, {2, 85, 21, 21, 0},    {3, 127, 15, 15, 0},  {4, 255, 0, 0, 0},
                {5, 255, 0, 0, 0},  {7, 128, 0, 255, 128}, {8, 0, 255, 255, 128}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.preset);
        Bitmap image = uniformImage(5, 5, {0, 0, 0});
        setPixel(image, 2, 2, {255, 255, 255});
        const Bitmap result = convolved(image, FilterPreset{row.preset}.kernel());
        EXPECT_EQ(result.pixel(2, 2).g, row.centre);
        EXPECT_EQ(result.pixel(1, 1).g, row.upperLeft);
        EXPECT_EQ(result.pixel(3, 3).g, row.lowerRight);
        EXPECT_EQ(result.pixel(0, 0).g, row.corner);
    }
}

TEST(Convolution, OnePixelImages) {
    for (int preset = 1; preset <= 8; ++preset) {
        const Bitmap result =
            convolved(uniformImage(1, 1, {10, 200, 77}), FilterPreset{preset}.kernel());
        EXPECT_EQ(result.pixel(0, 0), (preset <= 6 ? Rgb{10, 200, 77} : Rgb{128, 128, 128}));
    }
}

// Every preset and kernels of every size on random images, against a plain reading of the rule:
// the corners, one-pixel-wide and one-pixel-high images replicate their edges; narrow, wide and
// huge coefficients each take their own sums.
TEST(Convolution, MatchesTheWindowRuleForAnyKernel) {
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    std::vector<FilterKernel> kernels(kFilterPresets.begin(), kFilterPresets.end());
    kernels.push_back({0, 0, 0, 0, 1, 0, 0, 0, 0});
    kernels.push_back({0, 0, 0, 0, 0, 0, 0, 0, 0});
    kernels.push_back({-3, 7, 2, 0, -9, 4, 1, 1, -2});
    // Either side of the narrowest sums: 255 · 128 fits 16 bits, 255 · 129 does not.
    kernels.push_back({64, 0, 0, 0, 64, 0, 0, 0, -128});
    kernels.push_back({64, 0, 0, 0, 65, 0, 0, 0, 3});
    kernels.push_back({0, 0, -129, 0, 1, 0, 0, 0, 0});
    kernels.push_back({1000, -2000, 3000, 0, 5, 0, -7, 9, 11});
    // Either side of the sums that 16 bits hold: 255 · 128 < 2^15 ≤ 255 · 129.
    kernels.push_back({-127, 0, 0, 0, 1, 0, 0, 0, 0});
    kernels.push_back({64, 0, 0, 0, 0, 0, 0, 0, 64});
    kernels.push_back({64, 0, 0, 0, 1, 0, 0, 0, 64});
    // Either side of the widest sums that single precision holds exactly: 255 · 4112 < 2^20.
    kernels.push_back({2000, -2000, 0, 0, 111, 0, 0, 0, 1});
    kernels.push_back({0, 0, 0, 0, 4112, 0, 0, 0, 0});
    kernels.push_back({-4112, 0, 0, 0, 0, 0, 0, 0, 0});
    kernels.push_back({0, 0, 0, 0, 4113, 0, 0, 0, -1});
    kernels.push_back({kMax, kMax, kMax, kMax, kMax, kMax, kMax, kMax, kMax});
    kernels.push_back({kMin, 0, 0, 0, -1, 0, 0, 0, 0});
    kernels.push_back({kMin, kMax, kMin, kMax, 1, kMin, kMax, kMin, kMax});
    const std::pair<int, int> sizes[] = {{1, 1}, {1, 7}, {9, 1},  {2, 2},
                                         {2, 5}, {7, 2}, {13, 6}, {70, 3}};
    test::onEveryInstructionSet([&](const char* instructions) {
        std::uint32_t seed = 1;
        for (const FilterKernel& kernel : kernels)
            for (const auto& [width, height] : sizes) {
                const Bitmap image = test::randomImage(width, height, seed++);
                SCOPED_TRACE(testing::Message() << instructions << ", " << width << "x" << height
                                                << " k0 " << kernel[0]);
                EXPECT_TRUE(test::samePixels(convolved(image, kernel),
                                             referenceConvolution(image, kernel)));
            }
    });
}

// Every divisor the 16-bit sums can have, each through its own multiplier and shift, with sums of
// both signs up to the largest: k0 + k4 is the divisor and |k0| + |k4| ≤ 128.
TEST(Convolution, EveryNarrowDivisor) {
    test::onEveryInstructionSet([&](const char* instructions) {
        for (std::int32_t divisor = -128; divisor <= 128; ++divisor) {
            const std::int32_t centre = divisor < 0 ? -64 : 64;
            const FilterKernel kernel{divisor - centre, 0, 0, 0, centre, 0, 0, 0, 0};
            const Bitmap image =
                test::randomImage(90, 3, static_cast<std::uint32_t>(divisor + 200));
            SCOPED_TRACE(testing::Message() << instructions << ", divisor " << divisor);
            EXPECT_TRUE(
                test::samePixels(convolved(image, kernel), referenceConvolution(image, kernel)));
        }
    });
}

TEST(Convolution, ClampsSharpenedEdges) {
    Bitmap image = uniformImage(4, 1, {255, 255, 255});
    setPixel(image, 0, 0, {0, 0, 0});
    setPixel(image, 1, 0, {0, 0, 0});
    const Bitmap result = convolved(image, kFilterPresets[5]);
    EXPECT_EQ(result.pixel(1, 0).r, 0); // black beside white: 0·5 − 255 → clamped
    EXPECT_EQ(result.pixel(2, 0).r, 255); // white beside black: 5·255 − 3·255 − 0 = 510 → clamped
}

TEST(Convolution, LeavesThePaletteSourceAndRefusesEmptyImages) {
    const Bitmap palette = test::patternBitmap(6, 3, PixelFormat::Bit8);
    const Bitmap copy = palette;
    const Bitmap result = convolved(palette, kFilterPresets[0]);
    EXPECT_EQ(result.format(), PixelFormat::Bit24);
    EXPECT_TRUE(test::samePixels(palette, copy));
    EXPECT_THROW(convolved(Bitmap(0, 3, PixelFormat::Bit24), kResetKernel), InvalidBitmapSizeError);
    EXPECT_THROW(convolved(Bitmap(3, 0, PixelFormat::Bit8), kResetKernel), InvalidBitmapSizeError);
}

} // namespace
} // namespace tavlo
