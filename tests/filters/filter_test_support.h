// Images and brute-force references shared by the filter tests.
#pragma once

#include "document/bitmap.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <random>

namespace tavlo::test {

inline Bitmap uniformImage(int width, int height, Rgb colour) {
    Bitmap image(width, height, PixelFormat::Bit24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = image.row(y) + 3 * x;
            p[0] = colour.b, p[1] = colour.g, p[2] = colour.r;
        }
    return image;
}

inline void setPixel(Bitmap& image, int x, int y, Rgb colour) {
    std::uint8_t* p = image.row(y) + 3 * x;
    p[0] = colour.b, p[1] = colour.g, p[2] = colour.r;
}

inline Bitmap randomImage(int width, int height, std::uint32_t seed) {
    std::mt19937 random(seed);
    Bitmap image(width, height, PixelFormat::Bit24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width * 3; ++x)
            image.row(y)[x] = static_cast<std::uint8_t>(random());
    return image;
}

// The channel value (0 blue, 1 green, 2 red) at (x, y) with coordinates clamped to the image.
inline int clampedChannel(const Bitmap& image, int x, int y, int channel) {
    x = std::clamp(x, 0, image.width() - 1);
    y = std::clamp(y, 0, image.height() - 1);
    return image.row(y)[3 * x + channel];
}

// Every channel of every pixel from its nine clamped window values, taken row by row.
inline Bitmap windowReference(const Bitmap& image,
                              const std::function<std::uint8_t(const int (&)[9])>& combine) {
    Bitmap result(image.width(), image.height(), PixelFormat::Bit24);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            for (int c = 0; c < 3; ++c) {
                int window[9];
                for (int i = 0; i < 9; ++i)
                    window[i] = clampedChannel(image, x + i % 3 - 1, y + i / 3 - 1, c);
                result.row(y)[3 * x + c] = combine(window);
            }
    return result;
}

} // namespace tavlo::test
