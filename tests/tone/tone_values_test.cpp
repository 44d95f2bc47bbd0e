// The channel arithmetic of each tone operation against worked examples, ties included.
#include "../core/test_support.h"
#include "tone/contrast.h"
#include "tone/gamma.h"
#include "tone/tone_curve.h"
#include "tone/vividness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace tavlo {
namespace {

ToneCurve curveWith(std::array<std::int32_t, 4> levels, int p2 = 64, int p3 = 192,
                    int channel = 0) {
    ToneCurve curve;
    curve.channel = channel;
    curve.points = {0, p2, p3, 255};
    curve.levels = levels;
    return curve;
}

TEST(ToneCurveValue, WholeCurvesOverEveryInput) {
    for (int v = 0; v < 256; ++v) {
        EXPECT_EQ(toneCurveValue(ToneCurve{}, v), v) << "identity at " << v;
        EXPECT_EQ(toneCurveValue(curveWith({255, 191, 63, 0}), v), 255 - v) << "negative at " << v;
    }
}

TEST(ToneCurveValue, SegmentsAndRounding) {
    struct Row {
        ToneCurve curve;
        int in, out;
    };
    const ToneCurve stretched = curveWith({0, 128, 192, 255});
    const ToneCurve steep = curveWith({0, 255, 255, 255}, 1, 2);
    const ToneCurve beyond = curveWith({-300, 400, 192, 255}); // levels a loaded file may hold
    const Row rows[] = {
        {stretched, 0, 0},     {stretched, 1, 2},     {stretched, 32, 64},   {stretched, 64, 128},
        {stretched, 65, 129}, // 128.5 goes up
        {stretched, 191, 192}, {stretched, 192, 192}, {stretched, 255, 255}, {steep, 1, 255},
        {steep, 3, 255},       {beyond, 0, 0},        {beyond, 40, 138},     {beyond, 64, 255},
    };
    for (const Row& row : rows)
        EXPECT_EQ(toneCurveValue(row.curve, row.in), row.out) << "input " << row.in;
}

TEST(ContrastValue, WorkedExamplesAndTies) {
    struct Row {
        int contrast, brightness, in, out;
    };
    const Row rows[] = {
        {0, 50, 0, 50},        {0, 10, 250, 255},    {0, -20, 10, 0},   {-128, 0, 0, 128},
        {-128, 128, 255, 128}, {-128, -128, 7, 128}, {128, 0, 64, 0},   {128, 0, 100, 72},
        {128, 0, 128, 128},    {128, 0, 200, 255},   {-64, 0, 1, 64},   {-64, 0, 3, 66},
        {-64, 0, 5, 66},       {-64, 1, 0, 64},      {32, 0, 126, 126}, {32, 0, 130, 130},
        {32, 0, 134, 136},     {32, 0, 138, 140},
    };
    for (const Row& row : rows)
        EXPECT_EQ(contrastValue(row.in, row.contrast, row.brightness), row.out)
            << "c " << row.contrast << " b " << row.brightness << " v " << row.in;
    for (int c = -128; c <= 128; ++c)
        EXPECT_EQ(contrastValue(128, c, 0), 128) << "grey 128 at contrast " << c;
}

TEST(GammaValue, SampleTable) {
    const int inputs[] = {1, 16, 64, 128, 192, 254};
    struct Row {
        int bar;
        std::array<int, 6> out;
    };
    const Row rows[] = {
        {0, {0, 1, 16, 64, 145, 253}},      {25, {0, 6, 40, 102, 175, 254}},
        {50, {1, 16, 64, 128, 192, 254}},   {75, {3, 28, 84, 147, 203, 254}},
        {100, {6, 40, 101, 161, 211, 254}},
    };
    for (const Row& row : rows) {
        const float gamma = gammaValue(row.bar - 50);
        for (std::size_t i = 0; i < 6; ++i)
            EXPECT_EQ(gammaCorrected(inputs[i], gamma), row.out[i])
                << "bar " << row.bar << " input " << inputs[i];
    }
}

TEST(GammaValue, EndsFixedAndIdentityAtOne) {
    EXPECT_EQ(gammaValue(0), 1.0f);
    EXPECT_EQ(gammaValue(-50), 0.5f);
    for (int amount = -50; amount <= 50; ++amount) {
        EXPECT_EQ(gammaCorrected(0, gammaValue(amount)), 0);
        EXPECT_EQ(gammaCorrected(255, gammaValue(amount)), 255);
    }
    for (int v = 0; v < 256; ++v)
        EXPECT_EQ(gammaCorrected(v, gammaValue(0)), v);
}

// The arithmetic as it reads, in extended precision, rounded to single once.
std::uint8_t vividAsWritten(float k, int own, int other1, int other2) {
    const long double kk = k, f = 1 + kk + kk;
    const float sum = static_cast<float>(f * own - kk * other1 - kk * other2);
    const long double r = std::trunc(sum + 0.5L);
    return static_cast<std::uint8_t>(std::clamp(r, 0.0L, 255.0L));
}

Bitmap row24(const std::vector<Rgb>& colours) {
    Bitmap bitmap(static_cast<int>(colours.size()), 1, PixelFormat::Bit24);
    for (std::size_t x = 0; x < colours.size(); ++x) {
        bitmap.row(0)[3 * x] = colours[x].b;
        bitmap.row(0)[3 * x + 1] = colours[x].g;
        bitmap.row(0)[3 * x + 2] = colours[x].r;
    }
    return bitmap;
}

TEST(Vividness, SampleTable) {
    struct Row {
        int bar;
        Rgb in, out;
    };
    const Row rows[] = {
        {0, {200, 100, 50}, {75, 125, 150}},
        {0, {255, 0, 0}, {0, 128, 128}},
        {33, {255, 0, 0}, {168, 43, 43}},
        {50, {200, 100, 50}, {200, 100, 50}},
        {75, {200, 100, 50}, {255, 88, 0}},
        {75, {255, 0, 0}, {255, 0, 0}},
        {100, {200, 100, 50}, {255, 75, 0}},
        {100, {255, 0, 0}, {255, 0, 0}},
        // k = 0.01 in single precision is just below 0.01: 25.4999999888 rounds to the single
        // 25.5 before 0.5 is added, so red goes up to 26.
        {51, {25, 0, 0}, {26, 0, 0}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(vividBitmap(row24({row.in}), row.bar - 50)->pixel(0, 0), row.out)
            << "bar " << row.bar;
}

// Every amount over pixels that reach both clamps, greys and small differences, in rows wider
// and narrower than a vector, on every instruction set.
TEST(Vividness, KernelMatchesTheArithmeticAsWritten) {
    test::onEveryInstructionSet([](const char* instructions) {
        for (const int width : {61, 5}) {
            const Bitmap pattern = test::patternBitmap(width, 17, PixelFormat::Bit24);
            for (int amount = -50; amount <= 50; ++amount) {
                const Bitmap result = *vividBitmap(pattern, amount);
                const float k = vividFactor(amount);
                for (int y = 0; y < pattern.height(); ++y)
                    for (int x = 0; x < pattern.width(); ++x) {
                        const auto [r, g, b] = pattern.pixel(x, y);
                        const Rgb expected{vividAsWritten(k, r, g, b), vividAsWritten(k, g, r, b),
                                           vividAsWritten(k, b, r, g)};
                        ASSERT_EQ(result.pixel(x, y), expected)
                            << instructions << ", amount " << amount << " at " << x << "," << y
                            << " of " << width;
                    }
            }
        }
    });
}

TEST(Vividness, GreyStaysAtEveryAmount) {
    std::vector<Rgb> greys;
    for (int v = 0; v < 256; ++v)
        greys.push_back({static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v),
                         static_cast<std::uint8_t>(v)});
    const Bitmap ramp = row24(greys);
    for (int amount = -50; amount <= 50; ++amount)
        EXPECT_TRUE(test::samePixels(*vividBitmap(ramp, amount), ramp)) << amount;
}

} // namespace
} // namespace tavlo
