// A numeric parameter declared once, with its range and default, for the dialogs, the batch tool
// and the tests alike.
#pragma once

#include <string_view>

namespace tavlo {

struct ParameterRange {
    std::string_view name;
    int minimum;
    int maximum;
    int defaultValue;
};

// The JPEG save quality.
inline constexpr ParameterRange kJpegQuality{"quality", 1, 100, 50};

} // namespace tavlo
