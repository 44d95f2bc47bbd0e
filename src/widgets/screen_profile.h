// The colour profile of the screen the program shows on: the X11 root window's _ICC_PROFILE, as
// colour managers set it; empty (sRGB) when there is none or the display is not X11.
#pragma once

#include <cstdint>
#include <vector>

namespace tavlo {

std::vector<std::uint8_t> screenIccProfile();

} // namespace tavlo
