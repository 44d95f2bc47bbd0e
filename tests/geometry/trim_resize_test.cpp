// Trimming, the wallpaper frame's placement, and resizing: sizes and positions as rows.
#include "../core/test_support.h"
#include "geometry/resize.h"
#include "geometry/trim.h"

#include <gtest/gtest.h>

#include <string>

namespace tavlo {
namespace {

using test::patternBitmap;
using test::samePixels;

TEST(Trim, CopiesTheInclusiveRectangleInEveryFormat) {
    for (const PixelFormat format : {PixelFormat::Bit8, PixelFormat::Bit24, PixelFormat::Bit32}) {
        const Bitmap source = patternBitmap(31, 17, format, format == PixelFormat::Bit8 ? 60 : 0);
        const TrimRect rects[] = {{10, 5, 19, 9}, {0, 0, 30, 16}, {30, 16, 30, 16}, {0, 3, 0, 3}};
        for (const TrimRect& r : rects) {
            const KernelResult trimmed = trimBitmap(source, r);
            ASSERT_TRUE(trimmed.has_value());
            ASSERT_EQ(trimmed->width(), r.right - r.left + 1);
            ASSERT_EQ(trimmed->height(), r.bottom - r.top + 1);
            EXPECT_EQ(trimmed->palette(), source.palette());
            const int bytes = bitsPerPixel(format) / 8;
            for (int j = 0; j < trimmed->height(); ++j)
                ASSERT_TRUE(std::equal(trimmed->row(j), trimmed->row(j) + trimmed->width() * bytes,
                                       source.row(r.top + j) + r.left * bytes));
        }
        EXPECT_TRUE(samePixels(*trimBitmap(source, {0, 0, 30, 16}), source));
    }
}

TEST(Trim, RectanglesThatNoLongerFitAreRefused) {
    const Bitmap image = patternBitmap(20, 10, PixelFormat::Bit24);
    const TrimRect outside[] = {{0, 0, 20, 9}, {0, 0, 19, 10}, {-1, 0, 5, 5},
                                {0, -1, 5, 5}, {6, 0, 5, 5},   {0, 6, 5, 5}};
    for (const TrimRect& r : outside) {
        EXPECT_FALSE(trimRectFits(image, r));
        EXPECT_THROW(trimBitmap(image, r), std::out_of_range);
    }
    EXPECT_TRUE(trimRectFits(image, {0, 0, 19, 9}));
    EXPECT_FALSE(trimBitmap(patternBitmap(20, 10, PixelFormat::Bit16), {0, 0, 1, 1}).has_value());
    EXPECT_THROW(trimBitmap(Bitmap(0, 0, PixelFormat::Bit24), {0, 0, 0, 0}), InvalidBitmapSizeError);
}

TEST(Wallpaper, FramePlacement) {
    struct Row {
        int width, height;
        WallpaperSize size;
        std::optional<TrimRect> centred;
    };
    const Row rows[] = {
        {2000, 1500, {1280, 1024}, TrimRect{360, 238, 1639, 1261}},
        {1280, 1024, {1280, 1024}, TrimRect{0, 0, 1279, 1023}},
        {1281, 1025, {1280, 1024}, TrimRect{1, 1, 1280, 1024}},
        {1279, 2000, {1280, 1024}, std::nullopt},
        {2000, 479, {640, 480}, std::nullopt},
        {641, 481, {640, 480}, TrimRect{1, 1, 640, 480}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(centredWallpaperRect(row.width, row.height, row.size), row.centred)
            << row.width << "x" << row.height;
    EXPECT_EQ(placedWallpaperRect(800, 600, {640, 480}, 160, 120), (TrimRect{160, 120, 799, 599}));
    EXPECT_FALSE(placedWallpaperRect(800, 600, {640, 480}, 161, 0));
    EXPECT_FALSE(placedWallpaperRect(800, 600, {640, 480}, 0, -1));
}

TEST(Resize, SizesAndRefusals) {
    struct Row {
        ImageSize current;
        int divisor;
        ImageSize target, expected;
        bool refused;
    };
    const Row rows[] = {
        {{101, 75}, 2, {}, {50, 37}, false}, {{640, 480}, 8, {}, {80, 60}, false},
        {{7, 5}, 1, {}, {7, 5}, false},      {{7, 9}, 8, {}, {0, 1}, true},
        {{9, 7}, 8, {}, {1, 0}, true},       {{9, 7}, 0, {3, 4}, {3, 4}, false},
        {{9, 7}, 0, {0, 4}, {0, 4}, true},   {{9, 7}, 0, {65535, 65535}, {65535, 65535}, true},
    };
    for (const Row& row : rows) {
        const ImageSize size = resizedSize(row.current, row.divisor, row.target);
        EXPECT_EQ(size, row.expected);
        EXPECT_EQ(resizeRefusal(size).empty(), !row.refused) << size.width << "x" << size.height;
    }
}

// Every format is stretched colour on colour and keeps its format; a resize to the same size
// keeps every pixel.
TEST(Resize, KeepsFormatAndPicksPixels) {
    for (const PixelFormat format :
         {PixelFormat::Bit1, PixelFormat::Bit4, PixelFormat::Bit8, PixelFormat::Bit16,
          PixelFormat::Bit24, PixelFormat::Bit32, PixelFormat::Device}) {
        const Bitmap source = patternBitmap(10, 6, format);
        const Bitmap half = resizeBitmap(source, {5, 3});
        EXPECT_EQ(half.format(), format);
        EXPECT_EQ(half.palette(), source.palette());
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(half.pixel(x, y), source.pixel(2 * x, 2 * y));
        EXPECT_TRUE(samePixels(resizeBitmap(source, {10, 6}), source));
    }
}

} // namespace
} // namespace tavlo
