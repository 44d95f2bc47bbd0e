// The settings of the geometry operations, each range declared once for the dialogs, the batch
// tool and the tests.
#pragma once

#include "document/parameter_range.h"

#include <array>
#include <cstdint>

namespace tavlo {

// Quarter turns and mirrors, valued as the main window's TurnMode.
enum class TurnMode : std::int32_t { Right = 1, Left = -1, Half = 0, Mirror = 2, Flip = 3 };

// The fixed divisors of the size menu, and the sides a typed size may ask for.
inline constexpr std::array<int, 4> kShrinkDivisors{1, 2, 4, 8};
inline constexpr ParameterRange kTargetSide{"size", 1, 65535, 0};

// Whole degrees, positive clockwise; 0 leaves the image alone.
inline constexpr ParameterRange kRotationAngle{"angle", -179, 179, 0};

// Deformation strength in hundredths (the bar position less 100); 0 leaves the image alone.
inline constexpr ParameterRange kDeformStrength{"amount", -100, 100, 0};

// Valued as OperationParams[1].
enum class DeformMode : std::int32_t {
    KeystoneBoth = 1,
    KeystoneRight = 2,
    KeystoneLeft = 3,
    Shear = 4
};

// The strength as the kernels take it: the fraction in single precision.
inline float deformAmount(int strength) {
    return static_cast<float>(static_cast<long double>(strength) / 100.0L);
}

// The part of the image to keep; all four edges inclusive.
struct TrimRect {
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

} // namespace tavlo
