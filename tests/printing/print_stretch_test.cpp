#include "printing/print_stretch.h"

#include "core/test_support.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace tavlo;

TEST(PrintStretch, EveryRegionIsTheMatchingPartOfTheWholeStretch) {
    const Bitmap source = test::patternBitmap(5, 3, PixelFormat::Bit24);
    struct Row {
        int width, height, left, top, regionWidth, regionHeight;
    } rows[] = {
        {13, 7, 0, 0, 13, 7}, {13, 7, 4, 2, 6, 3}, {13, 7, 12, 6, 1, 1},
        {3, 2, 0, 0, 3, 2},   {5, 3, 1, 1, 4, 2},  {40, 1, 10, 0, 30, 1},
    };
    for (const Row& row : rows) {
        const Bitmap region = stretchedRegion(source, row.width, row.height, row.left, row.top,
                                              row.regionWidth, row.regionHeight);
        ASSERT_EQ(region.width(), row.regionWidth);
        ASSERT_EQ(region.height(), row.regionHeight);
        for (int y = 0; y < row.regionHeight; ++y)
            for (int x = 0; x < row.regionWidth; ++x)
                ASSERT_EQ(region.pixel(x, y), source.pixel((row.left + x) * 5 / row.width,
                                                           (row.top + y) * 3 / row.height))
                    << row.width << "×" << row.height << " at " << x << "," << y;
    }
}

TEST(PrintStretch, RefusesOtherFormatsAndRegionsOutsideTheStretch) {
    EXPECT_THROW(stretchedRegion(test::patternBitmap(4, 4, PixelFormat::Bit8), 8, 8, 0, 0, 8, 8),
                 std::invalid_argument);
    const Bitmap source = test::patternBitmap(4, 4, PixelFormat::Bit24);
    EXPECT_THROW(stretchedRegion(source, 8, 8, 1, 0, 8, 8), std::invalid_argument);
    EXPECT_THROW(stretchedRegion(source, 8, 8, 0, -1, 8, 8), std::invalid_argument);
    EXPECT_THROW(stretchedRegion(source, 8, 8, 0, 7, 8, 2), std::invalid_argument);
}
