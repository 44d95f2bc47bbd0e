// The tone-curve constants file and the batch tool's tone arguments.
#include "../core/test_support.h"
#include "document/constants_file.h"
#include "operations/tone_operations.h"
#include "tone/tone_entries.h"
#include "tone/tone_curve_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace tavlo {
namespace {

namespace fs = std::filesystem;

class ToneCurveFile : public ::testing::Test {
  protected:
    test::ScratchFolder scratch_;
    const fs::path folder_ = scratch_.path();
};

TEST_F(ToneCurveFile, DefaultCurveIsSevenCrLfLinesAndReadsBack) {
    const fs::path path = folder_ / "curve.tvl";
    std::string error;
    ASSERT_TRUE(writeToneCurveFile(path, ToneCurve{}, error)) << error;
    const auto bytes = test::readFileBytes(path.string());
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
              "0\r\n64\r\n192\r\n0\r\n64\r\n192\r\n255\r\n");

    ToneCurve odd;
    odd.channel = 7;
    odd.points = {0, -3, 300, 255};
    odd.levels = {-5, 1000, 64, 2147483647};
    ASSERT_TRUE(writeToneCurveFile(path, odd, error)) << error;
    ToneCurve back;
    ASSERT_TRUE(readToneCurveFile(path, back, error)) << error;
    EXPECT_EQ(back.channel, 7);
    EXPECT_EQ(back.points, odd.points);
    EXPECT_EQ(back.levels, odd.levels);
}

// A file that fails anywhere leaves every value as it was, not the lines before the fault.
TEST_F(ToneCurveFile, FaultyFilesChangeNothing) {
    const char* faulty[] = {"letters.tvl",     "six_lines.tvl",    "empty.tvl",
                            "p2_zero.tvl",     "huge.tvl",         "blank_line.tvl",
                            "inner_space.tvl", "decimal_point.tvl"};
    for (const char* name : faulty) {
        ToneCurve curve;
        curve.channel = 2;
        curve.levels = {1, 2, 3, 4};
        std::string error;
        EXPECT_FALSE(
            readToneCurveFile(test::dataPath(std::string("constants/") + name), curve, error))
            << name;
        EXPECT_FALSE(error.empty()) << name;
        EXPECT_EQ(curve.channel, 2) << name;
        EXPECT_EQ(curve.points, (ToneCurve{}.points)) << name;
        EXPECT_EQ(curve.levels, (std::array<std::int32_t, 4>{1, 2, 3, 4})) << name;
    }
    std::string error;
    ToneCurve curve;
    EXPECT_FALSE(readToneCurveFile(folder_ / "missing.tvl", curve, error));
}

TEST_F(ToneCurveFile, GoodFilesInEveryLineEnding) {
    struct Row {
        const char* name;
        ToneCurve expected;
    };
    const Row rows[] = {
        {"default.tvl", ToneCurve{}},
        {"lf_only.tvl", ToneCurve{}},
        {"eight_lines.tvl", ToneCurve{}},
        {"blue_invert.tvl", ToneCurve{3, {0, 64, 192, 255}, {255, 192, 64, 0}}},
        {"out_of_dialog_range.tvl", ToneCurve{7, {0, 200, 100, 255}, {-5, 300, 64, 1000}}},
    };
    for (const Row& row : rows) {
        ToneCurve curve;
        std::string error;
        ASSERT_TRUE(
            readToneCurveFile(test::dataPath(std::string("constants/") + row.name), curve, error))
            << row.name << ": " << error;
        EXPECT_EQ(curve.channel, row.expected.channel) << row.name;
        EXPECT_EQ(curve.points, row.expected.points) << row.name;
        EXPECT_EQ(curve.levels, row.expected.levels) << row.name;
    }
}

TEST(ToneCurveFileName, ExtensionRule) {
    const std::pair<const char*, const char*> rows[] = {
        {"curve", "curve.tvl"},
        {"curve.txt", "curve.txt.tvl"},
        {"curve.TVL", "curve.TVL"},
        {"curve.Tvl", "curve.Tvl"},
        {"curve.", "curve.tvl"},
        {"dir.tvl/curve", "dir.tvl/curve.tvl"},
        {"/a/b.c/curve.tvl.bak", "/a/b.c/curve.tvl.bak.tvl"},
    };
    for (const auto& [in, out] : rows)
        EXPECT_EQ(withExtension(in, kToneCurveExtension), out) << in;
}

TEST(ToneCurveArgument, NumbersWithinTheDialogLimits) {
    const ToneCurve curve = parseToneCurve("1,100,101,10,20,30,40");
    EXPECT_EQ(curve.channel, 1);
    EXPECT_EQ(curve.points, (std::array<std::int32_t, 4>{0, 100, 101, 255}));
    EXPECT_EQ(curve.levels, (std::array<std::int32_t, 4>{10, 20, 30, 40}));
    const char* refused[] = {
        "4,64,192,0,64,192,255", "0,0,192,0,64,192,255",
        "0,64,255,0,64,192,255", "0,100,100,0,64,192,255",
        "0,64,192,0,64,192,256", "0,64,192,-1,64,192,255",
        "0,64,192,0,64,192",     "0,64,192,0,64,192,255,1",
        "0,64,192,0,x,192,255",  "0,64,192,0,,192,255",
        "missing.tvl",
    };
    for (const char* argument : refused)
        EXPECT_THROW(parseToneCurve(argument), OperationArgumentError) << argument;
}

TEST(ToneCurveArgument, FileName) {
    const ToneCurve curve = parseToneCurve(test::dataPath("constants/blue_invert.tvl"));
    EXPECT_EQ(curve.channel, 3);
    EXPECT_THROW(parseToneCurve(test::dataPath("constants/p2_zero.tvl")),
                 OperationArgumentError);
}

TEST(ToneOperations, ArgumentsOutsideTheirRanges) {
    struct Row {
        const char* name;
        const char* argument;
    };
    const Row refused[] = {
        {"tone", "129,0,0"},    {"tone", "0,-129,0"},  {"tone", "1,2"},   {"tone", "1,2,3,4"},
        {"contrast", "-129,0"}, {"contrast", "0,129"}, {"contrast", "5"}, {"vivid", "51"},
        {"vivid", "-51"},       {"vivid", ""},         {"gamma", "50.5"}, {"gamma", "-51"},
    };
    for (const Row& row : refused) {
        Document document;
        document.workImage = Bitmap(2, 2, PixelFormat::Bit24);
        EXPECT_THROW(findOperation(row.name)->run(document, row.argument), OperationArgumentError)
            << row.name << ":" << row.argument;
    }
    Document document;
    document.workImage = Bitmap(2, 2, PixelFormat::Bit24);
    for (const char* ok : {"tone:-128,0,128", "contrast:128,-128", "vivid:-50", "gamma:50",
                           "curve:0,1,254,0,0,255,255"}) {
        const std::string_view call(ok);
        const auto colon = call.find(':');
        EXPECT_EQ(findOperation(call.substr(0, colon))->run(document, call.substr(colon + 1)),
                  OperationStatus::Done)
            << ok;
    }
}

} // namespace
} // namespace tavlo
