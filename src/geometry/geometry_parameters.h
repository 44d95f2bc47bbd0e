// The parameters of the geometry operations, each range declared once, next to its field, for
// the dialogs, the batch tool and the tests.
#pragma once

#include "document/parameter_range.h"

#include <array>
#include <cstdint>

namespace tavlo {

// Quarter turns and mirrors.
enum class TurnMode : std::int32_t { Right = 1, Left = -1, Half = 0, Mirror = 2, Flip = 3 };

struct TurnParameters {
    TurnMode mode = TurnMode::Right;
};

struct ImageSize {
    int width = 0;
    int height = 0;
    bool operator==(const ImageSize&) const = default;
};

// A fixed shrink of the size menu: the current size divided, remainder dropped. The divisors the
// menu offers are its items' presets.
struct ShrinkParameters {
    static constexpr ParameterRange kDivisor{"divisor", 1, 8, 1};
    int divisor = kDivisor.defaultValue;
};

// A typed size.
struct ResizeParameters {
    static constexpr ParameterRange kSide{"size", 1, 65535, 0};
    ImageSize size;
};

struct RotationParameters {
    // Whole degrees, positive clockwise; 0 leaves the image alone.
    static constexpr ParameterRange kAngle{"angle", -179, 179, 0};
    int degrees = kAngle.defaultValue;
};

enum class DeformMode : std::int32_t {
    KeystoneBoth = 1,
    KeystoneRight = 2,
    KeystoneLeft = 3,
    Shear = 4
};

struct DeformParameters {
    DeformMode mode = DeformMode::KeystoneBoth;
    // Strength in hundredths (the bar position less 100); 0 leaves the image alone.
    static constexpr ParameterRange kStrength{"amount", -100, 100, 0};
    int strength = kStrength.defaultValue;
};

// The strength as the kernels take it: the fraction in single precision.
inline float deformAmount(int strength) {
    return static_cast<float>(static_cast<long double>(strength) / 100.0L);
}

// The part of the image to keep; all four edges inclusive.
struct TrimRect {
    static constexpr ParameterRange kEdge{"edge", 0, 65535, 0};
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const TrimRect&) const = default;
};

struct WallpaperSize {
    int width;
    int height;
};
// The choices of the wallpaper dialog; the fourth is the default.
inline constexpr std::array<WallpaperSize, 5> kWallpaperSizes{
    {{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}, {1600, 1200}}};
inline constexpr int kDefaultWallpaperSize = 3;

// A frame of a wallpaper size, centred on the image or with its top-left corner placed.
struct WallpaperParameters {
    static constexpr ParameterRange kSide = ResizeParameters::kSide;
    static constexpr ParameterRange kPosition{"position", 0, 65535, 0};
    WallpaperSize size = kWallpaperSizes[kDefaultWallpaperSize];
    bool placed = false;
    int left = 0, top = 0;
};

} // namespace tavlo
