// Quarter turns and mirrors: the round trips over every accepted format, where single pixels go,
// and what is refused.
#include "../core/test_support.h"
#include "geometry/turn.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavlo {
namespace {

using test::patternBitmap;
using test::samePixels;

const PixelFormat kMovable[] = {PixelFormat::Bit8, PixelFormat::Bit24, PixelFormat::Bit32};

Bitmap apply(Bitmap image, const std::vector<TurnMode>& modes) {
    for (const TurnMode mode : modes) {
        KernelResult result = turnBitmap(image, mode);
        EXPECT_TRUE(result.has_value());
        image = std::move(*result);
    }
    return image;
}

// Four right turns, two half turns, two mirrors of either kind and a right turn undone by a left
// one give the original back byte for byte, palette and fourth byte included; the tile size of the
// quarter turn is crossed by the larger sizes.
TEST(Turn, RoundTripsGiveTheOriginalInEveryFormat) {
    const std::vector<std::pair<std::string, std::vector<TurnMode>>> trips = {
        {"four rights", {TurnMode::Right, TurnMode::Right, TurnMode::Right, TurnMode::Right}},
        {"four lefts", {TurnMode::Left, TurnMode::Left, TurnMode::Left, TurnMode::Left}},
        {"two halves", {TurnMode::Half, TurnMode::Half}},
        {"two mirrors", {TurnMode::Mirror, TurnMode::Mirror}},
        {"two flips", {TurnMode::Flip, TurnMode::Flip}},
        {"right then left", {TurnMode::Right, TurnMode::Left}},
        {"mirror and flip make a half", {TurnMode::Mirror, TurnMode::Flip, TurnMode::Half}},
        {"two rights make a half", {TurnMode::Right, TurnMode::Right, TurnMode::Half}},
    };
    const std::pair<int, int> sizes[] = {{1, 1}, {1, 9}, {9, 1}, {13, 7}, {70, 131}, {129, 65}};
    for (const PixelFormat format : kMovable)
        for (const auto& [width, height] : sizes)
            for (const auto& [name, modes] : trips) {
                SCOPED_TRACE(name + " " + std::to_string(width) + "x" + std::to_string(height) +
                             " bpp " + std::to_string(bitsPerPixel(format)));
                const Bitmap original = patternBitmap(width, height, format);
                EXPECT_TRUE(samePixels(apply(original, modes), original));
            }
}

// Where pixel (x, y) of a W × H source lands, for each mode and on every instruction set; the
// larger size crosses the vector widths of every pixel size and several sixteen-row groups.
TEST(Turn, EachModePlacesPixelsAsDrawn) {
    struct Row {
        TurnMode mode;
        bool quarter;
        int (*toX)(int x, int y, int w, int h);
        int (*toY)(int x, int y, int w, int h);
    };
    const Row rows[] = {
        {TurnMode::Right, true, [](int, int y, int, int h) { return h - 1 - y; },
         [](int x, int, int, int) { return x; }},
        {TurnMode::Left, true, [](int, int y, int, int) { return y; },
         [](int x, int, int w, int) { return w - 1 - x; }},
        {TurnMode::Half, false, [](int x, int, int w, int) { return w - 1 - x; },
         [](int, int y, int, int h) { return h - 1 - y; }},
        {TurnMode::Mirror, false, [](int x, int, int w, int) { return w - 1 - x; },
         [](int, int y, int, int) { return y; }},
        {TurnMode::Flip, false, [](int x, int, int, int) { return x; },
         [](int, int y, int, int h) { return h - 1 - y; }},
    };
    test::onEveryInstructionSet([&](const char* instructions) {
        for (const auto& [w, h] : {std::pair{7, 5}, std::pair{150, 53}})
            for (const PixelFormat format : kMovable) {
                const Bitmap source = patternBitmap(w, h, format);
                for (const Row& row : rows) {
                    SCOPED_TRACE(testing::Message()
                                 << instructions << ", " << static_cast<int>(row.mode) << " on "
                                 << w << "x" << h << ", bpp " << bitsPerPixel(format));
                    const KernelResult turned = turnBitmap(source, row.mode);
                    ASSERT_TRUE(turned.has_value());
                    ASSERT_EQ(turned->width(), row.quarter ? h : w);
                    ASSERT_EQ(turned->height(), row.quarter ? w : h);
                    EXPECT_EQ(turned->format(), format);
                    EXPECT_EQ(turned->palette(), source.palette());
                    const int bytes = bitsPerPixel(format) / 8;
                    for (int y = 0; y < h; ++y)
                        for (int x = 0; x < w; ++x) {
                            const std::uint8_t* from = source.row(y) + x * bytes;
                            const std::uint8_t* to =
                                turned->row(row.toY(x, y, w, h)) + row.toX(x, y, w, h) * bytes;
                            ASSERT_TRUE(std::equal(from, from + bytes, to)) << x << "," << y;
                        }
                }
            }
    });
}

TEST(Turn, RefusesOtherFormatsAndEmptyImages) {
    for (const PixelFormat format : {PixelFormat::Bit1, PixelFormat::Bit4, PixelFormat::Bit15,
                                     PixelFormat::Bit16, PixelFormat::Device, PixelFormat::Custom})
        EXPECT_FALSE(turnBitmap(patternBitmap(4, 3, format), TurnMode::Right).has_value());
    EXPECT_THROW(turnBitmap(Bitmap(0, 5, PixelFormat::Bit24), TurnMode::Half), InvalidBitmapSizeError);
    EXPECT_THROW(turnBitmap(Bitmap(5, 0, PixelFormat::Bit8), TurnMode::Left), InvalidBitmapSizeError);
}

} // namespace
} // namespace tavlo
