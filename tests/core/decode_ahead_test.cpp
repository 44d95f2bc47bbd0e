// Decoding reduced, stopping a decode, and the decodes made ahead of a load.
#include "document/decode_ahead.h"
#include "document/jpeg_codec.h"
#include "document/photo_source.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <turbojpeg.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <fstream>
#include <mutex>
#include <thread>

namespace tavlo {
namespace {

std::vector<std::uint8_t> turboScaled(const std::vector<std::uint8_t>& file, int denominator,
                                      int& width, int& height) {
    tjhandle handle = tjInitDecompress();
    int subsampling = 0, colourspace = 0;
    tjDecompressHeader3(handle, file.data(), file.size(), &width, &height, &subsampling,
                        &colourspace);
    width = TJSCALED(width, (tjscalingfactor{1, denominator}));
    height = TJSCALED(height, (tjscalingfactor{1, denominator}));
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 3);
    EXPECT_EQ(tjDecompress2(handle, file.data(), file.size(), pixels.data(), width, width * 3,
                            height, TJPF_BGR, 0),
              0);
    tjDestroy(handle);
    return pixels;
}

// Each reduction is libjpeg's own reduced decode, row for row, for every sampling and coding.
TEST(ReducedDecode, IsTheLibrarysScaledDecode) {
    for (const char* name :
         {"baseline_420_64x48.jpg", "baseline_422_64x48.jpg", "baseline_444_64x48.jpg",
          "progressive_420_64x48.jpg", "odd_17x13_420.jpg", "restart_rows_420_64x48.jpg"})
        for (const int denominator : {2, 4, 8}) {
            SCOPED_TRACE(std::string(name) + " / " + std::to_string(denominator));
            const auto file =
                test::readFileBytes(test::dataPath(std::string("jpeg/valid/") + name));
            int width = 0, height = 0;
            const auto expected = turboScaled(file, denominator, width, height);
            const DecodeResult reduced = decodeJpeg(file, nullptr, {denominator, nullptr});
            ASSERT_TRUE(reduced);
            ASSERT_EQ(reduced.image->width(), width);
            ASSERT_EQ(reduced.image->height(), height);
            for (int y = 0; y < height; ++y)
                ASSERT_EQ(std::memcmp(reduced.image->row(y), expected.data() + y * width * 3,
                                      static_cast<std::size_t>(width) * 3),
                          0)
                    << "row " << y;
        }
}

// The top rows are the whole decode's, for every colour space and coding.
TEST(TopRowsDecode, AreTheWholeDecodesTopRows) {
    for (const char* name : {"baseline_420_64x48.jpg", "progressive_420_64x48.jpg",
                             "cmyk_adobe_64x48.jpg", "grey_64x48.jpg", "odd_17x13_422_restart.jpg"})
        for (const int rows : {1, 7, 16, 17, 1000}) {
            SCOPED_TRACE(std::string(name) + " / " + std::to_string(rows));
            const auto file =
                test::readFileBytes(test::dataPath(std::string("jpeg/valid/") + name));
            const DecodeResult whole = decodeJpeg(file);
            const DecodeResult top = decodeJpeg(file, nullptr, {1, nullptr, rows});
            ASSERT_TRUE(whole && top);
            ASSERT_EQ(top.image->height(), std::min(rows, whole.image->height()));
            ASSERT_EQ(top.image->format(), whole.image->format());
            for (int y = 0; y < top.image->height(); ++y)
                ASSERT_EQ(
                    std::memcmp(top.image->row(y), whole.image->row(y), whole.image->stride()), 0)
                    << "row " << y;
        }
}

TEST(ReducedDecode, ChoosesTheSmallestReductionThatFillsTheView) {
    struct Row {
        int width, height, needWidth, needHeight, reduction;
    } rows[] = {
        {6000, 4000, 6000, 4000, 1}, {6000, 4000, 3000, 2000, 2}, {6000, 4000, 3001, 10, 1},
        {6000, 4000, 1500, 1000, 4}, {6000, 4000, 750, 500, 8},   {6000, 4000, 100, 100, 8},
        {6001, 4001, 751, 501, 8},   {6001, 4001, 752, 10, 4},    {17, 13, 3, 2, 8},
    };
    for (const Row& row : rows)
        EXPECT_EQ(scaleDenominatorFor(row.width, row.height, row.needWidth, row.needHeight),
                  row.reduction)
            << row.width << "x" << row.height << " for " << row.needWidth << "x" << row.needHeight;
}

TEST(StoppedDecode, GivesUpWithoutBlamingTheFile) {
    const auto file = test::readFileBytes(test::dataPath("jpeg/valid/progressive_420_64x48.jpg"));
    for (const int denominator : {1, 4}) {
        const std::atomic<bool> stop{true}, goOn{false};
        const DecodeResult stopped = decodeJpeg(file, nullptr, {denominator, &stop});
        EXPECT_FALSE(stopped);
        EXPECT_TRUE(stopped.stopped);
        const DecodeResult whole = decodeJpeg(file, nullptr, {denominator, &goOn});
        EXPECT_TRUE(whole);
        EXPECT_FALSE(whole.stopped);
    }
    EXPECT_FALSE(decodeJpeg(std::span(file).first(100)).stopped);
}

void copyFile(const std::string& from, const std::string& to) {
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
}

// What was decoded ahead is what a decode now gives; a file changed since, or a decode that
// failed, is not handed out; every finished decode is announced.
TEST(DecodeAhead, HandsOutOnlyWhatAFreshDecodeWouldGive) {
    const test::ScratchFolder folder;
    const std::string a = folder.file("A.JPG"), b = folder.file("B.JPG"),
                      broken = folder.file("C.JPG");
    copyFile(test::dataPath("jpeg/valid/baseline_420_64x48.jpg"), a);
    copyFile(test::dataPath("jpeg/valid/grey_64x48.jpg"), b);
    std::ofstream(broken) << "not a JPEG";
    std::mutex mutex;
    std::vector<DecodeWanted> announced;
    {
        DecodeAhead ahead([&](const DecodeWanted& decoded) {
            const std::scoped_lock lock(mutex);
            announced.push_back(decoded);
        });
        ahead.want({{a}, {b, 4}, {broken}}, true);
        const auto announcedCount = [&] {
            const std::scoped_lock lock(mutex);
            return announced.size();
        };
        for (int i = 0; i < 500 && announcedCount() < 3; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_EQ(announcedCount(), 3u);

        EXPECT_FALSE(ahead.take({a}, false, true)) << "decoded with another upright setting";
        auto taken = ahead.take({a}, true, true);
        ASSERT_TRUE(taken);
        const DecodedFile fresh = decodeImageFile(a, true);
        const Bitmap &got = *taken->decoded.image, &want = *fresh.decoded.image;
        ASSERT_EQ(got.width(), want.width());
        ASSERT_EQ(got.height(), want.height());
        for (int y = 0; y < want.height(); ++y)
            ASSERT_EQ(std::memcmp(got.row(y), want.row(y), want.stride()), 0) << "row " << y;
        EXPECT_FALSE(ahead.take({a}, true, false)) << "taken once only";
        EXPECT_FALSE(ahead.take({broken}, true, true));
        EXPECT_FALSE(ahead.take({b}, true, true)) << "only its quick look was wanted";

        copyFile(test::dataPath("jpeg/valid/baseline_444_64x48.jpg"), b);
        std::filesystem::last_write_time(b, std::filesystem::last_write_time(b) +
                                                std::chrono::seconds(5));
        EXPECT_FALSE(ahead.take({b, 4}, true, true)) << "the file changed after its decode";
    }
    EXPECT_EQ(announced.front(), (DecodeWanted{a}));
}

} // namespace
} // namespace tavlo
