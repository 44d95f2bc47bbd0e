// Photos as files: orientation on load, tags and profile kept on save, lossless turns, CMYK
// through its profile, hostile tags. Files are tagged with exiftool and checked with exiftool and
// jpegtran, readers independent of the ones the program uses.
#include "document/colour_profile.h"
#include "document/document.h"
#include "document/jpeg_codec.h"
#include "geometry/geometry_steps.h"
#include "geometry/turn.h"
#include "operations/operation_table.h"
#include "test_profiles.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <vector>

#include <lcms2.h>
#include <turbojpeg.h>

namespace tavlo {
namespace {

std::string commandOutput(const std::string& command) {
    std::string text;
    const std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    char buffer[4096];
    for (std::size_t got; pipe && (got = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;)
        text.append(buffer, got);
    return text;
}

void runOrFail(const std::string& command) {
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

void writeFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

std::span<const std::uint8_t> bytesOf(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// The values of the tags, one a line, "-" for a missing one.
std::string tagsOf(const std::string& file, const std::string& tags) {
    return commandOutput("exiftool -s3 -f -n " + tags + " " + file);
}

Bitmap decoded(const std::string& file) {
    DecodeResult result = decodeJpeg(test::readFileBytes(file));
    EXPECT_TRUE(result) << file << ": " << result.error;
    return result ? *result.image : Bitmap();
}

using test::linearRgbProfile;
using test::savedAndClosed;

std::vector<std::uint8_t> srgbProfile() {
    return savedAndClosed(cmsCreate_sRGBProfile());
}

// A CMYK profile that turns every ink into a grey, white without ink and black with any full
// ink: a colourful picture comes out grey, which no conversion that ignores the profile does.
std::vector<std::uint8_t> greyCmykProfile() {
    cmsHPROFILE profile = cmsCreateProfilePlaceholder(nullptr);
    cmsSetProfileVersion(profile, 2.1);
    cmsSetDeviceClass(profile, cmsSigOutputClass);
    cmsSetColorSpace(profile, cmsSigCmykData);
    cmsSetPCS(profile, cmsSigLabData);
    std::vector<cmsUInt16Number> table(16 * 3);
    for (std::size_t i = 0; i < table.size(); i += 3)
        table[i] = i == 0 ? 0xFFFF : 0, table[i + 1] = table[i + 2] = 0x8080;
    cmsPipeline* lut = cmsPipelineAlloc(nullptr, 4, 3);
    cmsPipelineInsertStage(lut, cmsAT_BEGIN,
                           cmsStageAllocCLut16bit(nullptr, 2, 4, 3, table.data()));
    cmsWriteTag(profile, cmsSigAToB0Tag, lut);
    cmsWriteTag(profile, cmsSigMediaWhitePointTag, cmsD50_XYZ());
    cmsPipelineFree(lut);
    return savedAndClosed(profile);
}

class PhotoTest : public testing::Test {
  protected:
    // A pattern photo of the given size, encoded by libjpeg at quality 75, tagged by exiftool.
    std::string photo(const std::string& name, int width, int height,
                      const std::string& tags = "") {
        const std::string path = scratch.file(name);
        writeFile(path,
                  bytesOf(encodeJpeg(test::patternBitmap(width, height, PixelFormat::Bit24), 75)));
        if (!tags.empty()) runOrFail("exiftool -q -q -overwrite_original -n " + tags + " " + path);
        return path;
    }
    void load(const std::string& path) {
        document.sourcePath = path;
        ASSERT_EQ(document.loadImageFile(), LoadOutcome::Loaded) << document.error;
    }
    void turn(const std::vector<TurnMode>& modes) {
        for (const TurnMode mode : modes)
            ASSERT_EQ(runQuarterTurn(document, mode), OperationStatus::Done);
        document.modified = true;
    }
    std::string save(const std::string& name) {
        const std::string path = scratch.file(name);
        EXPECT_EQ(document.saveJpeg(path), SaveOutcome::Saved) << document.error;
        return path;
    }

    test::ScratchFolder scratch;
    Document document;
};

// --- orientation ---

TEST_F(PhotoTest, EachOrientationLoadsAsTheTurnItNames) {
    struct Row {
        int orientation;
        std::vector<TurnMode> turns;
    };
    const Row rows[] = {
        {1, {}},
        {2, {TurnMode::Mirror}},
        {3, {TurnMode::Half}},
        {4, {TurnMode::Flip}},
        {5, {TurnMode::Right, TurnMode::Mirror}},
        {6, {TurnMode::Right}},
        {7, {TurnMode::Right, TurnMode::Flip}},
        {8, {TurnMode::Left}},
    };
    const std::string plain = photo("plain.jpg", 40, 24);
    const Bitmap stored = decoded(plain);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.orientation);
        load(photo("o.jpg", 40, 24, "-Orientation=" + std::to_string(row.orientation)));
        Bitmap expected = stored;
        for (const TurnMode mode : row.turns)
            expected = *turnBitmap(expected, mode);
        EXPECT_TRUE(test::samePixels(document.workImage, expected));
        EXPECT_EQ(document.loadedWidth, expected.width());
        EXPECT_EQ(document.panels[0], "W = " + std::to_string(expected.width()));
    }
    load(plain);
    EXPECT_TRUE(test::samePixels(document.workImage, stored));
    document.uprightOnLoad = false;
    load(photo("six.jpg", 40, 24, "-Orientation=6"));
    EXPECT_TRUE(test::samePixels(document.workImage, stored));
}

// --- tags ---

constexpr const char* kKeptTags =
    "-Make -Model -DateTimeOriginal -GPSLatitude -XMP-xmp:Rating -XMP-dc:Creator -IPTC:Keywords "
    "-File:Comment -ICC_Profile:ProfileDescription -JFIF:XResolution";

TEST_F(PhotoTest, ASaveKeepsTheTagsAndDescribesTheNewPixels) {
    const std::string profile = scratch.file("srgb.icc");
    const std::vector<std::uint8_t> srgb = srgbProfile();
    writeFile(profile, srgb);
    const std::string thumbnail = photo("thumb.jpg", 40, 60);
    const std::string original =
        photo("camera.jpg", 300, 451,
              "-Orientation=6 -Make=Canon '-Model=EOS 5D' '-DateTimeOriginal=2024:05:01 10:11:12' "
              "-GPSLatitude=35.5 -GPSLatitudeRef=N -XMP:Rating=4 -XMP:Creator=Hanako "
              "-IPTC:Keywords=neko -Comment=hello -JFIF:XResolution=300 -JFIF:YResolution=300 "
              "-JFIF:ResolutionUnit=1 '-ICC_Profile<=" +
                  profile + "' '-ThumbnailImage<=" + thumbnail + "'");
    const std::string kept = tagsOf(original, kKeptTags);
    load(original);
    EXPECT_EQ(document.iccProfile, srgb);
    ASSERT_EQ(findOperation("gamma")->run(document, "20"), OperationStatus::Done);
    document.modified = true;

    const std::string saved = save("gamma.jpg");
    EXPECT_FALSE(document.lastSaveLossless);
    EXPECT_EQ(tagsOf(saved, kKeptTags), kept);
    EXPECT_EQ(
        tagsOf(saved, "-IFD0:Orientation -ExifImageWidth -ExifImageHeight -Software -Warning"),
        "1\n451\n300\nTavlo\n-\n");
    const std::string rebuilt = scratch.file("rebuilt.jpg");
    runOrFail("exiftool -b -ThumbnailImage " + saved + " > " + rebuilt);
    EXPECT_EQ(tagsOf(rebuilt, "-ImageWidth -ImageHeight"), "160\n106\n");

    document.keepMetadata = false;
    std::string none; // every tag gone; the JFIF header is the encoder's own, 1:1
    for (int i = 0; i < 9; ++i)
        none += "-\n";
    EXPECT_EQ(tagsOf(save("bare.jpg"), kKeptTags + std::string(" -Software")), none + "1\n-\n");
}

// --- lossless turns ---

TEST_F(PhotoTest, PureTurnsSaveThePixelsJpegtranPerfectGives) {
    struct Row {
        std::vector<TurnMode> turns;
        const char* jpegtran;
    };
    const Row rows[] = {
        {{TurnMode::Right}, "-rotate 90"},
        {{TurnMode::Left}, "-rotate 270"},
        {{TurnMode::Half}, "-rotate 180"},
        {{TurnMode::Mirror}, "-flip horizontal"},
        {{TurnMode::Flip}, "-flip vertical"},
        {{TurnMode::Right, TurnMode::Mirror}, "-transpose"},
        {{TurnMode::Left, TurnMode::Mirror}, "-transverse"},
        {{TurnMode::Half, TurnMode::Mirror}, "-flip vertical"},
    };
    const std::string original = photo("block.jpg", 64, 48);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.jpegtran);
        load(original);
        turn(row.turns);
        const std::string ours = save("ours.jpg"), theirs = scratch.file("theirs.jpg");
        EXPECT_TRUE(document.lastSaveLossless);
        runOrFail(std::string("jpegtran -perfect ") + row.jpegtran + " -outfile " + theirs + " " +
                  original);
        EXPECT_TRUE(test::samePixels(decoded(ours), decoded(theirs)));
    }
    // An untouched photo turned on load is written upright from its own blocks.
    load(photo("six.jpg", 64, 48, "-Orientation=6"));
    const std::string upright = save("upright.jpg"), theirs = scratch.file("theirs.jpg");
    EXPECT_TRUE(document.lastSaveLossless);
    runOrFail("jpegtran -perfect -rotate 90 -outfile " + theirs + " " + original);
    EXPECT_TRUE(test::samePixels(decoded(upright), decoded(theirs)));
    EXPECT_EQ(tagsOf(upright, "-Orientation"), "1\n");
    // The turn on load comes first, then the user's: turned right, then mirrored, is transposed.
    turn({TurnMode::Mirror});
    const std::string transposed = save("transposed.jpg");
    EXPECT_TRUE(document.lastSaveLossless);
    runOrFail("jpegtran -perfect -transpose -outfile " + theirs + " " + original);
    EXPECT_TRUE(test::samePixels(decoded(transposed), decoded(theirs)));
}

TEST_F(PhotoTest, EverythingButAPerfectTurnOfAnEditedPhotoIsEncodedAgain) {
    const std::string blocks = photo("block.jpg", 64, 48);
    load(photo("partial.jpg", 67, 45)); // partial blocks at the right and bottom edges
    turn({TurnMode::Right});
    save("partial_out.jpg");
    EXPECT_FALSE(document.lastSaveLossless);

    load(blocks);
    turn({TurnMode::Right});
    ASSERT_EQ(findOperation("gamma")->run(document, "20"), OperationStatus::Done);
    save("gamma.jpg");
    EXPECT_FALSE(document.lastSaveLossless);

    load(blocks); // untouched, or turned back: saved at the chosen quality, as before
    document.jpegQuality = 10;
    EXPECT_LT(std::filesystem::file_size(save("small.jpg")), std::filesystem::file_size(blocks));
    EXPECT_FALSE(document.lastSaveLossless);
    turn({TurnMode::Right, TurnMode::Left});
    save("back.jpg");
    EXPECT_FALSE(document.lastSaveLossless);

    document.losslessTurns = false;
    turn({TurnMode::Half});
    save("reencoded.jpg");
    EXPECT_FALSE(document.lastSaveLossless);
}

// --- colour profiles ---

TEST_F(PhotoTest, CmykWithAProfileIsConvertedThroughItAndSavedAsSrgb) {
    const std::string profile = scratch.file("cmyk.icc"), cmyk = scratch.file("cmyk.jpg");
    writeFile(profile, greyCmykProfile());
    std::filesystem::copy_file(test::dataPath("jpeg/valid/cmyk_adobe_64x48.jpg"), cmyk);
    runOrFail("exiftool -q -q -overwrite_original '-ICC_Profile<=" + profile + "' " + cmyk);
    load(cmyk);
    EXPECT_TRUE(document.iccProfile.empty());
    // The stored inks (Adobe's, 255 for none) through lcms2 directly, perceptual intent.
    const std::vector<std::uint8_t> file = test::readFileBytes(cmyk);
    std::vector<std::uint8_t> inks(64 * 48 * 4), expected(inks.size() / 4 * 3);
    tjhandle decoder = tjInitDecompress();
    ASSERT_EQ(
        tjDecompress2(decoder, file.data(), file.size(), inks.data(), 64, 0, 48, TJPF_CMYK, 0), 0);
    tjDestroy(decoder);
    const std::vector<std::uint8_t> bytes = greyCmykProfile();
    cmsHPROFILE cmykProfile = cmsOpenProfileFromMem(bytes.data(), bytes.size());
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHTRANSFORM transform =
        cmsCreateTransform(cmykProfile, TYPE_CMYK_8_REV, srgb, TYPE_RGB_8, INTENT_PERCEPTUAL, 0);
    cmsDoTransform(transform, inks.data(), expected.data(), 64 * 48);
    cmsDeleteTransform(transform);
    cmsCloseProfile(srgb);
    cmsCloseProfile(cmykProfile);
    for (const auto& [x, y] : {std::pair{8, 8}, {40, 8}, {8, 24}}) {
        const std::uint8_t* rgb = &expected[(y * 64 + x) * 3];
        EXPECT_EQ(document.workImage.pixel(x, y), (Rgb{rgb[0], rgb[1], rgb[2]}));
        EXPECT_NEAR(rgb[0], rgb[2], 2); // grey, where the stored picture is colourful
    }
    ASSERT_EQ(findOperation("gamma")->run(document, "20"), OperationStatus::Done);
    document.modified = true;
    EXPECT_EQ(tagsOf(save("rgb.jpg"), "-ICC_Profile:ColorSpaceData"), "-\n");
}

// --- hostile tags ---

// An EXIF block whose first directory points to itself as both its EXIF directory and its next
// directory, and an ICC chunk that claims a profile far longer than it is.
std::vector<std::uint8_t> withHostileBlocks(std::vector<std::uint8_t> jpeg) {
    const std::vector<std::uint8_t> exif = {
        0xFF, 0xE1, 0x00, 0x26, 'E', 'x', 'i', 'f', 0, 0, 'M', 'M',
        0,    0x2A, 0,    0,    0,   8,   0,   2,                 // two entries
        0x01, 0x12, 0,    3,    0,   0,   0,   1,   0, 6, 0,   0, // orientation 6
        0x87, 0x69, 0,    4,    0,   0,   0,   1,   0, 0, 0,   8, // EXIF directory: this one again
        0,    0,    0,    8};                                     // next directory: this one again
    std::vector<std::uint8_t> icc = {0xFF, 0xE2, 0x00, 0x20, 'I', 'C', 'C', '_',  'P',  'R',  'O',
                                     'F',  'I',  'L',  'E',  0,   1,   1,   0x7F, 0xFF, 0xFF, 0xFF};
    icc.resize(icc.size() + 12, 0x41);
    jpeg.insert(jpeg.begin() + 2, icc.begin(), icc.end());
    jpeg.insert(jpeg.begin() + 2, exif.begin(), exif.end());
    return jpeg;
}

// What the view shows: the stored values through the picture's profile into the screen's.
TEST(DisplayTransform, ConvertsOnlyWhenAProfileSaysSo) {
    const std::vector<std::uint8_t> none;
    EXPECT_EQ(DisplayTransform::from(none, none), nullptr);
    EXPECT_EQ(DisplayTransform::from(greyCmykProfile(), none), nullptr);
    EXPECT_EQ(DisplayTransform::from(std::vector<std::uint8_t>{1, 2, 3}, none), nullptr);

    const auto srgbToSrgb = DisplayTransform::from(srgbProfile(), none);
    const auto linearToSrgb = DisplayTransform::from(linearRgbProfile(), none);
    const auto srgbToLinear = DisplayTransform::from(none, linearRgbProfile());
    ASSERT_TRUE(srgbToSrgb && linearToSrgb && srgbToLinear);
    for (const int value : {0, 1, 10, 64, 128, 200, 255}) {
        SCOPED_TRACE(value);
        const double light = value / 255.0;
        const double encoded =
            light <= 0.0031308 ? 12.92 * light : 1.055 * std::pow(light, 1 / 2.4) - 0.055;
        const auto v = static_cast<std::uint8_t>(value);
        std::uint8_t same[4] = {v, v, v, 0}, lighter[4] = {v, v, v, 0}, back[4];
        srgbToSrgb->convert(same, 1);
        EXPECT_NEAR(same[1], value, 1);
        linearToSrgb->convert(lighter, 1);
        EXPECT_NEAR(lighter[1], 255 * encoded, 1.5);
        std::copy(lighter, lighter + 4, back);
        srgbToLinear->convert(back, 1);
        EXPECT_NEAR(back[1], value, value < 16 ? 3 : 1.5); // 8 bits are coarse near black
    }
}

TEST_F(PhotoTest, HostileTagsNeitherStopTheLoadNorReachTheSavedFile) {
    const std::string plain = photo("plain.jpg", 64, 48), hostile = scratch.file("hostile.jpg");
    writeFile(hostile, withHostileBlocks(test::readFileBytes(plain)));
    document.sourcePath = hostile;
    ASSERT_EQ(document.loadImageFile(), LoadOutcome::Loaded) << document.error;
    EXPECT_TRUE(document.iccProfile.empty());
    ASSERT_EQ(findOperation("gamma")->run(document, "20"), OperationStatus::Done);
    document.modified = true;
    const std::string saved = save("saved.jpg");
    EXPECT_EQ(tagsOf(saved, "-Error -Warning -ICC_Profile:ProfileDescription"), "-\n-\n-\n");
}

} // namespace
} // namespace tavlo
