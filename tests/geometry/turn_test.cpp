// Quarter turns and mirrors: the round trips over every accepted format, where single pixels go,
// the vector loops against plain ones over every position and length they can take, and what is
// refused.
#include "../core/test_support.h"
#include "document/worker_pool.h"
#include "geometry/turn.h"
#include "geometry/turn_pixels.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
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

// Where pixel (x, y) of a W × H source lands, for each mode, on every instruction set and on one
// and two threads; the sizes cross the vector widths of every pixel size, the quarter turns' tiles
// of 1024 rows, and bands of columns that start inside a vector block.
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
    struct Restore {
        ~Restore() { setWorkerCount(0); }
    } restore;
    test::onEveryInstructionSet([&](const char* instructions) {
        for (const auto& [w, h, threads] : {std::tuple{7, 5, 1}, std::tuple{150, 53, 1},
                                            std::tuple{33, 1030, 2}, std::tuple{777, 21, 2}})
            for (const PixelFormat format : kMovable) {
                setWorkerCount(threads);
                const Bitmap source = patternBitmap(w, h, format);
                for (const Row& row : rows) {
                    SCOPED_TRACE(testing::Message()
                                 << instructions << ", " << static_cast<int>(row.mode) << " on "
                                 << w << "x" << h << ", bpp " << bitsPerPixel(format) << ", "
                                 << threads << " threads");
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

std::vector<std::uint8_t> noise(std::size_t size, std::uint32_t seed) {
    std::vector<std::uint8_t> bytes(size);
    for (std::uint8_t& byte : bytes)
        byte = static_cast<std::uint8_t>((seed = seed * 1664525u + 1013904223u) >> 24);
    return bytes;
}

#ifdef TAVLO_SANITIZED
constexpr int kLengthStep = 7;
#else
constexpr int kLengthStep = 1;
#endif

// A row of every width up to several vectors of each pixel size, read and written at every
// offset from a 4-byte boundary: the plain loop's bytes, and none written outside the row.
TEST(Turn, ReversedRowsMatchThePlainLoop) {
    constexpr int kGuard = 64;
    test::onEveryInstructionSet([&](const char* instructions) {
        for (const int bytes : {1, 3, 4})
            for (int width = 1; width <= 200; width += kLengthStep)
                for (int phase = 0; phase < 4; ++phase) {
                    const std::size_t size = static_cast<std::size_t>(width) * bytes;
                    const std::vector<std::uint8_t> in = noise(phase + size, width);
                    std::vector<std::uint8_t> out = noise(2 * kGuard + phase + size, ~width);
                    std::vector<std::uint8_t> expected = out;
                    for (int x = 0; x < width; ++x)
                        std::copy_n(&in[phase + x * bytes], bytes,
                                    &expected[kGuard + phase + (width - 1 - x) * bytes]);
                    geometry::reversePixels(&in[phase], &out[kGuard + phase], width, bytes);
                    ASSERT_EQ(out, expected) << instructions << ", " << bytes << " bytes, width "
                                             << width << ", phase " << phase;
                }
    });
}

// One quarter-turn tile of every width and height up to four of the vector loop's 8 × 8 blocks
// and more, starting on and off a block's edge, both ways and in each pixel size: the plain loop's
// bytes where the tile lands, and no other byte of the destination written.
TEST(Turn, TilesMatchThePlainLoop) {
    constexpr int kSide = 41, kLongest = 34, kGap = 8;
    test::onEveryInstructionSet([&](const char* instructions) {
        for (const int bytes : {1, 3, 4}) {
            const std::size_t sourceRow = std::size_t{kSide} * bytes, row = sourceRow + kGap;
            const std::vector<std::uint8_t> source = noise(kSide * sourceRow, bytes);
            const std::vector<std::uint8_t> before = noise(kSide * row + kGap, bytes + 1);
            std::vector<const std::uint8_t*> from(kSide);
            std::vector<std::size_t> to(kSide);
            for (int y = 0; y < kSide; ++y) {
                from[y] = &source[y * sourceRow];
                to[y] = kGap + y * row;
            }
            for (const bool right : {false, true})
                for (const int x0 : {0, 3})
                    for (int columns = 0; columns <= kLongest; columns += kLengthStep)
                        for (const int y0 : {0, 5})
                            for (int rows = 0; rows <= kLongest; rows += kLengthStep) {
                                std::vector<std::uint8_t> out = before, expected = before;
                                std::vector<std::uint8_t*> toRows(kSide);
                                for (int y = 0; y < kSide; ++y)
                                    toRows[y] = &out[to[y]];
                                const geometry::TileBounds tile{x0, x0 + columns, y0, y0 + rows};
                                for (int y = tile.y0; y < tile.y1; ++y)
                                    for (int x = tile.x0; x < tile.x1; ++x)
                                        std::copy_n(
                                            from[y] + x * bytes, bytes,
                                            &expected[right ? to[x] + (kSide - 1 - y) * bytes
                                                            : to[kSide - 1 - x] + y * bytes]);
                                geometry::turnTile(
                                    {from.data(), toRows.data(), kSide, kSide, bytes, right}, tile,
                                    tile);
                                ASSERT_EQ(out, expected)
                                    << instructions << ", " << bytes << " bytes, "
                                    << (right ? "right" : "left") << ", columns " << x0 << "+"
                                    << columns << ", rows " << y0 << "+" << rows;
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
