// The parameters of the tone and colour operations, each range declared once, next to its field,
// for the dialogs, the batch tool and the tests.
#pragma once

#include "document/parameter_range.h"

#include <array>
#include <cstdint>

namespace tavlo {

// Channel order of the per-channel settings: red, green, blue.
enum ColourChannel { Red = 0, Green = 1, Blue = 2 };

// Tone curve: which channels it maps (0 all three, 1 red, 2 green, 3 blue), the inputs of the two
// movable breakpoints, and the output levels of all four.
struct ToneCurve {
    static constexpr ParameterRange kChannel{"channel", 0, 3, 0};
    static constexpr ParameterRange kPoint2{"P2", 1, 253, 64};
    static constexpr ParameterRange kPoint3{"P3", 2, 254, 192};
    static constexpr ParameterRange kLevel{"level", 0, 255, 0};
    static constexpr std::array<std::int32_t, 4> kIdentityLevels{0, 64, 192, 255};

    std::int32_t channel = kChannel.defaultValue;
    // Inputs of P1 … P4; the first and the last stay 0 and 255.
    std::array<std::int32_t, 4> points{0, kPoint2.defaultValue, kPoint3.defaultValue, 255};
    std::array<std::int32_t, 4> levels = kIdentityLevels;
};

// Colour tone: an amount added to each channel (red, green, blue).
struct ColourToneParameters {
    static constexpr ParameterRange kOffset{"offset", -128, 128, 0};
    std::array<std::int32_t, 3> offsets{kOffset.defaultValue, kOffset.defaultValue,
                                        kOffset.defaultValue};
};

// Contrast and brightness, the same for all three channels.
struct ContrastParameters {
    static constexpr ParameterRange kContrast{"contrast", -128, 128, 0};
    std::int32_t contrast = kContrast.defaultValue;
    static constexpr ParameterRange kBrightness{"brightness", -128, 128, 0};
    std::int32_t brightness = kBrightness.defaultValue;
};

// What the contrast kernel maps each channel with.
struct ContrastSettings {
    std::array<std::int32_t, 3> contrast{};   // red, green, blue
    std::array<std::int32_t, 3> brightness{}; // red, green, blue
};

struct VividParameters {
    // k × 100.
    static constexpr ParameterRange kAmount{"vividness", -50, 50, 0};
    std::int32_t amount = kAmount.defaultValue;
};

struct GammaParameters {
    // (γ − 1) × 100.
    static constexpr ParameterRange kAmount{"gamma", -50, 50, 0};
    std::int32_t amount = kAmount.defaultValue;
};

} // namespace tavlo
