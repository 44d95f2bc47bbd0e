// Quarter turns, half turns, mirrors and flips of a JPEG file done on its DCT blocks through
// TurboJPEG, so that nothing is decoded and encoded again.
#pragma once

#include "picture_turn.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tavlo {

// The file turned without loss, without any of its markers but the JFIF header (density kept).
// Nothing when the turn is not perfect (a partial block at an edge would have to move) or the
// library fails; such a picture is to be encoded instead. Throws std::bad_alloc when memory runs
// out.
std::optional<std::string> turnLosslessly(std::span<const std::uint8_t> jpeg, PictureTurn turn);

} // namespace tavlo
