// Keystone and parallelogram deformation: where rows land, what stays white, sizes and formats.
#include "../core/test_support.h"
#include "geometry/deform.h"

#include <gtest/gtest.h>

#include <string>

namespace tavlo {
namespace {

using test::patternBitmap;

// 24-bit pixels whose colour names their source column (never white).
Bitmap columnCoded(int width, int height) {
    Bitmap image(width, height, PixelFormat::Bit24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = image.row(y) + x * 3;
            p[0] = static_cast<std::uint8_t>(x & 0xFF);
            p[1] = static_cast<std::uint8_t>(x >> 8);
            p[2] = static_cast<std::uint8_t>(y & 0x7F);
        }
    return image;
}

// The source column a destination pixel came from, or -1 for white.
int sourceColumn(const Bitmap& image, int x, int y) {
    const std::uint8_t* p = image.row(y) + x * 3;
    if (p[0] == 255 && p[1] == 255 && p[2] == 255) return -1;
    return p[0] | (p[1] << 8);
}

struct Landing {
    DeformMode mode;
    float amount;
    int width, height;
    int row, sourceX, destinationX; // sourceX of row lands on destinationX
    int firstWhite, lastWhite;      // a white run in that row (-1: none checked)
};

TEST(Deform, RowsLandWhereTheFactorPutsThem) {
    const Landing rows[] = {
        // Right side at 0.5: row 50 has factor 0.75, column 99 lands on 74, 75 … 99 white.
        {DeformMode::KeystoneRight, 0.5f, 100, 100, 50, 99, 74, 75, 99},
        {DeformMode::KeystoneRight, 0.5f, 100, 100, 0, 99, 99, -1, -1},
        // Left side mirrors it: column 0 of row 50 moves right towards the right edge.
        {DeformMode::KeystoneLeft, 0.5f, 100, 100, 50, 0, 25, 0, 24},
        // Both sides at −1: the top row collapses onto the centre, the last column winning.
        {DeformMode::KeystoneBoth, -1.0f, 100, 100, 0, 99, 50, 0, 49},
        {DeformMode::KeystoneBoth, -1.0f, 100, 100, 99, 0, 1, 0, 0},
        // Parallelogram: 0.25 on 200 × 100 gives 250 wide, row 0 from column 50, row 99 from 0.
        {DeformMode::Shear, 0.25f, 200, 100, 0, 0, 50, 0, 49},
        {DeformMode::Shear, 0.25f, 200, 100, 99, 0, 0, 200, 249},
        {DeformMode::Shear, -1.0f, 30, 10, 0, 0, 0, 30, 59},
        {DeformMode::Shear, -1.0f, 30, 10, 9, 0, 27, 0, 26},
    };
    for (const Landing& row : rows) {
        SCOPED_TRACE("mode " + std::to_string(static_cast<int>(row.mode)) + " amount " +
                     std::to_string(row.amount) + " row " + std::to_string(row.row));
        const Bitmap source = columnCoded(row.width, row.height);
        const KernelResult result = row.mode == DeformMode::Shear
                                        ? shearBitmap(source, row.amount)
                                        : keystoneBitmap(source, row.mode, row.amount);
        ASSERT_TRUE(result.has_value());
        EXPECT_EQ(sourceColumn(*result, row.destinationX, row.row), row.sourceX);
        for (int x = row.firstWhite; x >= 0 && x <= row.lastWhite; ++x)
            EXPECT_EQ(sourceColumn(*result, x, row.row), -1) << x;
    }
}

TEST(Deform, SizesFormatsAndPalettes) {
    for (const PixelFormat format : {PixelFormat::Bit8, PixelFormat::Bit24, PixelFormat::Bit32}) {
        const Bitmap source = patternBitmap(37, 21, format, format == PixelFormat::Bit8 ? 40 : 0);
        for (const DeformMode mode :
             {DeformMode::KeystoneBoth, DeformMode::KeystoneRight, DeformMode::KeystoneLeft})
            for (const float amount : {-1.0f, -0.37f, 0.01f, 1.0f}) {
                const KernelResult result = keystoneBitmap(source, mode, amount);
                ASSERT_TRUE(result.has_value());
                EXPECT_EQ(result->width(), 37);
                EXPECT_EQ(result->height(), 21);
                EXPECT_EQ(result->format(), format);
                EXPECT_EQ(result->palette(), source.palette());
            }
        // 37 × 0.5 = 18.5 rounds to even: 18 columns more.
        for (const auto& [amount, width] : {std::pair{0.5f, 55}, {-0.5f, 55}, {1.0f, 74}}) {
            const KernelResult result = shearBitmap(source, amount);
            ASSERT_TRUE(result.has_value());
            EXPECT_EQ(result->width(), width);
            EXPECT_EQ(result->format(), format);
        }
    }
    EXPECT_FALSE(
        keystoneBitmap(patternBitmap(5, 5, PixelFormat::Bit4), DeformMode::KeystoneBoth, 0.5f)
            .has_value());
    EXPECT_FALSE(shearBitmap(patternBitmap(5, 5, PixelFormat::Bit15), 0.5f).has_value());
    EXPECT_THROW(shearBitmap(Bitmap(3, 0, PixelFormat::Bit24), 0.5f), InvalidBitmapSizeError);
    EXPECT_THROW(keystoneBitmap(Bitmap(0, 3, PixelFormat::Bit8), DeformMode::KeystoneLeft, 0.5f),
                 InvalidBitmapSizeError);
}

// A one-pixel-wide or one-row image goes through every mode at the extremes without a write
// outside the result (the sanitizer build watches this).
TEST(Deform, ThinImagesAtTheExtremes) {
    for (const auto& [width, height] : {std::pair{1, 50}, {50, 1}, {1, 1}, {2, 3}})
        for (const float amount : {-1.0f, 1.0f, -0.01f}) {
            const Bitmap source = patternBitmap(width, height, PixelFormat::Bit32);
            for (const DeformMode mode :
                 {DeformMode::KeystoneBoth, DeformMode::KeystoneRight, DeformMode::KeystoneLeft})
                EXPECT_EQ(keystoneBitmap(source, mode, amount)->width(), width);
            EXPECT_EQ(shearBitmap(source, amount)->height(), height);
        }
}

} // namespace
} // namespace tavlo
