#include "document/image_file_type.h"

#include "document/document.h"

#include <algorithm>

namespace tavlo {

ImageFileType imageFileType(const std::string& path) {
    const std::string extension = upperCased(fileExtension(path));
    if (std::ranges::find(kJpegExtensions, extension) != kJpegExtensions.end())
        return ImageFileType::Jpeg;
    return extension == ".BMP" ? ImageFileType::Bmp : ImageFileType::Other;
}

} // namespace tavlo
