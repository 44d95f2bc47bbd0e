#include "pixel_convert.h"

#include "stretch_table.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace tavlo {

namespace {

constexpr int kCubeLevels = 6;
constexpr int kCubeStep = 51;
constexpr int kGreyCount = 40;

// Greys between the cube's own: 40 levels spread evenly over 1 … 254.
int greyLevel(int k) {
    return (k + 1) * 255 / (kGreyCount + 1);
}

std::vector<PaletteEntry> makeHalftonePalette() {
    std::vector<PaletteEntry> palette;
    palette.reserve(256);
    for (int r = 0; r < kCubeLevels; ++r)
        for (int g = 0; g < kCubeLevels; ++g)
            for (int b = 0; b < kCubeLevels; ++b)
                palette.push_back({static_cast<std::uint8_t>(b * kCubeStep),
                                   static_cast<std::uint8_t>(g * kCubeStep),
                                   static_cast<std::uint8_t>(r * kCubeStep), 0});
    for (int k = 0; k < kGreyCount; ++k) {
        const auto v = static_cast<std::uint8_t>(greyLevel(k));
        palette.push_back({v, v, v, 0});
    }
    return palette;
}

int squared(int v) {
    return v * v;
}

// The cube is separable, so its nearest point is the nearest level on each axis. Among greys
// the distance is 3(g − mean)² + const, so the nearest grey is the one nearest the mean. Ties go
// to the lower index: the cube comes first, and the lower level of two equally near ones.
struct HalftoneMapper {
    std::uint8_t cubeLevel[256];
    std::uint8_t nearestGrey[766]; // by r + g + b
    HalftoneMapper() {
        for (int v = 0; v < 256; ++v)
            cubeLevel[v] = static_cast<std::uint8_t>((v + kCubeStep / 2) / kCubeStep);
        for (int sum = 0; sum <= 765; ++sum) {
            int best = 0;
            for (int k = 1; k < kGreyCount; ++k)
                if (squared(3 * greyLevel(k) - sum) < squared(3 * greyLevel(best) - sum)) best = k;
            nearestGrey[sum] = static_cast<std::uint8_t>(best);
        }
    }
    std::uint8_t operator()(int r, int g, int b) const {
        const int lr = cubeLevel[r], lg = cubeLevel[g], lb = cubeLevel[b];
        const int cubeDistance =
            squared(r - lr * kCubeStep) + squared(g - lg * kCubeStep) + squared(b - lb * kCubeStep);
        const int k = nearestGrey[r + g + b];
        const int grey = greyLevel(k);
        const int greyDistance = squared(r - grey) + squared(g - grey) + squared(b - grey);
        if (greyDistance < cubeDistance)
            return static_cast<std::uint8_t>(kCubeLevels * kCubeLevels * kCubeLevels + k);
        return static_cast<std::uint8_t>((lr * kCubeLevels + lg) * kCubeLevels + lb);
    }
};

const HalftoneMapper& halftoneMapper() {
    static const HalftoneMapper mapper;
    return mapper;
}

// Writes one row of the source as B,G,R (step 3) or B,G,R,0 (step 4).
template <int Step> void expandRow(const Bitmap& source, int y, std::uint8_t* out) {
    const std::uint8_t* in = source.row(y);
    const int width = source.width();
    auto put = [&out](Rgb c) {
        out[0] = c.b;
        out[1] = c.g;
        out[2] = c.r;
        if constexpr (Step == 4) out[3] = 0;
        out += Step;
    };
    switch (source.format()) {
    case PixelFormat::Bit24:
        for (int x = 0; x < width; ++x, in += 3)
            put(Rgb{in[2], in[1], in[0]});
        return;
    case PixelFormat::Bit32:
    case PixelFormat::Device:
    case PixelFormat::Custom:
        for (int x = 0; x < width; ++x, in += 4)
            put(Rgb{in[2], in[1], in[0]});
        return;
    case PixelFormat::Bit8: {
        // Indices beyond a short palette read as its last entry, as Bitmap::pixel does.
        Rgb lookup[256] = {};
        const auto& palette = source.palette();
        for (int i = 0; i < 256 && !palette.empty(); ++i) {
            const PaletteEntry& e = palette[std::min<std::size_t>(i, palette.size() - 1)];
            lookup[i] = Rgb{e.r, e.g, e.b};
        }
        for (int x = 0; x < width; ++x)
            put(lookup[in[x]]);
        return;
    }
    default:
        for (int x = 0; x < width; ++x)
            put(source.pixel(x, y));
        return;
    }
}

template <int Step> Bitmap expanded(const Bitmap& source, PixelFormat target) {
    Bitmap result = Bitmap::uninitialised(source.width(), source.height(), target);
    for (int y = 0; y < source.height(); ++y) {
        std::uint8_t* out = result.row(y);
        expandRow<Step>(source, y, out);
        std::memset(out + Step * source.width(), 0,
                    result.stride() - Step * static_cast<std::size_t>(source.width()));
    }
    return result;
}

Bitmap toHalftone(const Bitmap& source) {
    const HalftoneMapper& map = halftoneMapper();
    Bitmap result = Bitmap::uninitialised(source.width(), source.height(), PixelFormat::Bit8,
                                          halftonePalette());
    std::vector<std::uint8_t> line(static_cast<std::size_t>(source.width()) * 3);
    for (int y = 0; y < source.height(); ++y) {
        expandRow<3>(source, y, line.data());
        std::uint8_t* out = result.row(y);
        for (int x = 0; x < source.width(); ++x)
            out[x] = map(line[3 * x + 2], line[3 * x + 1], line[3 * x]);
        std::memset(out + source.width(), 0, result.stride() - source.width());
    }
    return result;
}

} // namespace

const std::vector<PaletteEntry>& halftonePalette() {
    static const std::vector<PaletteEntry> palette = makeHalftonePalette();
    return palette;
}

std::uint8_t halftoneIndex(Rgb colour) {
    return halftoneMapper()(colour.r, colour.g, colour.b);
}

Bitmap convertedTo(const Bitmap& source, PixelFormat target) {
    if (source.format() == target) return source;
    switch (target) {
    case PixelFormat::Bit8:
        return toHalftone(source);
    case PixelFormat::Bit24:
        return expanded<3>(source, target);
    case PixelFormat::Bit32:
        return expanded<4>(source, target);
    default:
        throw std::invalid_argument("conversion target must be 8, 24 or 32 bits");
    }
}

void setPixelFormat(Bitmap& bitmap, PixelFormat target) {
    if (bitmap.format() != target) bitmap = convertedTo(bitmap, target);
}

namespace {

// Reads and writes pixel i of a row in any format, by its stored bits.
std::uint32_t storedPixel(const std::uint8_t* row, int x, int bits) {
    switch (bits) {
    case 1:
        return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4:
        return (row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F;
    default:
        return 0;
    }
}

void storePixel(std::uint8_t* row, int x, int bits, std::uint32_t value) {
    if (bits == 1) {
        const auto mask = static_cast<std::uint8_t>(0x80 >> (x % 8));
        row[x / 8] = static_cast<std::uint8_t>(value ? row[x / 8] | mask : row[x / 8] & ~mask);
    } else {
        const int shift = x % 2 ? 0 : 4;
        row[x / 2] = static_cast<std::uint8_t>((row[x / 2] & ~(0x0F << shift)) | value << shift);
    }
}

} // namespace

Bitmap stretched(const Bitmap& source, int width, int height) {
    if (width == source.width() && height == source.height()) return source;
    Bitmap result = Bitmap::uninitialised(width, height, source.format(), source.palette());
    if (result.byteSize() == 0) return result;
    std::memset(result.bottomUpData(), 0, result.byteSize());
    if (source.empty()) return result;
    const int bits = bitsPerPixel(source.format());
    const std::vector<int> columnOf = stretchTable(0, width, source.width(), width);
    for (int y = 0; y < height; ++y) {
        const int sy = stretchSource(y, source.height(), height);
        const std::uint8_t* in = source.row(sy);
        std::uint8_t* out = result.row(y);
        if (bits >= 8) {
            const int bytes = bits / 8;
            for (int x = 0; x < width; ++x)
                std::memcpy(out + x * bytes, in + columnOf[x] * bytes, bytes);
        } else {
            for (int x = 0; x < width; ++x)
                storePixel(out, x, bits, storedPixel(in, columnOf[x], bits));
        }
    }
    return result;
}

} // namespace tavlo
