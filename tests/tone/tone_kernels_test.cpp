// The tone kernels over whole images: pixel formats, neutral settings, channel selection, and the
// document steps around them.
#include "../core/test_support.h"
#include "document/pixel_convert.h"
#include "document/worker_pool.h"
#include "tone/colour_tone.h"
#include "tone/contrast.h"
#include "tone/gamma.h"
#include "tone/tone_curve.h"
#include "tone/tone_steps.h"
#include "tone/vivid_row.h"
#include "tone/vividness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <string>

namespace tavlo {
namespace {

using test::patternBitmap;
using test::samePixels;

const PixelFormat kEveryFormat[] = {PixelFormat::Bit1,  PixelFormat::Bit4,   PixelFormat::Bit8,
                                    PixelFormat::Bit15, PixelFormat::Bit16,  PixelFormat::Bit24,
                                    PixelFormat::Bit32, PixelFormat::Device, PixelFormat::Custom};

struct Kernel {
    std::string name;
    std::function<KernelResult(const Bitmap&)> neutral; // the settings that change nothing
    bool onlyBit24;                                     // refuses other formats unconverted
};

const std::vector<Kernel>& kernels() {
    static const std::vector<Kernel> all = {
        {"curve", [](const Bitmap& b) { return toneCurveBitmap(b, ToneCurve{}); }, true},
        {"tone",
         [](const Bitmap& b) {
             return colourToneBitmap(b, {0, 0, 0});
         },
         true},
        {"contrast", [](const Bitmap& b) { return contrastBitmap(b, ContrastSettings{}); }, true},
        {"vivid", [](const Bitmap& b) { return vividBitmap(b, 0); }, false},
        {"gamma", [](const Bitmap& b) { return gammaBitmap(b, 0); }, false},
    };
    return all;
}

// At neutral settings a 24-bit image comes back byte for byte; the converting kernels give any
// other format as its 24-bit conversion; the others refuse it. The source is never written.
TEST(ToneKernels, NeutralSettingsOverEveryFormat) {
    for (const Kernel& kernel : kernels())
        for (const PixelFormat format : kEveryFormat) {
            SCOPED_TRACE(kernel.name + " format " + std::to_string(static_cast<int>(format)));
            const Bitmap source = patternBitmap(13, 7, format);
            const Bitmap before = patternBitmap(13, 7, format);
            const KernelResult result = kernel.neutral(source);
            EXPECT_TRUE(samePixels(source, before));
            if (format != PixelFormat::Bit24 && kernel.onlyBit24) {
                EXPECT_FALSE(result.has_value());
                continue;
            }
            ASSERT_TRUE(result.has_value());
            EXPECT_TRUE(samePixels(*result, convertedTo(source, PixelFormat::Bit24)));
            for (int y = 0; y < result->height(); ++y) // padding is written, and written as zero
                EXPECT_EQ(result->row(y)[39], 0);
        }
}

// Every width up to past two of the widest vector loops, so that each path of the row (whole
// vectors, four at a time, the pixels left over) meets every phase; in place, the row gives the
// same bytes.
TEST(ToneKernels, VividnessOfEveryWidthMatchesTheSums) {
    struct Restore {
        ~Restore() { setWorkerCount(0); }
    } restore;
    std::mt19937 random(5);
    test::onEveryInstructionSet([&](const char* instructions) {
        for (const int threads : {1, 2})
            for (int width = 1; width <= 140; ++width) {
                setWorkerCount(threads);
                const int height = width % 7 == 0 ? 33 : 1;
                Bitmap image(width, height, PixelFormat::Bit24);
                for (int y = 0; y < height; ++y)
                    for (int i = 0; i < 3 * width; ++i)
                        image.row(y)[i] = static_cast<std::uint8_t>(random());
                const std::int32_t amount = width % 101 - 50;
                const long double k = vividFactor(amount);
                const KernelResult vivid = vividBitmap(image, amount);
                ASSERT_TRUE(vivid.has_value());
                for (int y = 0; y < height; ++y)
                    for (int i = 0; i < 3 * width; ++i) {
                        const std::uint8_t* p = image.row(y) + i - i % 3;
                        const int own = image.row(y)[i], others = p[0] + p[1] + p[2] - own;
                        const auto sum = static_cast<float>(own + k * (2 * own - others));
                        const long double level = std::trunc(static_cast<long double>(sum) + 0.5L);
                        ASSERT_EQ(vivid->row(y)[i], std::clamp(level, 0.0L, 255.0L))
                            << instructions << ", width " << width << ", byte " << i;
                    }
                std::vector<std::uint8_t> row(image.row(0), image.row(0) + 3 * width);
                vividRow(row.data(), row.data(), width, vividFactor(amount));
                ASSERT_TRUE(std::equal(row.begin(), row.end(), vivid->row(0)))
                    << instructions << ", width " << width << " in place";
            }
    });
}

TEST(ToneKernels, EmptyImageThrows) {
    for (const Kernel& kernel : kernels()) {
        EXPECT_THROW(kernel.neutral(Bitmap(0, 5, PixelFormat::Bit24)), InvalidBitmapSizeError)
            << kernel.name;
        EXPECT_THROW(kernel.neutral(Bitmap(5, 0, PixelFormat::Bit8)), InvalidBitmapSizeError)
            << kernel.name;
    }
}

Bitmap onePixel(Rgb colour) {
    Bitmap bitmap(1, 1, PixelFormat::Bit24);
    bitmap.row(0)[0] = colour.b;
    bitmap.row(0)[1] = colour.g;
    bitmap.row(0)[2] = colour.r;
    return bitmap;
}

TEST(ToneKernels, ChannelSelectionAndPixelResults) {
    ToneCurve negative;
    negative.levels = {255, 191, 63, 0};
    const auto curveOn = [negative](int channel) {
        ToneCurve curve = negative;
        curve.channel = channel;
        return [curve](const Bitmap& b) { return toneCurveBitmap(b, curve); };
    };
    struct Row {
        std::string what;
        std::function<KernelResult(const Bitmap&)> kernel;
        Rgb in, out;
    };
    const Row rows[] = {
        {"curve all", curveOn(0), {255, 255, 255}, {0, 0, 0}},
        {"curve red", curveOn(1), {255, 255, 255}, {0, 255, 255}},
        {"curve green", curveOn(2), {10, 20, 30}, {10, 235, 30}},
        {"curve blue", curveOn(3), {10, 20, 30}, {10, 20, 225}},
        {"curve channel 4", curveOn(4), {10, 20, 30}, {10, 20, 30}},
        {"tone linked",
         [](const Bitmap& b) {
             return colourToneBitmap(b, {50, 50, 50});
         },
         {10, 100, 250},
         {60, 150, 255}},
        {"tone red up",
         [](const Bitmap& b) {
             return colourToneBitmap(b, {128, 0, 0});
         },
         {200, 100, 50},
         {255, 100, 50}},
        {"tone red down",
         [](const Bitmap& b) {
             return colourToneBitmap(b, {-128, 0, 0});
         },
         {100, 100, 100},
         {0, 100, 100}},
        {"tone per channel",
         [](const Bitmap& b) {
             return colourToneBitmap(b, {1, -2, 3});
         },
         {10, 10, 10},
         {11, 8, 13}},
        {"contrast per channel",
         [](const Bitmap& b) {
             return contrastBitmap(b, {{-128, 0, 128}, {0, 20, 0}});
         },
         {64, 64, 64},
         {128, 84, 0}},
        {"vivid bar 0",
         [](const Bitmap& b) { return vividBitmap(b, -50); },
         {200, 100, 50},
         {75, 125, 150}},
        {"gamma bar 100",
         [](const Bitmap& b) { return gammaBitmap(b, 50); },
         {1, 128, 0},
         {6, 161, 0}},
    };
    for (const Row& row : rows) {
        const KernelResult result = row.kernel(onePixel(row.in));
        ASSERT_TRUE(result.has_value()) << row.what;
        EXPECT_EQ(result->pixel(0, 0), row.out) << row.what;
    }
}

TEST(ToneKernels, ConvertingKernelsTakeColoursFromThePalette) {
    const Bitmap eightBit = patternBitmap(9, 4, PixelFormat::Bit8, 20);
    const Bitmap asTrueColour = convertedTo(eightBit, PixelFormat::Bit24);
    EXPECT_TRUE(samePixels(*vividBitmap(eightBit, -50), *vividBitmap(asTrueColour, -50)));
    EXPECT_TRUE(samePixels(*gammaBitmap(eightBit, 37), *gammaBitmap(asTrueColour, 37)));
}

// Undo copies: every step but colour tone takes one; a refusal leaves the image as it was.
TEST(ToneSteps, UndoCopyAndRefusal) {
    struct Row {
        std::string name;
        std::function<OperationStatus(Document&)> run;
        bool takesUndoCopy, converts, mapsTables;
    };
    const Row rows[] = {
        {"curve", [](Document& d) { return runToneCurve(d, ToneCurve{}); }, true, false, true},
        {"tone",
         [](Document& d) {
             return runColourTone(d, {{5, 5, 5}});
         },
         false, false, true},
        {"contrast", [](Document& d) { return runContrast(d, {.contrast = 5, .brightness = 0}); },
         true, false, true},
        {"vivid", [](Document& d) { return runVividness(d, {10}); }, true, true, false},
        {"gamma", [](Document& d) { return runGamma(d, {10}); }, true, true, true},
    };
    for (const Row& row : rows)
        for (const PixelFormat format :
             {PixelFormat::Bit8, PixelFormat::Bit24, PixelFormat::Bit32}) {
            SCOPED_TRACE(row.name + " format " + std::to_string(static_cast<int>(format)));
            Document document;
            document.workImage = patternBitmap(6, 5, format);
            document.undoImage = Bitmap(2, 2, PixelFormat::Bit24);
            const Bitmap before = document.workImage;
            const bool accepted = format == PixelFormat::Bit24 || row.converts;
            EXPECT_EQ(row.run(document),
                      accepted ? OperationStatus::Done : OperationStatus::UnsupportedFormat);
            EXPECT_EQ(samePixels(document.undoImage, before), row.takesUndoCopy);
            if (accepted)
                EXPECT_EQ(document.workImage.format(), PixelFormat::Bit24);
            else
                EXPECT_TRUE(samePixels(document.workImage, before));

            // Without an undo copy (the batch tool): the same result, nothing kept, and a 24-bit
            // image mapped through tables in its own pixels.
            Document batch;
            batch.keepsUndoCopy = false;
            batch.workImage = patternBitmap(6, 5, format);
            batch.undoImage = Bitmap(2, 2, PixelFormat::Bit24);
            const std::uint8_t* pixels = std::as_const(batch.workImage).bottomUpData();
            EXPECT_EQ(row.run(batch),
                      accepted ? OperationStatus::Done : OperationStatus::UnsupportedFormat);
            EXPECT_EQ(batch.undoImage.width(), 2);
            if (accepted) {
                Document again;
                again.workImage = patternBitmap(6, 5, format);
                row.run(again);
                EXPECT_TRUE(samePixels(batch.workImage, again.workImage));
            }
            EXPECT_EQ(std::as_const(batch.workImage).bottomUpData() == pixels,
                      !accepted || (row.mapsTables && format == PixelFormat::Bit24));
        }
}

} // namespace
} // namespace tavlo
