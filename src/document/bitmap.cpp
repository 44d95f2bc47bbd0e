#include "bitmap.h"

#include "large_buffer.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>

namespace tavlo {

int bitsPerPixel(PixelFormat format) {
    switch (format) {
    case PixelFormat::Bit1:
        return 1;
    case PixelFormat::Bit4:
        return 4;
    case PixelFormat::Bit8:
        return 8;
    case PixelFormat::Bit15:
    case PixelFormat::Bit16:
        return 16;
    case PixelFormat::Bit24:
        return 24;
    case PixelFormat::Bit32:
    case PixelFormat::Device:
    case PixelFormat::Custom:
        return 32;
    }
    return 32;
}

bool hasPalette(PixelFormat format) {
    return format == PixelFormat::Bit1 || format == PixelFormat::Bit4 ||
           format == PixelFormat::Bit8;
}

std::size_t Bitmap::strideFor(int width, PixelFormat format) {
    const auto bits = static_cast<std::uint64_t>(width) * bitsPerPixel(format);
    return static_cast<std::size_t>((bits + 31) / 32 * 4);
}

PixelLimitError::PixelLimitError(std::int64_t width, std::int64_t height)
    : std::length_error("a " + std::to_string(width) + " x " + std::to_string(height) +
                        " image is above the limit of " + std::to_string(kMaxPixels) + " pixels") {}

namespace {

void checkSize(int width, int height) {
    if (width < 0 || height < 0) throw std::length_error("negative bitmap size");
    if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > kMaxPixels)
        throw PixelLimitError(width, height);
}

std::shared_ptr<std::uint8_t[]> allocatePixels(std::size_t size) {
    return {static_cast<std::uint8_t*>(allocateLarge(size)), [](std::uint8_t* p) { freeLarge(p); }};
}

} // namespace

Bitmap Bitmap::uninitialised(int width, int height, PixelFormat format,
                             std::vector<PaletteEntry> palette) {
    checkSize(width, height);
    const std::size_t bytes = strideFor(width, format) * static_cast<std::size_t>(height);
    Bitmap bitmap = adopt(width, height, format, bytes > 0 ? allocatePixels(bytes) : nullptr,
                          std::move(palette));
    bitmap.clearPaddingBytes();
    return bitmap;
}

Bitmap Bitmap::adopt(int width, int height, PixelFormat format,
                     std::shared_ptr<std::uint8_t[]> pixels, std::vector<PaletteEntry> palette) {
    checkSize(width, height);
    Bitmap bitmap;
    bitmap.width_ = width;
    bitmap.height_ = height;
    bitmap.format_ = format;
    bitmap.stride_ = strideFor(width, format);
    bitmap.pixels_ = std::move(pixels);
    bitmap.palette_ = std::move(palette);
    return bitmap;
}

Bitmap::Bitmap(int width, int height, PixelFormat format, std::vector<PaletteEntry> palette)
    : Bitmap(uninitialised(width, height, format, std::move(palette))) {
    fillWhite();
}

void Bitmap::unshare() {
    std::shared_ptr<std::uint8_t[]> own = allocatePixels(byteSize());
    std::memcpy(own.get(), pixels_.get(), byteSize());
    pixels_ = std::move(own);
}

std::size_t Bitmap::usedRowBytes() const {
    return (static_cast<std::size_t>(width_) * bitsPerPixel(format_) + 7) / 8;
}

// Kernels write only the pixels; the padding of new bitmaps is zeroed so that saved files and
// clipboard copies never carry stale heap bytes.
void Bitmap::clearPaddingBytes() {
    const std::size_t used = usedRowBytes();
    if (used < stride_)
        for (std::size_t offset = used; offset < byteSize(); offset += stride_)
            std::memset(pixels_.get() + offset, 0, stride_ - used);
}

void Bitmap::zeroPadding() {
    const std::size_t used = usedRowBytes();
    for (std::size_t offset = used; offset < byteSize(); offset += stride_)
        for (std::size_t i = offset; i < offset - used + stride_; ++i)
            if (pixels_[i] != 0) {
                detach();
                clearPaddingBytes();
                return;
            }
}

void Bitmap::fillWhite() {
    if (byteSize() == 0) return;
    if (hasPalette(format_)) {
        const int index = palette_.empty() ? 0 : nearestPaletteIndex(palette_, Rgb{255, 255, 255});
        std::uint8_t fill = static_cast<std::uint8_t>(index);
        if (format_ == PixelFormat::Bit4)
            fill = static_cast<std::uint8_t>(index << 4 | index);
        else if (format_ == PixelFormat::Bit1)
            fill = index ? 0xFF : 0x00;
        std::memset(pixels_.get(), fill, byteSize());
        clearPaddingBytes();
        return;
    }
    if (bitsPerPixel(format_) != 32) {
        std::memset(pixels_.get(), 0xFF, byteSize());
        clearPaddingBytes();
        if (format_ == PixelFormat::Bit15) // bit 15 is unused in 5-5-5
            for (int y = 0; y < height_; ++y)
                for (int x = 0; x < width_; ++x)
                    row(y)[2 * x + 1] = 0x7F;
        return;
    }
    static constexpr std::uint8_t kWhite[4] = {0xFF, 0xFF, 0xFF, 0x00};
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* p = row(y);
        for (int x = 0; x < width_; ++x)
            std::memcpy(p + 4 * x, kWhite, 4);
    }
}

namespace {

std::uint8_t expandBits(unsigned value, int bits) {
    return static_cast<std::uint8_t>((value * 255 + ((1u << bits) - 1) / 2) / ((1u << bits) - 1));
}

} // namespace

Rgb Bitmap::pixel(int x, int y) const {
    const std::uint8_t* p = row(y);
    auto fromPalette = [this](unsigned index) {
        if (palette_.empty()) return Rgb{};
        const PaletteEntry& e = palette_[std::min<std::size_t>(index, palette_.size() - 1)];
        return Rgb{e.r, e.g, e.b};
    };
    switch (format_) {
    case PixelFormat::Bit1:
        return fromPalette((p[x / 8] >> (7 - x % 8)) & 1);
    case PixelFormat::Bit4:
        return fromPalette((p[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F);
    case PixelFormat::Bit8:
        return fromPalette(p[x]);
    case PixelFormat::Bit15: {
        const unsigned w = p[2 * x] | p[2 * x + 1] << 8;
        return Rgb{expandBits(w >> 10 & 31, 5), expandBits(w >> 5 & 31, 5), expandBits(w & 31, 5)};
    }
    case PixelFormat::Bit16: {
        const unsigned w = p[2 * x] | p[2 * x + 1] << 8;
        return Rgb{expandBits(w >> 11 & 31, 5), expandBits(w >> 5 & 63, 6), expandBits(w & 31, 5)};
    }
    case PixelFormat::Bit24:
        return Rgb{p[3 * x + 2], p[3 * x + 1], p[3 * x]};
    case PixelFormat::Bit32:
    case PixelFormat::Device:
    case PixelFormat::Custom:
        return Rgb{p[4 * x + 2], p[4 * x + 1], p[4 * x]};
    }
    return Rgb{};
}

int nearestPaletteIndex(const std::vector<PaletteEntry>& palette, Rgb colour) {
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const int dr = palette[i].r - colour.r;
        const int dg = palette[i].g - colour.g;
        const int db = palette[i].b - colour.b;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    return best;
}

} // namespace tavlo
