#include "document/bitmap.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

namespace tavlo {
namespace {

constexpr PixelFormat kAllFormats[] = {PixelFormat::Bit1,  PixelFormat::Bit4,  PixelFormat::Bit8,
                                       PixelFormat::Bit15, PixelFormat::Bit16, PixelFormat::Bit24,
                                       PixelFormat::Bit32, PixelFormat::Device,
                                       PixelFormat::Custom};

std::vector<PaletteEntry> greyPalette(int count) {
    std::vector<PaletteEntry> palette;
    for (int i = 0; i < count; ++i) {
        const auto v = static_cast<std::uint8_t>(i * 255 / (count - 1));
        palette.push_back({v, v, v, 0});
    }
    return palette;
}

class BitmapEveryFormat : public testing::TestWithParam<PixelFormat> {};

TEST_P(BitmapEveryFormat, FreshBitmapIsWhiteEverywhere) {
    const PixelFormat format = GetParam();
    const int colours = hasPalette(format) ? 1 << bitsPerPixel(format) : 0;
    const Bitmap bitmap(13, 5, format, hasPalette(format) ? greyPalette(colours) : std::vector<PaletteEntry>{});
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x)
            ASSERT_EQ(bitmap.pixel(x, y), (Rgb{255, 255, 255})) << x << "," << y;
}

TEST_P(BitmapEveryFormat, CopyIsDeepAndEqual) {
    Bitmap original = test::patternBitmap(9, 4, GetParam());
    const Bitmap copy = original;
    ASSERT_TRUE(test::samePixels(original, copy));
    original.row(0)[0] ^= 0xFF;
    EXPECT_FALSE(test::samePixels(original, copy));
}

TEST_P(BitmapEveryFormat, RowsArePaddedToFourBytesAndStoredBottomUp) {
    const Bitmap bitmap(7, 3, GetParam());
    EXPECT_EQ(bitmap.stride() % 4, 0u);
    EXPECT_GE(bitmap.stride() * 8, 7u * bitsPerPixel(GetParam()));
    EXPECT_EQ(bitmap.row(2), bitmap.bottomUpData());
    EXPECT_EQ(bitmap.row(0), bitmap.bottomUpData() + 2 * bitmap.stride());
}

TEST_P(BitmapEveryFormat, CopiesSharePixelsUntilOneIsWritten) {
    Bitmap original = test::patternBitmap(9, 4, GetParam());
    const Bitmap copy = original;
    EXPECT_EQ(std::as_const(original).bottomUpData(), copy.bottomUpData());
    original.row(1)[0] ^= 0x01;
    EXPECT_NE(std::as_const(original).bottomUpData(), copy.bottomUpData());
    EXPECT_EQ(original.row(1)[0], copy.row(1)[0] ^ 0x01);
}

TEST_P(BitmapEveryFormat, RowPaddingOfNewBitmapsIsZero) {
    const PixelFormat format = GetParam();
    const std::size_t used = (5 * static_cast<std::size_t>(bitsPerPixel(format)) + 7) / 8;
    for (const Bitmap& bitmap : {Bitmap(5, 3, format), Bitmap::uninitialised(5, 3, format)})
        for (int y = 0; y < bitmap.height(); ++y)
            for (std::size_t i = used; i < bitmap.stride(); ++i)
                ASSERT_EQ(bitmap.row(y)[i], 0) << y << "," << i;
}

TEST(Bitmap, ZeroPaddingClearsOnlyItsOwnCopyAndOnlyWhenNeeded) {
    Bitmap original(5, 2, PixelFormat::Bit24); // 15 of 16 bytes used per row
    Bitmap clean = original;
    clean.zeroPadding();
    EXPECT_EQ(std::as_const(clean).bottomUpData(), std::as_const(original).bottomUpData());

    original.row(1)[15] = 0xAB;
    Bitmap copy = original;
    copy.zeroPadding();
    EXPECT_EQ(std::as_const(copy).row(1)[15], 0);
    EXPECT_EQ(std::as_const(original).row(1)[15], 0xAB);
    EXPECT_TRUE(test::samePixels(copy, original));
}

INSTANTIATE_TEST_SUITE_P(Bitmap, BitmapEveryFormat, testing::ValuesIn(kAllFormats));

TEST(Bitmap, WhiteOfAPaletteImageIsTheNearestEntryFirstOfEquals) {
    const std::vector<PaletteEntry> palette = {
        {0, 0, 0, 0}, {250, 250, 250, 0}, {250, 250, 250, 0}, {10, 10, 10, 0}};
    const Bitmap bitmap(3, 2, PixelFormat::Bit8, palette);
    EXPECT_EQ(bitmap.row(0)[0], 1);
    EXPECT_EQ(bitmap.row(1)[2], 1);
}

TEST(Bitmap, WhiteThirtyTwoBitFillLeavesTheFourthByteZero) {
    const Bitmap bitmap(2, 1, PixelFormat::Bit32);
    const std::uint8_t* p = bitmap.row(0);
    EXPECT_EQ((std::vector<int>{p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7]}),
              (std::vector<int>{255, 255, 255, 0, 255, 255, 255, 0}));
}

TEST(Bitmap, SizesBeyondTheCapAreRefusedBeforeAllocating) {
    EXPECT_THROW(Bitmap(1 << 15, (1 << 13) + 1, PixelFormat::Bit24), PixelLimitError);
    EXPECT_THROW(Bitmap::uninitialised(1, (1 << 28) + 1, PixelFormat::Bit8), PixelLimitError);
    EXPECT_THROW(Bitmap(-1, 1, PixelFormat::Bit24), std::length_error);
    EXPECT_NO_THROW(Bitmap(0, 5, PixelFormat::Bit24));
}

TEST(Bitmap, PaletteIndicesBeyondAShortPaletteReadAsTheLastEntry) {
    Bitmap bitmap(2, 1, PixelFormat::Bit8, greyPalette(2));
    bitmap.row(0)[1] = 200;
    EXPECT_EQ(bitmap.pixel(1, 0), (Rgb{255, 255, 255}));
}

TEST(Bitmap, SixteenBitFieldsExpandToFullRange) {
    Bitmap b15(1, 1, PixelFormat::Bit15);
    b15.row(0)[0] = 0x1F; // blue 31, others 0
    b15.row(0)[1] = 0x80; // the unused top bit must not leak into red
    EXPECT_EQ(b15.pixel(0, 0), (Rgb{0, 0, 255}));
    Bitmap b16(1, 1, PixelFormat::Bit16);
    b16.row(0)[0] = 0xE0; // green 0b000111 → low three bits of green set
    b16.row(0)[1] = 0x07; // green's high three bits
    EXPECT_EQ(b16.pixel(0, 0), (Rgb{0, 255, 0}));
}

} // namespace
} // namespace tavlo
