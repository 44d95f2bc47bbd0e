// The settings of the tone and colour operations, each range declared once for the dialogs, the
// batch tool and the tests.
#pragma once

#include "document/parameter_range.h"

#include <array>
#include <cstdint>

namespace tavlo {

// Tone curve: which channels it maps (0 all three, 1 red, 2 green, 3 blue), the inputs of the two
// movable breakpoints, and the output levels of all four.
inline constexpr ParameterRange kCurveChannel{"channel", 0, 3, 0};
inline constexpr ParameterRange kCurvePoint2{"P2", 1, 253, 64};
inline constexpr ParameterRange kCurvePoint3{"P3", 2, 254, 192};
inline constexpr ParameterRange kCurveLevel{"level", 0, 255, 0};
inline constexpr std::array<std::int32_t, 4> kIdentityCurveLevels{0, 64, 192, 255};

// Colour tone: an amount added to each channel.
inline constexpr ParameterRange kColourOffset{"offset", -128, 128, 0};
// Contrast and brightness, each −128 … 128 (bar position − 128).
inline constexpr ParameterRange kContrast{"contrast", -128, 128, 0};
inline constexpr ParameterRange kBrightness{"brightness", -128, 128, 0};
// Vividness amount k × 100 (bar position − 50).
inline constexpr ParameterRange kVividAmount{"vividness", -50, 50, 0};

// Channel order of the per-channel settings: red, green, blue.
enum ColourChannel { Red = 0, Green = 1, Blue = 2 };

struct ToneCurve {
    std::int32_t channel = kCurveChannel.defaultValue;
    // Inputs of P1 … P4; the first and the last stay 0 and 255.
    std::array<std::int32_t, 4> points{0, kCurvePoint2.defaultValue, kCurvePoint3.defaultValue,
                                       255};
    std::array<std::int32_t, 4> levels = kIdentityCurveLevels;
};

struct GammaParameters {
    // (γ − 1) × 100, the bar position − 50.
    static constexpr ParameterRange kAmount{"gamma", -50, 50, 0};
    std::int32_t amount = kAmount.defaultValue;
};

struct ContrastSettings {
    std::array<std::int32_t, 3> contrast{};   // red, green, blue
    std::array<std::int32_t, 3> brightness{}; // red, green, blue
};

} // namespace tavlo
