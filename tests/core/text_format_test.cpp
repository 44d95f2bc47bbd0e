#include "document/text_format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <stdexcept>
#include <tuple>
#include <vector>

namespace tavlo {
namespace {

struct FormatRow {
    const char* format;
    FormatArg arg;
    const char* expected;
};

long double f(float value) {
    return static_cast<long double>(value);
}
long double d(double value) {
    return static_cast<long double>(value);
}

TEST(FormatText, FormatsOneArgument) {
    using I = std::int64_t;
    const std::vector<FormatRow> rows = {
        // Integers: width pads with blanks, precision with zeros, "-" justifies left.
        {"%d", I{0}, "0"},
        {"%d", I{-42}, "-42"},
        {"%4d", I{2024}, "2024"},
        {"%4d", I{7}, "   7"},
        {"%-4d|", I{7}, "7   |"},
        {"%.2d", I{5}, "05"},
        {"%.2d", I{123}, "123"},
        {"%.4d", I{-5}, "-0005"},
        {"%6.3d", I{5}, "   005"},
        {"%d", std::numeric_limits<I>::min(), "-9223372036854775808"},
        {"%D", I{9}, "9"},
        // Hexadecimal, upper case; negatives as 32-bit two's complement.
        {"%x", I{255}, "FF"},
        {"%.4x", I{0xAB}, "00AB"},
        {"%x", I{-1}, "FFFFFFFF"},
        {"%x", I{0x123456789A}, "123456789A"},
        // Strings.
        {"[%s]", std::string_view("abc"), "[abc]"},
        {"[%5s]", std::string_view("ab"), "[   ab]"},
        {"[%-5s]", std::string_view("ab"), "[ab   ]"},
        {"[%4s]", std::string_view("色数"), "[  色数]"},
        {"[%.1s]", std::string_view("色数"), "[色]"},
        // Fixed, from integers and floating values; two decimals without a precision.
        {"%f", I{3}, "3.00"},
        {"%.0f", I{-7}, "-7"},
        {"%.3f", 1.5L, "1.500"},
        {"%.2f", -2.375L, "-2.38"},
        {"%8.2f", 3.14159L, "    3.14"},
        // Thousands separators at 3, 4 and 7 integer digits, with signs and decimals.
        {"%.n", I{999}, "999"},
        {"%.n", I{1000}, "1,000"},
        {"%.n", I{1234567}, "1,234,567"},
        {"%.0n", 1234567.0L, "1,234,567"},
        {"%.2n", -1234.5L, "-1,234.50"},
        {"%.n", I{-999999}, "-999,999"},
        {"%.n", 18446744073709551615.0L, "18,446,744,073,709,551,615"},
        {"%n", I{1000}, "1,000.00"},
        {"%.01n", 2.25L, "2.3"},
        {"%.5n", f(1.33200f), "1.33200"},
        {"%.5n", f(333.0f / 250.0f), "1.33200"},
        {"%.4n", f(4.0f / 3.0f), "1.3333"},
        {"[%-8.5n]", f(1.332f), "[1.33200 ]"},
        {"[%10.1n]", 12345.0L, "[  12,345.0]"},
        // Halves go away from zero, judged on the exact binary value.
        {"%.2f", 0.125L, "0.13"},
        {"%.2f", -0.125L, "-0.13"},
        {"%.n", 0.5L, "1"},
        {"%.n", 1.5L, "2"},
        {"%.n", 2.5L, "3"},
        {"%.0f", -2.5L, "-3"},
        {"%.n", 0.49999999999999999L, "0"},
        {"%.2f", f(0.145f), "0.14"},     // 0.144999995827…
        {"%.2f", d(0.135), "0.14"},      // 0.135000000000000008881…
        {"%.2f", d(0.145), "0.14"},      // 0.144999999999999990007…
        {"%.4f", f(1.00005f), "1.0000"}, // 1.000049948692…
        {"%.9f", f(1.00005f), "1.000049949"},
        // Carries into a new digit, and results that show as zero have no sign.
        {"%.2f", d(999.995), "1000.00"}, // 999.995000000000004547…
        {"%.2n", 999999.996L, "1,000,000.00"},
        {"%.n", 999.5L, "1,000"},
        {"%.2f", -0.0001L, "0.00"},
        {"%.2f", -0.0L, "0.00"},
        {"%.n", -0.4L, "0"},
        {"%.2f", -d(0.005), "-0.01"}, // 0.005000000000000000104…
        {"%.2f", -0.0078125L, "-0.01"},
        // Tiny and huge magnitudes.
        {"%.3f", 1e-300L, "0.000"},
        {"%.0f", 1e20L, "100000000000000000000"},
        {"%.2f", std::numeric_limits<long double>::denorm_min(), "0.00"},
        {"[%5.2n]", -std::numeric_limits<long double>::infinity(), "[ -INF]"},
        {"%.2f", std::numeric_limits<long double>::quiet_NaN(), "NAN"},
        // Percent signs.
        {"100%%", I{0}, "100%"},
    };
    for (const FormatRow& row : rows) {
        EXPECT_EQ(formatText(row.format, {row.arg}), row.expected) << "format " << row.format;
    }
}

TEST(FormatText, CombinesDirectivesAndLiterals) {
    EXPECT_EQ(formatText("%4d/%.2d/%.2d(%s)", {std::int64_t{2024}, std::int64_t{3}, std::int64_t{9},
                                               std::string_view("土")}),
              "2024/03/09(土)");
    EXPECT_EQ(formatText("no directives", {}), "no directives");
    EXPECT_EQ(formatText("%d", {std::int64_t{1}, std::int64_t{2}}), "1"); // extras ignored
}

TEST(FormatText, RefusesBadDirectivesAndArguments) {
    using I = std::int64_t;
    const std::vector<std::pair<const char*, std::optional<FormatArg>>> rows = {
        {"%q", I{1}},
        {"%e", 1.0L},
        {"%*d", I{1}},
        {"abc%", I{1}},
        {"%5", I{1}},
        {"%99999d", I{1}},
        {"%d", std::nullopt},
        {"%d %d", I{1}},
        {"%d", 1.0L},
        {"%x", std::string_view("1")},
        {"%s", I{1}},
        {"%f", std::string_view("1.0")},
        {"%.n", std::string_view("1")},
    };
    for (const auto& [format, arg] : rows) {
        if (arg)
            EXPECT_THROW(formatText(format, {*arg}), std::invalid_argument) << format;
        else
            EXPECT_THROW(formatText(format, {}), std::invalid_argument) << format;
    }
}

TEST(NumberRounding, RoundsHalvesToEvenAndTruncatesTowardZero) {
    const std::vector<std::tuple<long double, std::int64_t, std::int64_t>> rows = {
        // value, roundHalfEven, truncToward0
        {0.5L, 0, 0},    {1.5L, 2, 1},
        {2.5L, 2, 2},    {-0.5L, 0, 0},
        {-1.5L, -2, -1}, {-2.5L, -2, -2},
        {2.4999L, 2, 2}, {2.5001L, 3, 2},
        {-2.7L, -3, -2}, {1e18L, 1000000000000000000, 1000000000000000000},
    };
    for (const auto& [value, rounded, truncated] : rows) {
        EXPECT_EQ(roundHalfEven(value), rounded) << static_cast<double>(value);
        EXPECT_EQ(truncToward0(value), truncated) << static_cast<double>(value);
    }
    EXPECT_THROW(roundHalfEven(1e19L), std::out_of_range);
    EXPECT_THROW(truncToward0(std::numeric_limits<long double>::quiet_NaN()), std::out_of_range);
}

} // namespace
} // namespace tavlo
