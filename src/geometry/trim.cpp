#include "trim.h"

#include "pixel_rows.h"

#include <stdexcept>

namespace tavlo {

bool trimRectFits(const Bitmap& image, const TrimRect& rect) {
    return rect.left >= 0 && rect.top >= 0 && rect.left <= rect.right && rect.top <= rect.bottom &&
           rect.right < image.width() && rect.bottom < image.height();
}

KernelResult trimBitmap(const Bitmap& source, const TrimRect& rect) {
    requireNonEmpty(source);
    if (!geometry::movablePixels(source)) return std::nullopt;
    if (!trimRectFits(source, rect))
        throw std::out_of_range("trimming rectangle outside the image");
    const int width = rect.right - rect.left + 1;
    const int height = rect.bottom - rect.top + 1;
    Bitmap result = geometry::resultFor(source, width, height);
    const std::size_t pixelBytes = static_cast<std::size_t>(bitsPerPixel(source.format()) / 8);
    const auto from = geometry::rowTable(source);
    const auto to = geometry::writableRowTable(result);
    for (int j = 0; j < height; ++j)
        std::memcpy(to[j], from[rect.top + j] + static_cast<std::size_t>(rect.left) * pixelBytes,
                    static_cast<std::size_t>(width) * pixelBytes);
    return result;
}

std::optional<TrimRect> placedWallpaperRect(int imageWidth, int imageHeight, WallpaperSize size,
                                            int left, int top) {
    if (left < 0 || top < 0 || left > imageWidth - size.width || top > imageHeight - size.height)
        return std::nullopt;
    return TrimRect{left, top, left + size.width - 1, top + size.height - 1};
}

std::optional<TrimRect> centredWallpaperRect(int imageWidth, int imageHeight, WallpaperSize size) {
    return placedWallpaperRect(imageWidth, imageHeight, size, (imageWidth - (size.width - 1)) / 2,
                               (imageHeight - (size.height - 1)) / 2);
}

std::optional<TrimRect> wallpaperRect(int imageWidth, int imageHeight,
                                      const WallpaperParameters& parameters) {
    return parameters.placed ? placedWallpaperRect(imageWidth, imageHeight, parameters.size,
                                                   parameters.left, parameters.top)
                             : centredWallpaperRect(imageWidth, imageHeight, parameters.size);
}

} // namespace tavlo
