// The 3×3 convolution kernel shared by the preset menu items and the filter-matrix dialog, and
// the eight presets.
#pragma once

#include "document/parameter_range.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavlo {

// k0 k1 k2 weigh the row above (left, centre, right), k3 k4 k5 the pixel's own row, k6 k7 k8 the
// row below.
using FilterKernel = std::array<std::int32_t, 9>;

// The program starts with nine 1s (the filter-matrix dialog resets to them).
inline constexpr FilterKernel kResetKernel{1, 1, 1, 1, 1, 1, 1, 1, 1};

// Presets 1 … 8 as the menu numbers them: three smoothings, three sharpenings, two embossings.
inline constexpr ParameterRange kFilterPreset{"preset", 1, 8, 1};
inline constexpr std::array<FilterKernel, 8> kFilterPresets{{
    {1, 1, 1, 1, 2, 1, 1, 1, 1},
    {1, 1, 1, 1, 4, 1, 1, 1, 1},
    {1, 1, 1, 1, 8, 1, 1, 1, 1},
    {0, -1, 0, -1, 8, -1, 0, -1, 0},
    {0, -1, 0, -1, 6, -1, 0, -1, 0},
    {0, -1, 0, -1, 5, -1, 0, -1, 0},
    {1, 1, 0, 1, 0, -1, 0, -1, -1},
    {1, 1, 1, 1, -8, 1, 1, 1, 1},
}};

// Preset n (1 … 8) written into the kernel; any other n leaves it as it is.
inline void loadFilterPreset(FilterKernel& kernel, int n) {
    if (n >= kFilterPreset.minimum && n <= kFilterPreset.maximum)
        kernel = kFilterPresets[static_cast<std::size_t>(n - 1)];
}

// The sum of the coefficients. Held in 64 bits: nine 32-bit coefficients can add up beyond 32.
std::int64_t kernelSum(const FilterKernel& kernel);

// A coefficient as the dialog's boxes and the batch tool read it: optional blanks around an
// optionally signed decimal integer in the 32-bit range.
std::optional<std::int32_t> parseCoefficient(std::string_view text);

// The name a kernel is saved under: the chosen name, with ".mtx" appended unless its extension
// already is ".mtx" in any letter case ("a.txt" becomes "a.txt.mtx"; "a." becomes "a.mtx").
std::string withMtxExtension(const std::string& chosen);

} // namespace tavlo
