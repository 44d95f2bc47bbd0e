// The small constants files: a 3×3 filter kernel (.mtx, nine lines) and a tone curve (.tvl, seven
// lines), each line one signed decimal integer ended by CR LF.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavlo {

inline constexpr std::size_t kFilterFileLines = 9;
inline constexpr std::size_t kToneCurveFileLines = 7;

// One value as the files hold it and the filter-matrix boxes and the batch tool read it: optional
// blanks around an optionally signed decimal integer in the 32-bit range.
std::optional<std::int32_t> parseInteger(std::string_view text);

// The name a constants file is saved under: the chosen name with "." and `extension` appended
// unless its extension already is that one in any letter case ("a.txt" becomes "a.txt.mtx"); a
// name ending in a bare dot just gets `extension` ("a." becomes "a.mtx").
std::string withExtension(const std::string& chosen, std::string_view extension);

// Reads the first `count` lines as 32-bit integers; later lines are ignored. Lines may end in
// CR LF, LF or CR, and blanks around a number are allowed. Returns nullopt and a one-line reason
// naming the faulty line when a line is missing or is not a 32-bit integer.
std::optional<std::vector<std::int32_t>> parseConstantsFile(std::span<const std::uint8_t> text,
                                                            std::size_t count, std::string& error);

// Reads the file at `path` and parses its first `count` lines as parseConstantsFile does. A file
// larger than such a file can sensibly be is refused unread. Returns nullopt and a one-line
// reason on failure.
std::optional<std::vector<std::int32_t>> readConstantsFile(const std::filesystem::path& path,
                                                           std::size_t count, std::string& error);

// The file text: each value in decimal followed by CR LF.
std::string formatConstantsFile(std::span<const std::int32_t> values);

} // namespace tavlo
