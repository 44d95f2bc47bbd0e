// The tone-curve constants file (.tvl): channel, P2, P3 and the four levels, one a line.
#pragma once

#include "tone_parameters.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace tavlo {

// The extension curve files are saved with.
inline constexpr std::string_view kToneCurveExtension = "tvl";

// Reads the first seven lines and checks them all before anything is stored: on failure `curve`
// is untouched and `error` holds a one-line reason. A P2 of 0 is refused, since the curve's first
// segment divides by it; other values are taken as they come.
bool readToneCurveFile(const std::filesystem::path& path, ToneCurve& curve, std::string& error);

// Writes the seven lines, each ended by CR LF; an existing file is replaced whole or not at all.
bool writeToneCurveFile(const std::filesystem::path& path, const ToneCurve& curve,
                        std::string& error);

} // namespace tavlo
