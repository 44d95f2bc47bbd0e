// The 3×3 convolution kernel the preset menu items and the filter-matrix dialog run, and the
// eight presets.
#pragma once

#include "document/parameter_range.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace tavlo {

// k0 k1 k2 weigh the row above (left, centre, right), k3 k4 k5 the pixel's own row, k6 k7 k8 the
// row below.
using FilterKernel = std::array<std::int32_t, 9>;

// The program starts with nine 1s (the filter-matrix dialog resets to them).
inline constexpr FilterKernel kResetKernel{1, 1, 1, 1, 1, 1, 1, 1, 1};

// Presets 1 … 8: three smoothings, three sharpenings, two embossings.
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

struct FilterPreset {
    static constexpr ParameterRange kNumber{"preset", 1, 8, 1};
    std::int32_t number = kNumber.defaultValue;

    const FilterKernel& kernel() const {
        return kFilterPresets[static_cast<std::size_t>(number - 1)];
    }
};

// The sum of the coefficients. Held in 64 bits: nine 32-bit coefficients can add up beyond 32.
std::int64_t kernelSum(const FilterKernel& kernel);

// The extension kernel files are saved with.
inline constexpr std::string_view kKernelFileExtension = "mtx";

} // namespace tavlo
