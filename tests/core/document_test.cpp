#include "document/bmp_codec.h"
#include "document/document.h"
#include "document/jpeg_codec.h"
#include "document/pixel_convert.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tavlo {
namespace {

namespace fs = std::filesystem;
using Field = InformationTexts::Field;

class DocumentTest : public testing::Test {
  protected:
    std::string put(const std::string& name, const std::string& bytes) {
        const fs::path path = folder / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    std::string putBmp(const std::string& name, const Bitmap& bitmap) {
        const BmpFileParts parts = encodeBmp(bitmap);
        return put(name, parts.header + std::string(parts.pixels.begin(), parts.pixels.end()));
    }
    std::string folderNamed(const std::string& name) {
        std::filesystem::create_directory(folder / name);
        return (folder / name).string();
    }
    LoadOutcome load(const std::string& path) {
        document.sourcePath = path;
        return document.loadImageFile();
    }

    test::ScratchFolder scratch;
    const fs::path folder = scratch.path();
    Document document;
};

TEST_F(DocumentTest, StartsWithTheResourceTextsAndTheQualityPanel) {
    EXPECT_EQ(document.panels[0], "W=");
    EXPECT_EQ(document.panels[3], "表示スケール");
    EXPECT_EQ(document.panels[8], "　JPG圧縮度：50  / BMP保存形式：(24bits)");
    EXPECT_TRUE(document.noSourceFile);
    EXPECT_FALSE(document.modified);
}

TEST_F(DocumentTest, LoadingAJpegFillsPanelsAndInformationByExtensionAlone) {
    const Bitmap picture = test::patternBitmap(640, 480, PixelFormat::Bit24);
    const std::string path = put("photo.JpG", encodeJpeg(picture, 90));
    document.modified = true;
    ASSERT_EQ(load(path), LoadOutcome::Loaded) << document.error;

    EXPECT_EQ(document.currentFileName, "PHOTO.JPG");
    EXPECT_EQ(document.currentExt, ".JPG");
    EXPECT_EQ(document.workImage.format(), PixelFormat::Bit24);
    const std::array<std::string, 8> expected = {
        "W = 640", "H = 480", "W/H = 1.33333", "表示ｽｹｰﾙ : 1/1", "PHOTO.JPG", "", "", "(24bits)"};
    for (int i : {0, 1, 2, 3, 4, 7})
        EXPECT_EQ(document.panels[i], expected[i]) << "panel " << i;
    EXPECT_EQ(document.panels[6], " ｻｲｽﾞ= " + document.information.fields[Field::FileSize]);
    EXPECT_EQ(document.information.fields[Field::LoadedSize], "W = 640 , H = 480");
    EXPECT_EQ(document.information.fields[Field::LoadedAspect], "W/H = 1.3333 (24bits)");
    EXPECT_EQ(document.information.fields[Field::CurrentAspect], "W/H = 1.3333");
    EXPECT_FALSE(document.modified);
    EXPECT_FALSE(document.noSourceFile);
    EXPECT_EQ(document.undoImage.width(), 640);
}

TEST_F(DocumentTest, LoadingABmpShowsItsColourCount) {
    ASSERT_EQ(load(putBmp("a.bmp", Bitmap(640, 480, PixelFormat::Bit24))), LoadOutcome::Loaded);
    EXPECT_EQ(document.panels[7], "16.8Ｍ色");
    EXPECT_EQ(document.information.fields[Field::LoadedAspect], "W/H = 1.3333 ( 16.8Ｍ色 )");
    EXPECT_EQ(document.information.fields[Field::FileName], "A.BMP");
}

TEST_F(DocumentTest, AFailedLoadChangesNothingAndSaysWhy) {
    ASSERT_EQ(load(putBmp("a.bmp", Bitmap(4, 3, PixelFormat::Bit24))), LoadOutcome::Loaded);
    document.modified = true;
    const std::string loaded = document.sourcePath;
    const auto panels = document.panels;
    const auto information = document.information.fields;
    const struct {
        std::string path;
        LoadOutcome outcome;
        FileProblem problem;
    } rows[] = {
        {put("notes.png", "whatever"), LoadOutcome::RefusedExtension, FileProblem::NotImageType},
        {put("broken.jpg", "\xFF\xD8\xFF garbage"), LoadOutcome::InvalidImage,
         FileProblem::NotAnImage},
        {(folder / "absent.bmp").string(), LoadOutcome::CannotRead, FileProblem::Missing},
        {folderNamed("pics.jpg"), LoadOutcome::CannotRead, FileProblem::NotRegularFile},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path);
        EXPECT_EQ(load(row.path), row.outcome);
        EXPECT_EQ(document.problem, row.problem);
        EXPECT_FALSE(document.error.empty());
        EXPECT_EQ(document.sourcePath, loaded);
        EXPECT_EQ(document.currentFileName, "A.BMP");
        EXPECT_EQ(document.panels, panels);
        EXPECT_EQ(document.information.fields, information);
        EXPECT_EQ(document.workImage.width(), 4);
        EXPECT_EQ(document.undoImage.width(), 4);
        EXPECT_TRUE(document.modified);
    }
    // Any letter case of .jpg, .jpeg and .jpe is a JPEG.
    EXPECT_EQ(load(put("photo.JpEg", "\xFF\xD8\xFF garbage")), LoadOutcome::InvalidImage);
}

TEST_F(DocumentTest, ViewRatioFollowsTheTruncatedViewSize) {
    ASSERT_EQ(load(putBmp("big.bmp", Bitmap(1000, 750, PixelFormat::Bit8, halftonePalette()))),
              LoadOutcome::Loaded);
    document.setDisplayScale(3);
    EXPECT_EQ(document.viewWidth, 333);
    EXPECT_EQ(document.viewHeight, 250);
    EXPECT_EQ(document.panels[2], "W/H = 1.33200");
    EXPECT_EQ(document.panels[3], "表示ｽｹｰﾙ : 1/3");
    EXPECT_EQ(document.information.fields[Field::CurrentAspect], "W/H = 1.3333");
    document.setDisplayScale(5);
    EXPECT_EQ(document.panels[3], "表示ｽｹｰﾙ : ELSE");
}

TEST_F(DocumentTest, FittingFillsOneSideOfTheBoxAndKeepsTheAspect) {
    const struct {
        int width, height, boxWidth, boxHeight, viewWidth, viewHeight;
    } rows[] = {
        {1000, 750, 400, 400, 400, 300}, {1000, 750, 1000, 100, 133, 100},
        {1000, 750, 0, 500, 0, 0},       {64, 48, 1000, 999, 1000, 750},
        {3000, 1, 500, 500, 500, 1},     {1, 3000, 500, 500, 1, 500},
        {640, 480, 640, 480, 640, 480},
    };
    for (const auto& row : rows) {
        ASSERT_EQ(load(putBmp("fit.bmp", Bitmap(row.width, row.height, PixelFormat::Bit24))),
                  LoadOutcome::Loaded);
        document.setDisplayScale(2);
        EXPECT_FALSE(document.setFitBox(row.boxWidth, row.boxHeight));
        EXPECT_EQ(document.viewWidth, row.width / 2);
        document.setDisplayScale(kFitDisplayScale);
        EXPECT_EQ(document.viewWidth, row.viewWidth) << row.width << " in " << row.boxWidth;
        EXPECT_EQ(document.viewHeight, row.viewHeight) << row.width << " in " << row.boxWidth;
        EXPECT_EQ(document.panels[3], "表示ｽｹｰﾙ : ELSE");
        EXPECT_TRUE(document.setFitBox(row.boxWidth + 10, row.boxHeight + 10));
        EXPECT_FALSE(document.setFitBox(row.boxWidth + 10, row.boxHeight + 10));
        document.setFitBox(0, 0);
    }
}

TEST_F(DocumentTest, ImageSmallerThanTheDivisorGivesAnEmptyViewAndARatioOfZero) {
    ASSERT_EQ(load(putBmp("tiny.bmp", Bitmap(2, 2, PixelFormat::Bit24))), LoadOutcome::Loaded);
    document.setDisplayScale(8);
    EXPECT_EQ(document.viewWidth, 0);
    EXPECT_EQ(document.viewHeight, 0);
    EXPECT_EQ(document.panels[2], "W/H = 0.00000");
}

TEST_F(DocumentTest, UndoReturnsToTheCopyTakenBeforeTheLastOperation) {
    ASSERT_EQ(load(putBmp("a.bmp", Bitmap(3, 1, PixelFormat::Bit24))), LoadOutcome::Loaded);
    auto operation = [&](std::uint8_t value) {
        document.takeUndoCopy();
        document.workImage.row(0)[0] = value;
        document.modified = true;
    };
    operation(1);
    operation(2);
    document.undo();
    EXPECT_EQ(document.workImage.row(0)[0], 1);
    document.undo();
    EXPECT_EQ(document.workImage.row(0)[0], 1);
    EXPECT_TRUE(document.modified) << "undo leaves the modified flag alone";
}

TEST_F(DocumentTest, InformationIsLeftAloneDuringTheStartupLoad) {
    document.startupLoad = 1;
    ASSERT_EQ(load(putBmp("a.bmp", Bitmap(4, 3, PixelFormat::Bit24))), LoadOutcome::Loaded);
    for (const std::string& field : document.information.fields)
        EXPECT_EQ(field, "");
    EXPECT_EQ(document.panels[0], "W = 4");
}

TEST_F(DocumentTest, SavingChecksTheExtensionLength) {
    ASSERT_EQ(load(putBmp("a.bmp", Bitmap(4, 3, PixelFormat::Bit24))), LoadOutcome::Loaded);
    document.modified = true;
    for (const char* name : {"photo", "photo.jp", "dir.x/photo"}) {
        const std::string path = (folder / name).string();
        EXPECT_EQ(document.saveJpeg(path), SaveOutcome::BadExtension) << name;
        EXPECT_EQ(document.savePath, path);
        EXPECT_FALSE(fs::exists(path));
    }
    EXPECT_TRUE(document.modified);
    EXPECT_EQ(document.saveJpeg((folder / "photo.jpeg").string()), SaveOutcome::Saved);
    EXPECT_EQ(document.saveBmp((folder / "photo.bmp.jpg").string()), SaveOutcome::Saved)
        << "any extension of four characters passes";
    EXPECT_FALSE(document.modified);
}

TEST_F(DocumentTest, BmpSaveConvertsTheWorkingImageItselfJpegSaveDoesNot) {
    const Bitmap picture = test::patternBitmap(6, 5, PixelFormat::Bit24);
    ASSERT_EQ(load(putBmp("a.bmp", picture)), LoadOutcome::Loaded);

    ASSERT_EQ(document.saveJpeg((folder / "b.jpg").string()), SaveOutcome::Saved);
    EXPECT_EQ(document.workImage.format(), PixelFormat::Bit24);

    document.setBmpSaveFormat(PixelFormat::Bit8);
    EXPECT_EQ(document.panels[8], "　JPG圧縮度：50  / BMP保存形式：(8bits)");
    ASSERT_EQ(document.saveBmp((folder / "c.bmp").string()), SaveOutcome::Saved);
    EXPECT_EQ(document.workImage.format(), PixelFormat::Bit8);
    EXPECT_EQ(document.panels[7], "16.8Ｍ色") << "the save does not refresh the panels";

    const auto written = decodeBmp(test::readFileBytes((folder / "c.bmp").string()));
    ASSERT_TRUE(written.image.has_value());
    EXPECT_TRUE(test::samePixels(*written.image, document.workImage));
    EXPECT_TRUE(test::samePixels(document.workImage, convertedTo(picture, PixelFormat::Bit8)));
}

TEST_F(DocumentTest, AFailedSaveReportsAndKeepsTheModifiedFlag) {
    ASSERT_EQ(load(putBmp("a.bmp", Bitmap(4, 3, PixelFormat::Bit24))), LoadOutcome::Loaded);
    document.modified = true;
    EXPECT_EQ(document.saveBmp((folder / "no" / "such.bmp").string()), SaveOutcome::WriteFailed);
    EXPECT_TRUE(document.modified);
    EXPECT_NE(document.error.find("such.bmp"), std::string::npos);
}

TEST_F(DocumentTest, APasteReplacesTheDocumentAndKeepsTheFileNames) {
    ASSERT_EQ(load(putBmp("a.bmp", Bitmap(4, 3, PixelFormat::Bit24))), LoadOutcome::Loaded);
    document.modified = true;
    document.paste(Bitmap(6, 2, PixelFormat::Device));
    EXPECT_EQ(document.panels[0], "W = 6");
    EXPECT_EQ(document.panels[4], "");
    EXPECT_EQ(document.panels[5], "");
    EXPECT_EQ(document.panels[6], " ｻｲｽﾞ= ");
    EXPECT_EQ(document.panels[7], "?????");
    EXPECT_EQ(document.information.fields[Field::LoadedAspect], "W/H = 3.0000 ( ????? )");
    EXPECT_EQ(document.currentFileName, "A.BMP");
    EXPECT_TRUE(document.noSourceFile);
    EXPECT_FALSE(document.modified);

    // Back to the start after a paste and two operations: the image after the first.
    auto operation = [&](std::uint8_t value) {
        document.takeUndoCopy();
        document.workImage.row(0)[0] = value;
    };
    operation(1);
    operation(2);
    document.undo();
    EXPECT_EQ(std::as_const(document.workImage).row(0)[0], 1);
}

} // namespace
} // namespace tavlo
