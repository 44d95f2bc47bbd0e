// The per-pixel tone passes over every 24-bit colour on every instruction set the kernels were
// built for, against the arithmetic one value at a time. The sanitizer build takes every 61st
// colour, which still reaches every channel value.
#include "../core/test_support.h"
#include "tone/colour_tone.h"
#include "tone/contrast.h"
#include "tone/gamma.h"
#include "tone/tone_curve.h"
#include "tone/vividness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <vector>

namespace tavlo {
namespace {

#ifdef TAVLO_SANITIZED
constexpr int kColourStep = 61;
#else
constexpr int kColourStep = 1;
#endif

const Bitmap& everyColour() {
    static const Bitmap image = test::everyColourImage(kColourStep);
    return image;
}

using Expect = std::function<void(std::uint32_t colour, std::uint8_t out[3])>;

// What each pixel of everyColour() should become, computed once for all instruction sets.
Bitmap expectedImage(const Expect& expect) {
    const Bitmap& source = everyColour();
    Bitmap want = Bitmap::uninitialised(source.width(), source.height(), PixelFormat::Bit24);
    for (int y = 0; y < want.height(); ++y) {
        std::uint8_t* pixel = want.row(y);
        for (int x = 0; x < want.width(); ++x, pixel += 3)
            expect(test::everyColourAt(std::size_t(y) * 4096 + x, kColourStep), pixel);
    }
    return want;
}

// Counts the pixels of `result` that differ from `want`, reporting the first.
int mismatches(const Bitmap& result, const Bitmap& want, const char* what) {
    int count = 0;
    for (int y = 0; y < result.height(); ++y) {
        const std::uint8_t* got = result.row(y);
        const std::uint8_t* expected = want.row(y);
        if (std::equal(got, got + 3 * 4096, expected)) continue;
        for (int x = 0; x < result.width(); ++x)
            if (!std::equal(got + 3 * x, got + 3 * x + 3, expected + 3 * x) && count++ == 0)
                ADD_FAILURE() << what << ": colour " << std::hex
                              << test::everyColourAt(std::size_t(y) * 4096 + x, kColourStep)
                              << std::dec << " gives " << int(got[3 * x + 2]) << ","
                              << int(got[3 * x + 1]) << "," << int(got[3 * x]) << " not "
                              << int(expected[3 * x + 2]) << "," << int(expected[3 * x + 1]) << ","
                              << int(expected[3 * x]);
    }
    return count;
}

// own + k × (2 × own − other1 − other2) exactly (f × own − k × others, f = 1 + 2k), rounded to
// single, + 0.5 truncated toward zero in exact arithmetic, clamped: a table over own and the sum
// of the other two channels.
std::vector<std::uint8_t> vividTable(std::int32_t amount) {
    const long double k = vividFactor(amount), f = 1 + k + k;
    std::vector<std::uint8_t> table(256 * 511);
    for (int own = 0; own < 256; ++own)
        for (int others = 0; others <= 510; ++others) {
            const float sum = static_cast<float>(f * own - k * others);
            const long double level = std::trunc(static_cast<long double>(sum) + 0.5L);
            table[std::size_t(own) * 511 + others] =
                static_cast<std::uint8_t>(std::clamp(level, 0.0L, 255.0L));
        }
    return table;
}

TEST(EveryColour, VividnessAtEveryAmount) {
    for (std::int32_t amount = -50; amount <= 50; ++amount) {
        const std::vector<std::uint8_t> table = vividTable(amount);
        const Expect expect = [&](std::uint32_t colour, std::uint8_t out[3]) {
            const int b = colour & 255, g = (colour >> 8) & 255, r = colour >> 16;
            out[0] = table[std::size_t(b) * 511 + g + r];
            out[1] = table[std::size_t(g) * 511 + b + r];
            out[2] = table[std::size_t(r) * 511 + b + g];
        };
        const Bitmap want = expectedImage(expect);
        test::onEveryInstructionSet([&](const char* instructions) {
            SCOPED_TRACE(testing::Message() << instructions << ", amount " << amount);
            ASSERT_EQ(mismatches(*vividBitmap(everyColour(), amount), want, "vividness"), 0);
        });
    }
}

// A table operation maps each channel by itself: the expected pixel is the per-value rule of
// each channel, tabulated first since a rule may be slow.
Expect perChannel(const std::array<std::function<int(int)>, 3>& blueGreenRed) {
    std::array<std::array<std::uint8_t, 256>, 3> tables{};
    for (int c = 0; c < 3; ++c)
        for (int v = 0; v < 256; ++v)
            tables[c][v] = static_cast<std::uint8_t>(blueGreenRed[c](v));
    return [tables](std::uint32_t colour, std::uint8_t out[3]) {
        for (int c = 0; c < 3; ++c)
            out[c] = tables[c][(colour >> (8 * c)) & 255];
    };
}

TEST(EveryColour, GammaAtEveryAmount) {
    for (std::int32_t amount = -50; amount <= 50; ++amount) {
        const float gamma = gammaValue(amount);
        const auto rule = [gamma](int v) { return gammaCorrected(v, gamma); };
        const Bitmap want = expectedImage(perChannel({rule, rule, rule}));
        test::onEveryInstructionSet([&](const char* instructions) {
            SCOPED_TRACE(testing::Message() << instructions << ", amount " << amount);
            ASSERT_EQ(mismatches(*gammaBitmap(everyColour(), amount), want, "gamma"), 0);
        });
    }
}

// Contrast in closed form: clamp(round-half-even((v + b) × (128 + c) / 128) − c).
int contrastAsWritten(int v, int c, int b) {
    const long double p = static_cast<long double>((v + b) * (128 + c)) / 128;
    return std::clamp(static_cast<int>(std::nearbyint(p)) - c, 0, 255);
}

// Every contrast and brightness builds the table the closed form gives.
TEST(EveryColour, ContrastTableAtEveryValue) {
    int wrong = 0;
    for (int c = ContrastParameters::kContrast.minimum; c <= ContrastParameters::kContrast.maximum;
         ++c)
        for (int b = ContrastParameters::kBrightness.minimum;
             b <= ContrastParameters::kBrightness.maximum; ++b)
            for (int v = 0; v < 256; ++v)
                if (contrastValue(v, c, b) != contrastAsWritten(v, c, b) && wrong++ < 5)
                    ADD_FAILURE() << "c " << c << " b " << b << " v " << v;
    EXPECT_EQ(wrong, 0);
}

// The shared table pass over every colour, with different tables per channel.
TEST(EveryColour, TablePassesOnEveryInstructionSet) {
    ContrastSettings contrast;
    contrast.contrast = {-128, 37, 128};
    contrast.brightness = {5, -77, 0};
    ToneCurve curve;
    curve.channel = 2;
    curve.points = {0, 3, 250, 255};
    curve.levels = {255, 10, 200, 0};
    const auto keep = [](int v) { return v; };
    const auto curveRule = [&](int v) { return toneCurveValue(curve, v); };
    const auto contrastRule = [&](int channel) {
        return [&, channel](int v) {
            return contrastAsWritten(v, contrast.contrast[channel], contrast.brightness[channel]);
        };
    };
    const auto offsetRule = [](int offset) {
        return [offset](int v) { return std::clamp(v + offset, 0, 255); };
    };
    const Bitmap contrastWant =
        expectedImage(perChannel({contrastRule(Blue), contrastRule(Green), contrastRule(Red)}));
    const Bitmap curveWant = expectedImage(perChannel({keep, curveRule, keep}));
    const Bitmap toneWant =
        expectedImage(perChannel({offsetRule(128), offsetRule(3), offsetRule(-128)}));
    test::onEveryInstructionSet([&](const char* instructions) {
        SCOPED_TRACE(instructions);
        EXPECT_EQ(mismatches(*contrastBitmap(everyColour(), contrast), contrastWant, "contrast"),
                  0);
        EXPECT_EQ(mismatches(*toneCurveBitmap(everyColour(), curve), curveWant, "tone curve"), 0);
        EXPECT_EQ(
            mismatches(*colourToneBitmap(everyColour(), {-128, 3, 128}), toneWant, "colour tone"),
            0);
    });
}

} // namespace
} // namespace tavlo
