#include "document/constants_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cctype>
#include <climits>

namespace tavlo {
namespace {

struct ConstantsCase {
    const char* file;
    bool accepted;
    std::vector<std::int32_t> values;
};

constexpr bool Accept = true, Reject = false;
// Line-end variants and blanks around a number are accepted: people edit these files by hand.
constexpr bool Either = true;
constexpr std::int32_t Max = INT32_MAX, Min = INT32_MIN;

const ConstantsCase kCases[] = {
    {"identity.mtx", Accept, {0, 0, 0, 0, 1, 0, 0, 0, 0}},
    {"sharpen.mtx", Accept, {0, -1, 0, -1, 5, -1, 0, -1, 0}},
    {"box_blur.mtx", Accept, {1, 1, 1, 1, 1, 1, 1, 1, 1}},
    {"gauss.mtx", Accept, {1, 2, 1, 2, 4, 2, 1, 2, 1}},
    {"edge_sum0.mtx", Accept, {-1, -1, -1, -1, 8, -1, -1, -1, -1}},
    {"emboss.mtx", Accept, {-2, -1, 0, -1, 1, 1, 0, 1, 2}},
    {"all_zero.mtx", Accept, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {"int32_extremes.mtx", Accept, {Max, Min, 0, 1, -1, Max, Min, 100000, -100000}},
    {"ten_lines.mtx", Accept, {0, -1, 0, -1, 5, -1, 0, -1, 0}},
    {"lf_only.mtx", Either, {0, -1, 0, -1, 5, -1, 0, -1, 0}},
    {"no_final_crlf.mtx", Either, {1, 2, 1, 2, 4, 2, 1, 2, 1}},
    {"empty.mtx", Reject, {}},
    {"eight_lines.mtx", Reject, {}},
    {"decimal_point.mtx", Reject, {}},
    {"letters.mtx", Reject, {}},
    {"inner_space.mtx", Reject, {}},
    {"spaces_around.mtx", Either, {0, -1, 0, -1, 5, -1, 0, -1, 0}},
    {"blank_line.mtx", Reject, {}},
    {"huge_positive.mtx", Reject, {}},
    {"huge_negative.mtx", Reject, {}},
    {"huge_digits.mtx", Reject, {}},
    {"lone_minus.mtx", Reject, {}},
    {"cr_only.mtx", Either, {0, -1, 0, -1, 5, -1, 0, -1, 0}},
    {"default.tvl", Accept, {0, 64, 192, 0, 64, 192, 255}},
    {"red_boost.tvl", Accept, {1, 64, 192, 0, 96, 224, 255}},
    {"green_s_curve.tvl", Accept, {2, 80, 176, 0, 40, 216, 255}},
    {"blue_invert.tvl", Accept, {3, 64, 192, 255, 192, 64, 0}},
    {"extreme_points.tvl", Accept, {0, 1, 254, 10, 0, 255, 245}},
    {"eight_lines.tvl", Accept, {0, 64, 192, 0, 64, 192, 255}},
    {"out_of_dialog_range.tvl", Either, {7, 200, 100, -5, 300, 64, 1000}},
    {"p2_zero.tvl", Either, {0, 0, 192, 0, 64, 192, 255}},
    {"empty.tvl", Reject, {}},
    {"six_lines.tvl", Reject, {}},
    {"decimal_point.tvl", Reject, {}},
    {"letters.tvl", Reject, {}},
    {"lf_only.tvl", Either, {0, 64, 192, 0, 64, 192, 255}},
    {"inner_space.tvl", Reject, {}},
    {"huge.tvl", Reject, {}},
    {"int32_min.tvl", Either, {0, 64, 192, Min, 64, 192, Max}},
    {"blank_line.tvl", Reject, {}},
};

class ConstantsCorpus : public testing::TestWithParam<ConstantsCase> {};

TEST_P(ConstantsCorpus, LoadsAsExpected) {
    const ConstantsCase& c = GetParam();
    const std::string name = c.file;
    const std::size_t lines = name.ends_with(".mtx") ? kFilterFileLines : kToneCurveFileLines;
    std::string error;
    const auto values =
        parseConstantsFile(test::readFileBytes(test::dataPath("constants/" + name)), lines, error);
    if (!c.accepted) {
        EXPECT_FALSE(values.has_value());
        EXPECT_NE(error.find("line"), std::string::npos) << error;
        return;
    }
    ASSERT_TRUE(values.has_value()) << error;
    EXPECT_EQ(*values, c.values);
}

INSTANTIATE_TEST_SUITE_P(Constants, ConstantsCorpus, testing::ValuesIn(kCases),
                         [](const auto& info) {
                             std::string name = info.param.file;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

TEST(ConstantsFile, WritesOneValuePerLineWithCrLfAndReadsItBack) {
    const std::vector<std::int32_t> values = {0, 64, 192, 0, 64, 192, 255};
    const std::string text = formatConstantsFile(values);
    EXPECT_EQ(text, "0\r\n64\r\n192\r\n0\r\n64\r\n192\r\n255\r\n");
    std::string error;
    const auto again = parseConstantsFile(
        {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, 7, error);
    ASSERT_TRUE(again.has_value()) << error;
    EXPECT_EQ(*again, values);
}

TEST(ConstantsFile, SignsAreTakenOnlyOnce) {
    std::string error;
    for (const std::string text : {"+-5\r\n", "--5\r\n", "+\r\n"}) {
        EXPECT_FALSE(parseConstantsFile(
            {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, 1, error))
            << text;
    }
    const std::string plus = "+5\r\n";
    EXPECT_EQ(parseConstantsFile({reinterpret_cast<const std::uint8_t*>(plus.data()), plus.size()},
                                 1, error),
              (std::vector<std::int32_t>{5}));
}

} // namespace
} // namespace tavlo
