// Which of our two file types a path names, by its extension in any letter case.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tavlo {

enum class ImageFileType { Jpeg, Bmp, Other };

// Upper-cased, dot included: every name a JPEG goes by.
inline constexpr std::array<std::string_view, 3> kJpegExtensions{".JPG", ".JPEG", ".JPE"};

ImageFileType imageFileType(const std::string& path);

} // namespace tavlo
