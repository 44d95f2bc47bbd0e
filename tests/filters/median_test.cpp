#include "filters/median.h"

#include "../core/test_support.h"
#include "document/invalid_bitmap_size_error.h"
#include "filter_test_support.h"

#include <gtest/gtest.h>

#include <bit>

namespace tavlo {
namespace {

using test::setPixel;
using test::uniformImage;

constexpr Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255};

Bitmap referenceMedian(const Bitmap& image) {
    return test::windowReference(image, [](const int(&p)[9]) {
        int sorted[9];
        std::copy(p, p + 9, sorted);
        std::nth_element(sorted, sorted + 4, sorted + 9);
        return static_cast<std::uint8_t>(sorted[4]);
    });
}

// Random images, also of few distinct values so that ties abound, at sizes that are all edge and
// at widths either side of a vector's bytes on every instruction set.
TEST(Median, IsTheFifthSmallestOfTheReplicatedWindow) {
    const std::pair<int, int> sizes[] = {{1, 1}, {1, 6}, {7, 1},  {2, 2},  {3, 8}, {33, 17},
                                         {7, 3}, {8, 3}, {23, 3}, {24, 3}, {70, 4}};
    test::onEveryInstructionSet([&](const char* instructions) {
        std::uint32_t seed = 7;
        for (const auto& [width, height] : sizes)
            for (const int levels : {256, 3}) {
                Bitmap image = test::randomImage(width, height, seed++);
                for (int y = 0; y < height; ++y)
                    for (int x = 0; x < 3 * width; ++x)
                        image.row(y)[x] = static_cast<std::uint8_t>(image.row(y)[x] % levels);
                SCOPED_TRACE(testing::Message() << instructions << ", " << width << "x" << height
                                                << " levels " << levels);
                EXPECT_TRUE(test::samePixels(medianFiltered(image), referenceMedian(image)));
            }
    });
}

// The median is made of min and max alone, so it is right for every window once it is right for
// every window of two values: all 512 of them, three to a pixel (one per channel), each in the
// three columns that only the middle row's pixel 3k + 1 sees whole.
TEST(Median, EveryWindowOfTwoValues) {
    constexpr int kWindows = 512;
    Bitmap image(3 * (kWindows / 3 + 1), 3, PixelFormat::Bit24);
    for (int window = 0; window < kWindows; ++window)
        for (int i = 0; i < 9; ++i)
            image.row(i / 3)[3 * (3 * (window / 3) + i % 3) + window % 3] =
                (window >> i & 1) != 0 ? 255 : 0;
    test::onEveryInstructionSet([&](const char* instructions) {
        const Bitmap result = medianFiltered(image);
        for (int window = 0; window < kWindows; ++window) {
            const int ones = std::popcount(static_cast<unsigned>(window));
            ASSERT_EQ(result.row(1)[3 * (3 * (window / 3) + 1) + window % 3], ones >= 5 ? 255 : 0)
                << instructions << ", window " << window;
        }
        EXPECT_TRUE(test::samePixels(result, referenceMedian(image)));
    });
}

// Specks and thin lines go; two-pixel lines and squares stay where they were.
TEST(Median, RemovesSpecksAndKeepsShapes) {
    struct Row {
        const char* name;
        int left, top, right, bottom; // white rectangle, inclusive
        bool survives;
    } rows[] = {{"speck", 4, 4, 4, 4, false},
                {"horizontal line", 0, 4, 9, 4, false},
                {"vertical line", 4, 0, 4, 9, false},
                {"two-pixel line", 0, 4, 9, 5, true},
                {"square", 3, 3, 6, 6, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Bitmap image = uniformImage(10, 10, kBlack);
        for (int y = row.top; y <= row.bottom; ++y)
            for (int x = row.left; x <= row.right; ++x)
                setPixel(image, x, y, kWhite);
        const Bitmap result = medianFiltered(image);
        EXPECT_EQ(result.pixel(row.left + 1, row.top) == kWhite,
                  row.survives && row.right > row.left);
        EXPECT_EQ(result.pixel((row.left + row.right) / 2, row.top) == kWhite, row.survives);
        if (row.top > 0) {
            EXPECT_EQ(result.pixel(row.left, row.top - 1), kBlack); // not shifted
        }
    }
}

TEST(Median, TakesEachChannelOnItsOwn) {
    // The pixel whose red is the median red has another green, so the output colour (50, 50, 0)
    // is found nowhere in the window.
    const std::uint8_t greens[9] = {50, 20, 30, 40, 10, 60, 70, 80, 90};
    Bitmap image = uniformImage(3, 3, kBlack);
    for (int i = 0; i < 9; ++i)
        setPixel(image, i % 3, i / 3, {static_cast<std::uint8_t>(10 * (i + 1)), greens[i], 0});
    EXPECT_EQ(medianFiltered(image).pixel(1, 1), (Rgb{50, 50, 0}));
}

TEST(Median, CornerCountsFourTimes) {
    // The corner is white, its three neighbours black: four whites of nine is not a majority…
    Bitmap image = uniformImage(4, 4, kBlack);
    setPixel(image, 0, 0, kWhite);
    EXPECT_EQ(medianFiltered(image).pixel(0, 0), kBlack);
    // …but one more white neighbour, counted twice by replication, makes six.
    setPixel(image, 1, 0, kWhite);
    EXPECT_EQ(medianFiltered(image).pixel(0, 0), kWhite);
}

TEST(Median, AcceptsPalettesAndRefusesEmptyImages) {
    const Bitmap palette = test::patternBitmap(5, 5, PixelFormat::Bit4);
    EXPECT_EQ(medianFiltered(palette).format(), PixelFormat::Bit24);
    EXPECT_THROW(medianFiltered(Bitmap(0, 0, PixelFormat::Bit24)), InvalidBitmapSizeError);
}

} // namespace
} // namespace tavlo
