// The document steps shared by the main window and the batch tool: undo copies, captions, the
// cases that leave everything alone, and the batch tool's argument checks.
#include "../core/test_support.h"
#include "geometry/geometry_steps.h"
#include "operations/geometry_operations.h"

#include <gtest/gtest.h>

#include <string>

namespace tavlo {
namespace {

using test::patternBitmap;
using test::samePixels;

Document documentWith(Bitmap image) {
    Document document;
    document.workImage = std::move(image);
    document.undoImage = Bitmap(1, 1, PixelFormat::Bit24);
    return document;
}

OperationStatus runNamed(Document& document, std::string_view name, std::string_view argument) {
    for (const OperationSpec& spec : geometryOperations())
        if (spec.name == name) return spec.run(document, argument);
    ADD_FAILURE() << "no operation " << name;
    return OperationStatus::UnsupportedFormat;
}

// Each row runs one command on a 24-bit image and on a refused 16-bit one.
TEST(GeometrySteps, UndoCopyAndCaption) {
    struct Row {
        std::string name, argument;
        std::string_view caption; // after success
        bool refusesBit16;
    };
    const Row rows[] = {
        {"turn", "right", kRotatedGroupCaption, true},
        {"turn", "mirror", kRotatedGroupCaption, true},
        {"shrink", "2", kResizedGroupCaption, false},
        {"resize", "5x5", kResizedGroupCaption, false},
        {"rotate", "-30", kChangeGroupCaption, true},
        {"keystone", "left:40", kChangeGroupCaption, true},
        {"shear", "-100", kChangeGroupCaption, true},
        {"trim", "1,1,8,4", kTrimmedGroupCaption, true},
    };
    for (const Row& row : rows)
        for (const PixelFormat format : {PixelFormat::Bit24, PixelFormat::Bit16}) {
            SCOPED_TRACE(row.name + ":" + row.argument + " bpp " +
                         std::to_string(bitsPerPixel(format)));
            const Bitmap original = patternBitmap(12, 6, format);
            Document document = documentWith(original);
            const bool refused = format == PixelFormat::Bit16 && row.refusesBit16;
            EXPECT_EQ(runNamed(document, row.name, row.argument),
                      refused ? OperationStatus::UnsupportedFormat : OperationStatus::Done);
            EXPECT_TRUE(samePixels(document.undoImage, original));
            EXPECT_EQ(samePixels(document.workImage, original), refused);
            EXPECT_EQ(document.information.changeCaption,
                      refused ? kChangeGroupCaption : row.caption);
            if (!refused) {
                EXPECT_EQ(document.workImage.format(), format);
            }
        }
}

// Angle 0 and strength 0 change nothing at all, not even the undo copy.
TEST(GeometrySteps, NeutralAmountsLeaveEverythingAlone) {
    for (const auto& [name, argument] :
         {std::pair{"rotate", "0"}, {"shear", "0"}, {"keystone", "both:0"}}) {
        Document document = documentWith(patternBitmap(6, 4, PixelFormat::Bit8));
        const Bitmap undo = document.undoImage;
        EXPECT_EQ(runNamed(document, name, argument), OperationStatus::Done);
        EXPECT_TRUE(samePixels(document.undoImage, undo)) << name;
    }
    EXPECT_FALSE(rotationApplies(180));
    EXPECT_FALSE(deformationApplies(static_cast<DeformMode>(5), 0.5f));
    EXPECT_TRUE(deformationApplies(DeformMode::Shear, deformAmount(-100)));
}

TEST(GeometrySteps, ResizeRecordsTheNewSize) {
    Document document = documentWith(patternBitmap(101, 75, PixelFormat::Bit8));
    runResize(document, requestedSize(document, 2, {}));
    EXPECT_EQ(document.workImage.width(), 50);
    EXPECT_EQ(document.workImage.height(), 37);
    EXPECT_EQ(document.imageWidth, 50);
    EXPECT_EQ(document.imageHeight, 37);
}

// Malformed or out-of-range arguments, and sizes the image cannot give, are refused before
// anything changes; the message names the word.
TEST(GeometryOperations, ArgumentErrorsNameTheWord) {
    struct Row {
        std::string name, argument, named;
    };
    const Row rows[] = {
        {"turn", "sideways", "sideways"},
        {"shrink", "3", "3"},
        {"shrink", "16", "16"},
        {"shrink", "8", "8"},
        {"resize", "10", "10"},
        {"resize", "0x5", "0"},
        {"resize", "5xq", "q"},
        {"rotate", "180", "180"},
        {"rotate", "x", "x"},
        {"keystone", "up:10", "up"},
        {"keystone", "both:101", "101"},
        {"keystone", "both", "both"},
        {"shear", "-101", "-101"},
        {"trim", "0,0,12,3", "0,0,12,3"},
        {"trim", "4,0,3,3", "4,0,3,3"},
        {"trim", "1,2,3", "1,2,3"},
        {"wallpaper", "640x480", "640x480"},
        {"wallpaper", "700x500", "700x500"},
        {"wallpaper", "640x480@0", "0"},
        {"wallpaper", "12x7", "12x7"},
        {"wallpaper", "2x2@11,0", "2x2@11,0"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name + ":" + row.argument);
        Document document = documentWith(patternBitmap(12, 6, PixelFormat::Bit24));
        const Bitmap before = document.workImage;
        const Bitmap undo = document.undoImage;
        try {
            runNamed(document, row.name, row.argument);
            ADD_FAILURE() << "accepted";
        } catch (const OperationArgumentError& error) {
            EXPECT_NE(std::string(error.what()).find("'" + row.named + "'"), std::string::npos)
                << error.what();
        }
        EXPECT_TRUE(samePixels(document.workImage, before));
        EXPECT_TRUE(samePixels(document.undoImage, undo));
    }
}

// Any size that fits may be cut, not only the dialog's five.
TEST(GeometryOperations, WallpaperCutsTheFramedBlock) {
    const Bitmap source = patternBitmap(2000, 1500, PixelFormat::Bit24);
    for (const auto& [argument, width, height, left, top] :
         {std::tuple{"1280x1024", 1280, 1024, 360, 238},
          {"1280x1024@720,476", 1280, 1024, 720, 476},
          {"640x480@0,0", 640, 480, 0, 0},
          {"1920x1080", 1920, 1080, 40, 210},
          {"7x3@1993,1497", 7, 3, 1993, 1497}}) {
        Document document = documentWith(source);
        EXPECT_EQ(runNamed(document, "wallpaper", argument), OperationStatus::Done);
        const Bitmap& cut = document.workImage;
        ASSERT_EQ(cut.width(), width) << argument;
        ASSERT_EQ(cut.height(), height) << argument;
        EXPECT_EQ(cut.pixel(0, 0), source.pixel(left, top)) << argument;
        EXPECT_EQ(cut.pixel(cut.width() - 1, cut.height() - 1),
                  source.pixel(left + cut.width() - 1, top + cut.height() - 1));
        EXPECT_EQ(document.information.changeCaption, kTrimmedGroupCaption);
    }
}

// Commands whose result would pass the pixel limit are refused, naming the size asked for and the
// limit, before anything is allocated or changed. The source lies just under the limit and is
// never written, so it costs address space only.
TEST(GeometryOperations, ResultsAboveThePixelLimitAreRefusedUnchanged) {
    const Bitmap big =
        Bitmap::uninitialised(11600, 11600, PixelFormat::Bit8, std::vector<PaletteEntry>(256));
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"rotate", "45", "16406 x 16406"},
        {"shear", "100", "23200 x 11600"},
        {"shear", "-100", "23200 x 11600"},
        {"resize", "16385x16385", "16385 x 16385"},
    };
    for (const auto& [name, argument, size] : rows) {
        SCOPED_TRACE(std::string(name) + ":" + argument);
        Document document = documentWith(big);
        const Bitmap undo = document.undoImage;
        try {
            runNamed(document, name, argument);
            ADD_FAILURE() << "accepted";
        } catch (const PixelLimitError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find(size), std::string::npos) << message;
            EXPECT_NE(message.find(std::to_string(kMaxPixels)), std::string::npos) << message;
        }
        EXPECT_EQ(std::as_const(document.workImage).bottomUpData(), big.bottomUpData());
        EXPECT_EQ(std::as_const(document.undoImage).bottomUpData(), undo.bottomUpData());
    }
}

} // namespace
} // namespace tavlo
