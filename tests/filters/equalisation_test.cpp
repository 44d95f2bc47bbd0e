#include "filters/equalisation.h"

#include "../core/test_support.h"
#include "document/invalid_bitmap_size_error.h"
#include "filter_test_support.h"

#include <gtest/gtest.h>

namespace tavlo {
namespace {

using test::setPixel;
using test::uniformImage;

// Left half one grey, right half another.
Bitmap twoTones(std::uint8_t left, std::uint8_t right) {
    Bitmap image = uniformImage(4, 2, {left, left, left});
    for (int y = 0; y < 2; ++y)
        for (int x = 2; x < 4; ++x)
            setPixel(image, x, y, {right, right, right});
    return image;
}

TEST(Equalisation, MapsTonesThroughTheirDistribution) {
    struct Row {
        std::uint8_t left, right, leftOut, rightOut;
    } rows[] = {
        {0, 255, 128, 255},  // black level 0: the lower half ends at t = 127.5
        {50, 200, 97, 255},  // black level 49: t ≈ 97.17
        {100, 100, 255, 255} // one level holds everything
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << int(row.left) << "/" << int(row.right));
        const Bitmap result = equalised(twoTones(row.left, row.right), 1.0f);
        EXPECT_EQ(result.pixel(0, 0), (Rgb{row.leftOut, row.leftOut, row.leftOut}));
        EXPECT_EQ(result.pixel(3, 1), (Rgb{row.rightOut, row.rightOut, row.rightOut}));
    }
}

// 65 pixels of 10 and one of 30: the lone pixel's bin is below 1/64 of the tallest at factor 1
// and counts as empty, so 10 already holds the whole distribution. At factor 0.5 it counts.
TEST(Equalisation, SmallBinsDependOnTheFactor) {
    Bitmap image = uniformImage(6, 11, {10, 10, 10});
    setPixel(image, 5, 10, {30, 30, 30});
    const Bitmap whole = equalised(image, 1.0f);
    EXPECT_EQ(whole.pixel(0, 0).g, 255);
    EXPECT_EQ(whole.pixel(5, 10).g, 255);
    const Bitmap halved = equalised(image, 0.5f);
    EXPECT_EQ(halved.pixel(0, 0).g, 251); // heights 130 and 2: (130/132 − 9/255) × 255/(1 − 9/255)
    EXPECT_EQ(halved.pixel(5, 10).g, 255);
}

// The tables: black level shared by the channels, a channel without weight kept as it is.
TEST(Equalisation, Tables) {
    Histogram h;
    h.red[0] = 64;
    h.red[255] = 64;
    h.green[50] = 64;
    h.green[200] = 64;
    const ChannelTables tables = equalisationTables(h); // blue has no weight at all
    for (int v = 0; v < 256; ++v)
        EXPECT_EQ(tables.blue[static_cast<std::size_t>(v)], v);
    // Green is empty up to 49, and that black level stretches red's distribution too.
    EXPECT_EQ(tables.red[0], 97);
    EXPECT_EQ(tables.red[255], 255);
    EXPECT_EQ(tables.green[49], 0);
    EXPECT_EQ(tables.green[50], 97);
    EXPECT_EQ(tables.green[199], 97);
    EXPECT_EQ(tables.green[255], 255);
}

TEST(Equalisation, ConvertsPalettesAndRefusesEmptyImages) {
    const Bitmap image = test::patternBitmap(6, 6, PixelFormat::Bit8);
    const Bitmap copy = image;
    EXPECT_EQ(equalised(image, 1.0f).format(), PixelFormat::Bit24);
    EXPECT_TRUE(test::samePixels(image, copy));
    EXPECT_THROW(equalised(Bitmap(0, 1, PixelFormat::Bit24), 1.0f), InvalidBitmapSizeError);
}

} // namespace
} // namespace tavlo
