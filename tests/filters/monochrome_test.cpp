#include "filters/monochrome.h"

#include "../core/test_support.h"
#include "document/invalid_bitmap_size_error.h"
#include "filter_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace tavlo {
namespace {

TEST(Monochrome, LuminanceOfPrimaries) {
    struct Row {
        Rgb colour;
        std::uint8_t grey;
    } rows[] = {{{255, 0, 0}, 76},      {{0, 255, 0}, 150}, {{0, 0, 255}, 29},
                {{255, 255, 255}, 255}, {{0, 0, 0}, 0},     {{10, 20, 30}, 18}};
    for (const Row& row : rows) {
        const Bitmap result = greyed(test::uniformImage(2, 2, row.colour));
        EXPECT_EQ(result.pixel(1, 1), (Rgb{row.grey, row.grey, row.grey}))
            << int(row.colour.r) << "," << int(row.colour.g) << "," << int(row.colour.b);
    }
}

// Every colour against the rule as written: extended-precision products and sum stored as a
// float, then + 0.5 truncated. Covers the exact halves, where the float rounding decides. The
// pass over an image of every colour must agree on every instruction set.
TEST(Monochrome, EveryColourFollowsTheExtendedPrecisionRule) {
    Bitmap everyColour = Bitmap::uninitialised(4096, 4096, PixelFormat::Bit24);
    std::vector<std::uint8_t> expected(std::size_t{1} << 24);
    int mismatches = 0;
    for (int r = 0; r < 256; ++r)
        for (int g = 0; g < 256; ++g)
            for (int b = 0; b < 256; ++b) {
                const float y = static_cast<float>(0.299L * r + 0.587L * g + 0.114L * b);
                const int colour = (r << 16) | (g << 8) | b;
                expected[static_cast<std::size_t>(colour)] = static_cast<std::uint8_t>(
                    std::min(static_cast<int>(std::trunc(y + 0.5L)), 255));
                std::uint8_t* pixel = everyColour.row(colour / 4096) + 3 * (colour % 4096);
                pixel[0] = static_cast<std::uint8_t>(b);
                pixel[1] = static_cast<std::uint8_t>(g);
                pixel[2] = static_cast<std::uint8_t>(r);
                const auto got =
                    greyLevel(static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                              static_cast<std::uint8_t>(b));
                if (got != expected[static_cast<std::size_t>(colour)] && ++mismatches < 5)
                    ADD_FAILURE() << r << "," << g << "," << b << ": " << int(got);
            }
    EXPECT_EQ(mismatches, 0);
    test::onEveryInstructionSet([&](const char* instructions) {
        const Bitmap grey = greyed(everyColour);
        for (int colour = 0; colour < (1 << 24); ++colour) {
            const std::uint8_t* pixel = grey.row(colour / 4096) + 3 * (colour % 4096);
            const std::uint8_t want = expected[static_cast<std::size_t>(colour)];
            if ((pixel[0] != want || pixel[1] != want || pixel[2] != want) && ++mismatches < 5)
                ADD_FAILURE() << instructions << ", colour " << colour << ": " << int(pixel[0]);
        }
    });
    EXPECT_EQ(mismatches, 0);
}

// Rows narrower than a vector, a vector and a bit, and two: the last pixels of each row are done
// by a vector that overlaps the ones before it, or through a copy.
TEST(Monochrome, EveryWidthUpToTwoWideVectors) {
    test::onEveryInstructionSet([&](const char* instructions) {
        for (int width = 1; width <= 130; ++width) {
            const Bitmap image = test::randomImage(width, 2, static_cast<std::uint32_t>(width));
            const Bitmap grey = greyed(image);
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < width; ++x) {
                    const Rgb colour = image.pixel(x, y);
                    const std::uint8_t want = greyLevel(colour.r, colour.g, colour.b);
                    ASSERT_EQ(grey.pixel(x, y), (Rgb{want, want, want}))
                        << instructions << ", width " << width << " at " << x << "," << y;
                }
        }
    });
}

TEST(Monochrome, GreysStayAndTwiceIsOnce) {
    for (int v = 0; v < 256; ++v) {
        const auto g = static_cast<std::uint8_t>(v);
        EXPECT_EQ(greyLevel(g, g, g), g);
    }
    const Bitmap image = test::patternBitmap(17, 9, PixelFormat::Bit8);
    const Bitmap once = greyed(image);
    EXPECT_EQ(once.format(), PixelFormat::Bit24);
    EXPECT_TRUE(test::samePixels(greyed(once), once));
    EXPECT_THROW(greyed(Bitmap(0, 4, PixelFormat::Bit24)), InvalidBitmapSizeError);
}

} // namespace
} // namespace tavlo
