#include "document/jpeg_codec.h"
#include "document/pixel_convert.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <vector>

#include <unistd.h>

namespace tavlo {
namespace {

namespace fs = std::filesystem;

std::span<const std::uint8_t> bytesOf(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

Bitmap gradient(int width, int height) {
    Bitmap image(width, height, PixelFormat::Bit24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = image.row(y) + 3 * x;
            p[0] = static_cast<std::uint8_t>(255 * x / (width - 1));
            p[1] = static_cast<std::uint8_t>(255 * y / (height - 1));
            p[2] = static_cast<std::uint8_t>(255 - 127 * (x + y) / (width + height - 2));
        }
    return image;
}

int maxChannelDifference(const Bitmap& a, const Bitmap& b) {
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const Rgb p = a.pixel(x, y), q = b.pixel(x, y);
            worst =
                std::max({worst, std::abs(p.r - q.r), std::abs(p.g - q.g), std::abs(p.b - q.b)});
        }
    return worst;
}

// --- the libjpeg-turbo command-line tools, used as the reference when installed ---

bool haveTool(const char* name) {
    return std::system(("command -v " + std::string(name) + " >/dev/null 2>&1").c_str()) == 0;
}

void writePpm(const Bitmap& image, const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << image.width() << ' ' << image.height() << "\n255\n";
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const Rgb p = image.pixel(x, y);
            out.put(static_cast<char>(p.r)).put(static_cast<char>(p.g)).put(static_cast<char>(p.b));
        }
}

// P5 or P6 as djpeg writes them (maxval 255): grey or R,G,B bytes, top row first.
struct Pnm {
    int width = 0, height = 0, channels = 0;
    std::vector<std::uint8_t> data;
};

Pnm readPnm(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxval = 0;
    Pnm pnm;
    in >> magic >> pnm.width >> pnm.height >> maxval;
    in.get();
    pnm.channels = magic == "P5" ? 1 : 3;
    pnm.data.resize(static_cast<std::size_t>(pnm.width) * pnm.height * pnm.channels);
    in.read(reinterpret_cast<char*>(pnm.data.data()),
            static_cast<std::streamsize>(pnm.data.size()));
    return pnm;
}

// --- encoding ---

TEST(JpegEncode, HighQualityRoundTripStaysCloseToTheOriginal) {
    const Bitmap original = gradient(67, 45); // partial MCUs on both edges
    const DecodeResult decoded = decodeJpeg(bytesOf(encodeJpeg(original, 100)));
    ASSERT_TRUE(decoded) << decoded.error;
    ASSERT_EQ(decoded.image->format(), PixelFormat::Bit24);
    ASSERT_EQ(decoded.image->width(), 67);
    ASSERT_EQ(decoded.image->height(), 45);
    EXPECT_LE(maxChannelDifference(original, *decoded.image), 5);
}

TEST(JpegEncode, SizeGrowsWithQualityAndQualityIsClamped) {
    const Bitmap image = test::patternBitmap(48, 40, PixelFormat::Bit24);
    const std::string q1 = encodeJpeg(image, 1), q50 = encodeJpeg(image, 50),
                      q100 = encodeJpeg(image, 100);
    EXPECT_LT(q1.size(), q50.size());
    EXPECT_LT(q50.size(), q100.size());
    EXPECT_EQ(encodeJpeg(image, -5), q1);
    EXPECT_EQ(encodeJpeg(image, 250), q100);
}

TEST(JpegEncode, OtherFormatsAreEncodedAsTheir24BitCopyAndLeftUntouched) {
    for (PixelFormat format : {PixelFormat::Bit1, PixelFormat::Bit4, PixelFormat::Bit8,
                               PixelFormat::Bit16, PixelFormat::Bit32}) {
        SCOPED_TRACE(bitsPerPixel(format));
        const Bitmap image = test::patternBitmap(21, 11, format);
        const Bitmap before = image;
        const std::string jpeg = encodeJpeg(image, 80);
        EXPECT_TRUE(test::samePixels(image, before));
        EXPECT_EQ(jpeg, encodeJpeg(convertedTo(image, PixelFormat::Bit24), 80));
    }
}

TEST(JpegEncode, LibraryFailuresThrowWithoutPrinting) {
    for (const Bitmap& image : {Bitmap(), Bitmap(70000, 1, PixelFormat::Bit24)}) {
        testing::internal::CaptureStderr();
        EXPECT_THROW(encodeJpeg(image, 75), std::runtime_error);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    }
}

TEST(JpegEncode, BytesEqualCjpegBaselineAtEveryQuality) {
    ASSERT_TRUE(haveTool("cjpeg")) << "cjpeg is missing: scripts/install-deps installs it";
    const test::ScratchFolder dir;
    const Bitmap image = gradient(101, 37);
    writePpm(image, dir.file("in.ppm"));
    for (int quality : {1, 10, 50, 75, 100}) {
        SCOPED_TRACE(quality);
        const std::string out = dir.file("q" + std::to_string(quality) + ".jpg");
        const std::string command = "cjpeg -quality " + std::to_string(quality) +
                                    " -baseline -outfile " + out + " " + dir.file("in.ppm");
        ASSERT_EQ(std::system(command.c_str()), 0);
        const std::vector<std::uint8_t> expected = test::readFileBytes(out);
        EXPECT_EQ(encodeJpeg(image, quality), std::string(expected.begin(), expected.end()));
    }
}

// --- decoding ---

TEST(JpegDecode, GreyscaleBecomes8BitWithAGreyPalette) {
    const DecodeResult result =
        decodeJpeg(test::readFileBytes(test::dataPath("jpeg/valid/grey_64x48.jpg")));
    ASSERT_TRUE(result) << result.error;
    const Bitmap& image = *result.image;
    ASSERT_EQ(image.format(), PixelFormat::Bit8);
    ASSERT_EQ(image.palette().size(), 256u);
    for (int i = 0; i < 256; ++i) {
        const auto v = static_cast<std::uint8_t>(i);
        EXPECT_EQ(image.palette()[i], (PaletteEntry{v, v, v, 0}));
    }
    EXPECT_EQ(image.row(8)[8], 87);
    EXPECT_EQ(image.row(24)[24], 250);
}

TEST(JpegDecode, CmykAndYcckBecomeRgbScaledByBlack) {
    struct Row {
        const char* file;
        int x, y;
        Rgb expected;
    };
    const Row rows[] = {
        {"cmyk_adobe_64x48.jpg", 8, 8, {220, 30, 30}},
        {"cmyk_adobe_64x48.jpg", 40, 8, {40, 60, 210}},
        {"cmyk_adobe_64x48.jpg", 8, 24, {128, 128, 128}},
        {"cmyk_ycck_imagemagick_64x48.jpg", 24, 8, {30, 200, 61}},
        {"cmyk_ycck_imagemagick_64x48.jpg", 56, 8, {239, 220, 39}},
        {"cmyk_ycck_imagemagick_64x48.jpg", 24, 24, {250, 250, 250}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.file) + " " + std::to_string(row.x) + "," +
                     std::to_string(row.y));
        const DecodeResult result =
            decodeJpeg(test::readFileBytes(test::dataPath(std::string("jpeg/valid/") + row.file)));
        ASSERT_TRUE(result) << result.error;
        EXPECT_EQ(result.image->format(), PixelFormat::Bit24);
        const Rgb p = result.image->pixel(row.x, row.y);
        EXPECT_NEAR(p.r, row.expected.r, 1);
        EXPECT_NEAR(p.g, row.expected.g, 1);
        EXPECT_NEAR(p.b, row.expected.b, 1);
    }
}

TEST(JpegDecode, BrokenDataIsRefusedWithOneLineAndNothingPrinted) {
    const std::vector<std::uint8_t> valid =
        test::readFileBytes(test::dataPath("jpeg/valid/baseline_420_64x48.jpg"));
    const std::vector<std::uint8_t> cases[] = {
        {},
        {0xFF, 0xD8},
        std::vector<std::uint8_t>(valid.begin(), valid.begin() + 180), // inside the tables
        std::vector<std::uint8_t>(500, 0xA5),
        test::readFileBytes(test::dataPath("jpeg/invalid/bmp_renamed.jpg")),
        test::readFileBytes(test::dataPath("jpeg/invalid/sof_65500x65500.jpg")),
        test::readFileBytes(test::dataPath("jpeg/invalid/precision_12bit_16x16.jpg")),
    };
    for (const auto& data : cases) {
        SCOPED_TRACE(data.size());
        testing::internal::CaptureStderr();
        const DecodeResult result = decodeJpeg(data);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_FALSE(result);
        EXPECT_FALSE(result.error.empty());
        EXPECT_EQ(result.error.find('\n'), std::string::npos);
    }
}

TEST(JpegDecode, DataEndingMidScanGivesAPartialImageQuietly) {
    const std::vector<std::uint8_t> valid =
        test::readFileBytes(test::dataPath("jpeg/valid/baseline_444_64x48.jpg"));
    testing::internal::CaptureStderr();
    const DecodeResult result = decodeJpeg(std::span(valid).first(valid.size() - 100));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    ASSERT_TRUE(result) << result.error;
    EXPECT_EQ(result.image->pixel(8, 8), (Rgb{220, 30, 30}));
}

TEST(JpegDecode, ProgressiveFileWithThousandsOfScansIsRefused) {
    std::vector<std::uint8_t> data =
        test::readFileBytes(test::dataPath("jpeg/valid/progressive_grey_64x48.jpg"));
    ASSERT_EQ(data.back(), 0xD9);
    data.resize(data.size() - 2); // EOI goes back on after the extra scans
    const std::uint8_t dcScan[] = {0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00};
    for (int i = 0; i < 1200; ++i)
        data.insert(data.end(), std::begin(dcScan), std::end(dcScan));
    data.insert(data.end(), {0xFF, 0xD9});
    const DecodeResult result = decodeJpeg(data);
    EXPECT_FALSE(result);
    EXPECT_NE(result.error.find("scans"), std::string::npos) << result.error;
}

// Every valid corpus file, and a truncated one, pixel for pixel against djpeg's output.
TEST(JpegDecode, PixelsEqualDjpeg) {
    ASSERT_TRUE(haveTool("djpeg")) << "djpeg is missing: scripts/install-deps installs it";
    const test::ScratchFolder dir;
    std::vector<std::string> files = {"jpeg/invalid/trunc_half_scan.jpg"};
    for (const auto& entry : fs::directory_iterator(test::dataPath("jpeg/valid")))
        files.push_back("jpeg/valid/" + entry.path().filename().string());
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        const std::string out = dir.file("out.pnm");
        ASSERT_EQ(std::system(("djpeg -outfile " + out + " " + test::dataPath(file) +
                               " 2>/dev/null || test -s " + out)
                                  .c_str()),
                  0);
        const Pnm expected = readPnm(out);
        const DecodeResult result = decodeJpeg(test::readFileBytes(test::dataPath(file)));
        ASSERT_TRUE(result) << result.error;
        const Bitmap& image = *result.image;
        ASSERT_EQ(image.width(), expected.width);
        ASSERT_EQ(image.height(), expected.height);
        ASSERT_EQ(image.format(), expected.channels == 1 ? PixelFormat::Bit8 : PixelFormat::Bit24);
        int mismatches = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const std::uint8_t* e =
                    &expected.data[(static_cast<std::size_t>(y) * expected.width + x) *
                                   expected.channels];
                const Rgb p = image.pixel(x, y);
                const Rgb want =
                    expected.channels == 1 ? Rgb{e[0], e[0], e[0]} : Rgb{e[0], e[1], e[2]};
                mismatches += p != want;
            }
        EXPECT_EQ(mismatches, 0);
        fs::remove(out);
    }
}

} // namespace
} // namespace tavlo
