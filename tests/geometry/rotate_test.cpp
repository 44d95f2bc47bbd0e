// Rotation by any angle: the result sizes, the white margins the forward mapping leaves, the
// closed interior, and the fixed-point stepping against the direct evaluation.
#include "../core/test_support.h"
#include "document/worker_pool.h"
#include "geometry/rotate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace tavlo {
namespace {

using test::patternBitmap;
using test::samePixels;

// A 24-bit image with no white pixel anywhere.
Bitmap darkImage(int width, int height) {
    Bitmap image(width, height, PixelFormat::Bit24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width * 3; ++x)
            image.row(y)[x] = static_cast<std::uint8_t>((x * 7 + y * 13) % 200);
    return image;
}

bool white(const Bitmap& image, int x, int y) {
    return image.pixel(x, y) == Rgb{255, 255, 255};
}

TEST(Rotate, ResultSizes) {
    struct Row {
        int width, height, degrees, resultWidth, resultHeight;
    };
    const Row rows[] = {
        {200, 100, 90, 102, 202}, {200, 100, 30, 226, 188},  {640, 480, 1, 650, 494},
        {640, 480, -1, 650, 494}, {640, 480, 179, 650, 494}, {640, 480, -179, 650, 494},
        {640, 480, 90, 482, 642}, {640, 480, -90, 482, 642}, {640, 480, 45, 794, 794},
        {1, 1, 45, 2, 2},         {2, 1, 90, 2, 4},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.width) + "x" + std::to_string(row.height) + " at " +
                     std::to_string(row.degrees));
        const KernelResult turned =
            rotateBitmap(patternBitmap(row.width, row.height, PixelFormat::Bit8), row.degrees);
        ASSERT_TRUE(turned.has_value());
        EXPECT_EQ(turned->width(), row.resultWidth);
        EXPECT_EQ(turned->height(), row.resultHeight);
    }
    const RotationFrame frame = rotationFrame(200, 100, 90);
    EXPECT_EQ(frame.u, 51);
    EXPECT_EQ(frame.v, 101);
}

// The turned picture does not sit symmetrically: some edge columns and rows are never reached.
TEST(Rotate, UnreachedEdgesStayWhite) {
    struct Row {
        int degrees;
        std::vector<int> whiteColumns, whiteRows;
    };
    const Row rows[] = {{90, {0, 1}, {201}}, {30, {0, 1, 225}, {187}}};
    const Bitmap source = darkImage(200, 100);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.degrees);
        const KernelResult turned = rotateBitmap(source, row.degrees);
        ASSERT_TRUE(turned.has_value());
        for (const int x : row.whiteColumns)
            for (int y = 0; y < turned->height(); ++y)
                ASSERT_TRUE(white(*turned, x, y)) << x << "," << y;
        for (const int y : row.whiteRows)
            for (int x = 0; x < turned->width(); ++x)
                ASSERT_TRUE(white(*turned, x, y)) << x << "," << y;
    }
}

// Every destination pixel whose exact preimage lies well inside the source is written: the second
// write into the row above closes the gaps of the forward mapping.
TEST(Rotate, InteriorHasNoGaps) {
    for (const int degrees : {1, 17, 30, 45, 60, 89, 90, 91, 135, 179, -7, -45, -120}) {
        SCOPED_TRACE(degrees);
        const Bitmap source = darkImage(61, 40);
        const KernelResult turned = rotateBitmap(source, degrees);
        ASSERT_TRUE(turned.has_value());
        const RotationFrame f = rotationFrame(61, 40, degrees);
        for (int row = 0; row < turned->height(); ++row)
            for (int column = 0; column < turned->width(); ++column) {
                const double a = column - f.u, b = row - f.v;
                const double x = a * f.cosine + b * f.sine + f.hw;
                const double y = -a * f.sine + b * f.cosine + f.hh;
                if (x >= 1.5 && x <= 61 - 2.5 && y >= 1.5 && y <= 40 - 2.5) {
                    ASSERT_FALSE(white(*turned, column, row)) << column << "," << row;
                }
            }
    }
}

// The kernel's exact fixed-point stepping agrees with evaluating every position in extended
// precision, over odd and even sizes, every format and angles in all four quadrants.
TEST(Rotate, SteppingMatchesDirectEvaluation) {
    const std::pair<int, int> sizes[] = {{1, 1},  {1, 7},   {7, 1},  {2, 2},
                                         {13, 7}, {64, 33}, {37, 90}};
    for (const PixelFormat format : {PixelFormat::Bit8, PixelFormat::Bit24, PixelFormat::Bit32})
        for (const auto& [width, height] : sizes) {
            const Bitmap source = patternBitmap(width, height, format);
            for (int degrees = -179; degrees <= 179; degrees += 7) {
                SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height) + " at " +
                             std::to_string(degrees));
                const KernelResult fast = rotateBitmap(source, degrees);
                const KernelResult direct = rotateBitmapDirect(source, degrees);
                ASSERT_TRUE(fast && direct);
                ASSERT_TRUE(samePixels(*fast, *direct));
            }
        }
    const Bitmap photo = patternBitmap(641, 479, PixelFormat::Bit24);
    for (const int degrees : {90, -90, 45, 1, 179})
        EXPECT_TRUE(samePixels(*rotateBitmap(photo, degrees), *rotateBitmapDirect(photo, degrees)))
            << degrees;
}

// Results wider and taller than the pieces the kernel renders at a time, on one thread and on
// several: the writes keep their order where the pieces and the threads' bands meet.
TEST(Rotate, LargeResultsMatchDirectEvaluationOnAnyNumberOfThreads) {
    struct Row {
        int width, height;
        PixelFormat format;
    };
    const Row rows[] = {{1301, 150, PixelFormat::Bit24},
                        {150, 1301, PixelFormat::Bit8},
                        {1100, 97, PixelFormat::Bit32}};
    struct Restore {
        ~Restore() { setWorkerCount(0); }
    } restore;
    for (const Row& row : rows) {
        const Bitmap source = patternBitmap(row.width, row.height, row.format);
        for (const int degrees : {30, -90, 90, 1, -179, 135, 61}) {
            const KernelResult direct = rotateBitmapDirect(source, degrees);
            for (const int threads : {1, 3}) {
                SCOPED_TRACE(std::to_string(row.width) + "x" + std::to_string(row.height) + " at " +
                             std::to_string(degrees) + " on " + std::to_string(threads));
                setWorkerCount(threads);
                const KernelResult fast = rotateBitmap(source, degrees);
                ASSERT_TRUE(fast && direct);
                EXPECT_TRUE(samePixels(*fast, *direct));
            }
        }
    }
}

TEST(Rotate, KeepsFormatAndPaletteAndRefusesOthers) {
    const Bitmap indexed = patternBitmap(9, 6, PixelFormat::Bit8, 17);
    const KernelResult turned = rotateBitmap(indexed, 33);
    ASSERT_TRUE(turned.has_value());
    EXPECT_EQ(turned->format(), PixelFormat::Bit8);
    EXPECT_EQ(turned->palette(), indexed.palette());
    EXPECT_FALSE(rotateBitmap(patternBitmap(9, 6, PixelFormat::Bit16), 33).has_value());
    EXPECT_FALSE(rotateBitmap(patternBitmap(9, 6, PixelFormat::Device), 33).has_value());
    EXPECT_THROW(rotateBitmap(Bitmap(0, 3, PixelFormat::Bit24), 10), InvalidBitmapSizeError);
}

} // namespace
} // namespace tavlo
