#include "document/pixel_convert.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace tavlo {
namespace {

constexpr PixelFormat kAllFormats[] = {PixelFormat::Bit1,  PixelFormat::Bit4,  PixelFormat::Bit8,
                                       PixelFormat::Bit15, PixelFormat::Bit16, PixelFormat::Bit24,
                                       PixelFormat::Bit32, PixelFormat::Device,
                                       PixelFormat::Custom};

class ConvertEveryFormat : public testing::TestWithParam<PixelFormat> {};

TEST_P(ConvertEveryFormat, DirectColourConversionsKeepEveryVisibleColour) {
    const Bitmap source = test::patternBitmap(11, 6, GetParam(), 5);
    for (const PixelFormat target : {PixelFormat::Bit24, PixelFormat::Bit32}) {
        const Bitmap converted = convertedTo(source, target);
        ASSERT_EQ(converted.format(), target);
        for (int y = 0; y < source.height(); ++y)
            for (int x = 0; x < source.width(); ++x)
                ASSERT_EQ(converted.pixel(x, y), source.pixel(x, y)) << x << "," << y;
        if (target == PixelFormat::Bit32 && source.format() != PixelFormat::Bit32) {
            for (int x = 0; x < converted.width(); ++x)
                ASSERT_EQ(converted.row(0)[4 * x + 3], 0) << "fourth byte of pixel " << x;
        }
    }
}

TEST_P(ConvertEveryFormat, EightBitConversionMapsEachPixelToItsNearestHalftoneColour) {
    const Bitmap source = test::patternBitmap(11, 6, GetParam());
    const Bitmap converted = convertedTo(source, PixelFormat::Bit8);
    if (source.format() == PixelFormat::Bit8) {
        EXPECT_TRUE(test::samePixels(converted, source)); // keeps its own palette
        return;
    }
    EXPECT_EQ(converted.palette(), halftonePalette());
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            ASSERT_EQ(converted.row(y)[x], nearestPaletteIndex(halftonePalette(), source.pixel(x, y)));
}

TEST_P(ConvertEveryFormat, StretchTakesSourcePixelIndexTimesRatio) {
    const Bitmap source = test::patternBitmap(7, 5, GetParam());
    const Bitmap view = stretched(source, 3, 9);
    ASSERT_EQ(view.format(), source.format());
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 3; ++x)
            ASSERT_EQ(view.pixel(x, y), source.pixel(x * 7 / 3, y * 5 / 9)) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(PixelConvert, ConvertEveryFormat, testing::ValuesIn(kAllFormats));

TEST(Halftone, FastMappingIsTheExactNearestEntryFirstOfEquals) {
    const auto& palette = halftonePalette();
    ASSERT_EQ(palette.size(), 256u);
    for (int r = 0; r < 256; r += 3)
        for (int g = 0; g < 256; g += 5)
            for (int b = 0; b < 256; b += 7) {
                const Rgb colour{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                                 static_cast<std::uint8_t>(b)};
                ASSERT_EQ(halftoneIndex(colour), nearestPaletteIndex(palette, colour))
                    << r << "," << g << "," << b;
            }
}

TEST(Halftone, GreysAndPrimariesMapExactly) {
    for (const Rgb colour : {Rgb{0, 0, 0}, Rgb{255, 255, 255}, Rgb{255, 0, 0}, Rgb{0, 0, 255}}) {
        const PaletteEntry& e = halftonePalette()[halftoneIndex(colour)];
        EXPECT_EQ((Rgb{e.r, e.g, e.b}), colour);
    }
}

TEST(SetPixelFormat, SameFormatChangesNothing) {
    Bitmap bitmap = test::patternBitmap(5, 3, PixelFormat::Bit8, 7);
    const Bitmap before = bitmap;
    setPixelFormat(bitmap, PixelFormat::Bit8);
    EXPECT_TRUE(test::samePixels(bitmap, before));
    EXPECT_EQ(bitmap.palette().size(), 7u);
}

TEST(Stretch, ToZeroSizeGivesAnEmptyBitmap) {
    const Bitmap view = stretched(test::patternBitmap(2, 2, PixelFormat::Bit24), 0, 0);
    EXPECT_TRUE(view.empty());
}

} // namespace
} // namespace tavlo
