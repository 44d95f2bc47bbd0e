#include "bmp_codec.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>

namespace tavlo {

namespace {

constexpr const char* kTooManyPixels = "image too large";

// A refusal, marked when it is for the image's size.
DecodeResult refusal(const char* why) {
    return why == kTooManyPixels ? DecodeResult::refusedAsTooLarge(why)
                                 : DecodeResult::refused(why);
}

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitfields = 3;

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kCoreHeaderSize = 12;
constexpr std::size_t kInfoHeaderSize = 40;

// Little-endian loads; callers have checked the bounds.
std::uint16_t loadU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t loadU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// The header fields that matter once the variants are read.
struct BmpHeader {
    std::uint32_t pixelOffset = 0;
    std::uint32_t headerSize = 0;
    std::int64_t width = 0;
    std::int64_t height = 0; // negative: top-down
    unsigned planes = 0;
    unsigned bitCount = 0;
    std::uint32_t compression = kBiRgb;
    std::uint32_t colorsUsed = 0;
    std::array<std::uint32_t, 3> masks{}; // red, green, blue
    std::size_t paletteOffset = 0;
    std::size_t paletteEntrySize = 4;
};

bool isKnownHeaderSize(std::uint32_t size) {
    return size == kCoreHeaderSize || size == kInfoHeaderSize || size == 52 || size == 56 ||
           size == 108 || size == 124;
}

// Reads the file and info headers (and bit-field masks); nullptr error means success.
const char* readHeader(std::span<const std::uint8_t> file, BmpHeader& h) {
    if (file.size() < kFileHeaderSize + 4) return "file too short for a BMP header";
    if (file[0] != 'B' || file[1] != 'M') return "not a BMP file (no BM signature)";
    h.pixelOffset = loadU32(file.data() + 10);
    h.headerSize = loadU32(file.data() + 14);
    if (!isKnownHeaderSize(h.headerSize)) return "unsupported BMP header size";
    if (file.size() < kFileHeaderSize + h.headerSize) return "BMP header truncated";

    const std::size_t info = kFileHeaderSize;
    h.paletteOffset = info + h.headerSize;
    if (h.headerSize == kCoreHeaderSize) {
        h.width = loadU16(file.data() + info + 4);
        h.height = loadU16(file.data() + info + 6);
        h.planes = loadU16(file.data() + info + 8);
        h.bitCount = loadU16(file.data() + info + 10);
        h.paletteEntrySize = 3;
        return nullptr;
    }
    h.width = static_cast<std::int32_t>(loadU32(file.data() + info + 4));
    h.height = static_cast<std::int32_t>(loadU32(file.data() + info + 8));
    h.planes = loadU16(file.data() + info + 12);
    h.bitCount = loadU16(file.data() + info + 14);
    h.compression = loadU32(file.data() + info + 16);
    h.colorsUsed = loadU32(file.data() + info + 32);
    if (h.compression == kBiBitfields) {
        // A 40-byte header is followed by the masks; the later headers hold them.
        const std::size_t masksAt = info + kInfoHeaderSize;
        if (h.headerSize == kInfoHeaderSize) {
            if (file.size() < masksAt + 12) return "bit-field masks truncated";
            h.paletteOffset += 12;
        }
        for (std::size_t i = 0; i < 3; ++i)
            h.masks[i] = loadU32(file.data() + masksAt + 4 * i);
    }
    return nullptr;
}

bool isBmpDepth(unsigned bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

const char* checkHeader(const BmpHeader& h) {
    if (h.planes != 1) return "BMP plane count is not 1";
    if (h.width <= 0) return "BMP width is not positive";
    if (h.height == 0) return "BMP height is zero";
    if (!isBmpDepth(h.bitCount)) return "unsupported BMP bit depth";
    switch (h.compression) {
    case kBiRgb:
        break;
    case kBiRle8:
        if (h.bitCount != 8) return "RLE8 compression needs 8 bits per pixel";
        break;
    case kBiRle4:
        if (h.bitCount != 4) return "RLE4 compression needs 4 bits per pixel";
        break;
    case kBiBitfields:
        if (h.bitCount != 16 && h.bitCount != 32) return "bit fields need 16 or 32 bits per pixel";
        if (std::ranges::find(h.masks, 0u) != h.masks.end()) return "a bit-field mask is zero";
        break;
    default:
        return "unsupported BMP compression";
    }
    const bool rle = h.compression == kBiRle8 || h.compression == kBiRle4;
    if (rle && h.height < 0) return "top-down RLE bitmaps do not exist";
    const std::uint64_t pixels =
        static_cast<std::uint64_t>(h.width) * static_cast<std::uint64_t>(std::abs(h.height));
    if (pixels > kMaxPixels) return kTooManyPixels;
    return nullptr;
}

PixelFormat formatOf(const BmpHeader& h) {
    switch (h.bitCount) {
    case 1:
        return PixelFormat::Bit1;
    case 4:
        return PixelFormat::Bit4;
    case 8:
        return PixelFormat::Bit8;
    case 16:
        if (h.compression != kBiBitfields) return PixelFormat::Bit15;
        return h.masks == std::array<std::uint32_t, 3>{0xF800, 0x07E0, 0x001F}
                   ? PixelFormat::Bit16
                   : PixelFormat::Custom;
    case 24:
        return PixelFormat::Bit24;
    default:
        return h.compression == kBiBitfields ? PixelFormat::Custom : PixelFormat::Bit32;
    }
}

// Reads the palette of a 1, 4 or 8 bpp file; nullptr error means success.
const char* readPalette(std::span<const std::uint8_t> file, const BmpHeader& h,
                        std::vector<PaletteEntry>& palette) {
    const std::uint64_t full = std::uint64_t{1} << h.bitCount;
    std::uint64_t count = h.colorsUsed == 0 ? full : h.colorsUsed;
    if (count > full) return "palette larger than the bit depth allows";
    if (h.headerSize == kCoreHeaderSize && h.pixelOffset > h.paletteOffset)
        count = std::min<std::uint64_t>(count, (h.pixelOffset - h.paletteOffset) / 3);
    if (count == 0) return "palette missing";
    const std::uint64_t end = h.paletteOffset + count * h.paletteEntrySize;
    if (end > file.size()) return "palette extends beyond the end of the file";
    if (end > h.pixelOffset) return "palette overlaps the pixel data";
    palette.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* entry = file.data() + h.paletteOffset + i * h.paletteEntrySize;
        palette[i] = {entry[0], entry[1], entry[2], 0};
    }
    return nullptr;
}

std::uint64_t fileStride(std::int64_t width, unsigned bitCount) {
    return (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;
}

// Bitmap rows have the file's layout: bottom-up files go across in one piece.
void copyRows(std::span<const std::uint8_t> data, bool topDown, Bitmap& bitmap) {
    if (!topDown) {
        std::memcpy(bitmap.bottomUpData(), data.data(), bitmap.byteSize());
        return;
    }
    for (int y = 0; y < bitmap.height(); ++y)
        std::memcpy(bitmap.row(y), data.data() + y * bitmap.stride(), bitmap.stride());
}

// Scales one masked field to 8 bits, rounding.
class FieldScale {
  public:
    explicit FieldScale(std::uint32_t mask)
        : mask_(mask), shift_(std::countr_zero(mask)), max_(mask >> shift_) {}
    std::uint8_t operator()(std::uint32_t pixel) const {
        const std::uint64_t v = (pixel & mask_) >> shift_;
        return static_cast<std::uint8_t>((v * 255 * 2 + max_) / (2 * std::uint64_t{max_}));
    }

  private:
    std::uint32_t mask_;
    int shift_;
    std::uint32_t max_;
};

// Bit fields other than 5-6-5 become B,G,R,0.
void expandBitfields(std::span<const std::uint8_t> data, const BmpHeader& h, Bitmap& bitmap) {
    const FieldScale red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]);
    const std::size_t sourceStride = fileStride(h.width, h.bitCount);
    const std::size_t bytesPerPixel = h.bitCount / 8;
    const int height = bitmap.height();
    for (int y = 0; y < height; ++y) {
        const int fileRow = h.height < 0 ? y : height - 1 - y;
        const std::uint8_t* in = data.data() + fileRow * sourceStride;
        std::uint8_t* out = bitmap.row(y);
        for (int x = 0; x < bitmap.width(); ++x, in += bytesPerPixel, out += 4) {
            const std::uint32_t pixel = bytesPerPixel == 2 ? loadU16(in) : loadU32(in);
            out[0] = blue(pixel);
            out[1] = green(pixel);
            out[2] = red(pixel);
            out[3] = 0;
        }
    }
}

// Run-length decoding into a zeroed bitmap: pixels the stream skips keep index 0.
class RleDecoder {
  public:
    RleDecoder(std::span<const std::uint8_t> stream, bool fourBit, Bitmap& bitmap)
        : in_(stream), fourBit_(fourBit), bitmap_(bitmap), width_(bitmap.width()),
          height_(bitmap.height()) {}

    // nullptr error means success.
    const char* run() {
        while (pos_ + 2 <= in_.size()) {
            const unsigned count = in_[pos_++];
            const unsigned value = in_[pos_++];
            if (count > 0) {
                if (const char* e = encodedRun(count, value)) return e;
                continue;
            }
            switch (value) {
            case 0: // end of line
                x_ = 0;
                if (++y_ > height_) return "RLE data has more rows than the image";
                break;
            case 1:
                return nullptr; // end of bitmap
            case 2: {
                if (pos_ + 2 > in_.size()) return "RLE data truncated in a delta";
                x_ += in_[pos_++];
                y_ += in_[pos_++];
                if (x_ > width_ || y_ > height_) return "RLE delta moves outside the image";
                break;
            }
            default:
                if (const char* e = absoluteRun(value)) return e;
            }
        }
        // Without an end of bitmap the stream must still have reached the last row, and not
        // stopped inside a command.
        if (pos_ != in_.size()) return "RLE data truncated in a command";
        if (y_ < height_ - 1) return "RLE data ends before the last row";
        return nullptr;
    }

  private:
    const char* checkRoom(unsigned count) const {
        if (y_ >= height_) return "RLE data has more rows than the image";
        if (x_ + static_cast<int>(count) > width_) return "RLE run overruns the row";
        return nullptr;
    }

    void put(unsigned index) {
        std::uint8_t* row = bitmap_.row(height_ - 1 - y_);
        if (!fourBit_) {
            row[x_] = static_cast<std::uint8_t>(index);
        } else {
            std::uint8_t& byte = row[x_ / 2];
            byte = x_ % 2 == 0 ? static_cast<std::uint8_t>((byte & 0x0F) | index << 4)
                               : static_cast<std::uint8_t>((byte & 0xF0) | index);
        }
        ++x_;
    }

    const char* encodedRun(unsigned count, unsigned value) {
        if (const char* e = checkRoom(count)) return e;
        for (unsigned i = 0; i < count; ++i)
            put(fourBit_ ? (i % 2 == 0 ? value >> 4 : value & 0x0F) : value);
        return nullptr;
    }

    const char* absoluteRun(unsigned count) {
        if (const char* e = checkRoom(count)) return e;
        const std::size_t bytes = fourBit_ ? (count + 1) / 2 : count;
        if (pos_ + bytes > in_.size()) return "RLE data truncated in an absolute run";
        const std::uint8_t* src = in_.data() + pos_;
        for (unsigned i = 0; i < count; ++i)
            put(fourBit_ ? (i % 2 == 0 ? src[i / 2] >> 4 : src[i / 2] & 0x0F) : src[i]);
        // Absolute runs are padded to a 16-bit boundary.
        pos_ = std::min(in_.size(), pos_ + bytes + bytes % 2);
        return nullptr;
    }

    std::span<const std::uint8_t> in_;
    std::size_t pos_ = 0;
    bool fourBit_;
    Bitmap& bitmap_;
    int width_, height_;
    int x_ = 0, y_ = 0; // y counts from the bottom row, as the stream does
};

void putU16(std::string& out, unsigned value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8 & 0xFF));
}

void putU32(std::string& out, std::uint32_t value) {
    putU16(out, value & 0xFFFF);
    putU16(out, value >> 16);
}

} // namespace

namespace {

// What the headers say once they have been checked against the file.
struct CheckedBmp {
    BmpHeader header;
    std::vector<PaletteEntry> palette;
    std::span<const std::uint8_t> data; // from the pixel offset to the end of the file
    PixelFormat format = PixelFormat::Bit24;
    int width = 0, height = 0;
    bool rle = false;
    // Bottom-up rows without masks or compression: the pixel block is the bitmap's own layout.
    bool plain() const { return !rle && format != PixelFormat::Custom && header.height > 0; }
};

const char* check(std::span<const std::uint8_t> file, CheckedBmp& c) {
    BmpHeader& h = c.header;
    if (const char* e = readHeader(file, h)) return e;
    if (const char* e = checkHeader(h)) return e;
    if (h.pixelOffset > file.size()) return "pixel data beyond end of file";
    if (h.bitCount <= 8) {
        if (const char* e = readPalette(file, h, c.palette)) return e;
    } else if (h.pixelOffset < h.paletteOffset) {
        return "pixel data overlaps the headers";
    }
    c.data = file.subspan(h.pixelOffset);
    c.rle = h.compression == kBiRle8 || h.compression == kBiRle4;
    c.width = static_cast<int>(h.width);
    c.height = static_cast<int>(std::abs(h.height));
    if (!c.rle && c.data.size() < fileStride(h.width, h.bitCount) * c.height)
        return "BMP pixel data truncated";
    c.format = formatOf(h);
    return nullptr;
}

DecodeResult decodeChecked(CheckedBmp& c) {
    Bitmap bitmap = Bitmap::uninitialised(c.width, c.height, c.format, std::move(c.palette));
    if (c.rle) {
        std::memset(bitmap.bottomUpData(), 0, bitmap.byteSize());
        if (const char* e = RleDecoder(c.data, c.header.compression == kBiRle4, bitmap).run())
            return DecodeResult::refused(e);
    } else if (c.format == PixelFormat::Custom) {
        expandBitfields(c.data, c.header, bitmap);
    } else {
        copyRows(c.data, c.header.height < 0, bitmap);
    }
    return {std::move(bitmap), {}};
}

} // namespace

DecodeResult decodeBmp(std::span<const std::uint8_t> file) {
    CheckedBmp checked;
    if (const char* e = check(file, checked)) return refusal(e);
    return decodeChecked(checked);
}

DecodeResult decodeBmp(std::shared_ptr<ByteBuffer> file) {
    CheckedBmp checked;
    if (const char* e = check(*file, checked)) return refusal(e);
    if (!checked.plain()) return decodeChecked(checked);
    std::shared_ptr<std::uint8_t[]> pixels(file, file->data() + checked.header.pixelOffset);
    return {Bitmap::adopt(checked.width, checked.height, checked.format, std::move(pixels),
                          std::move(checked.palette)),
            {}};
}

BmpFileParts encodeBmp(const Bitmap& bitmap) {
    const PixelFormat format = bitmap.format();
    if (format != PixelFormat::Bit8 && format != PixelFormat::Bit24 && format != PixelFormat::Bit32)
        throw std::invalid_argument("BMP output needs an 8, 24 or 32-bit bitmap");

    const std::size_t paletteSize =
        format == PixelFormat::Bit8 ? std::min<std::size_t>(bitmap.palette().size(), 256) : 0;
    const std::uint32_t pixelOffset =
        static_cast<std::uint32_t>(kFileHeaderSize + kInfoHeaderSize + 4 * paletteSize);
    const auto imageSize = static_cast<std::uint32_t>(bitmap.byteSize());

    std::string header;
    header.reserve(pixelOffset);
    header += "BM";
    putU32(header, pixelOffset + imageSize);
    putU32(header, 0); // reserved
    putU32(header, pixelOffset);
    putU32(header, kInfoHeaderSize);
    putU32(header, static_cast<std::uint32_t>(bitmap.width()));
    putU32(header, static_cast<std::uint32_t>(bitmap.height()));
    putU16(header, 1); // planes
    putU16(header, static_cast<unsigned>(bitsPerPixel(format)));
    putU32(header, kBiRgb);
    putU32(header, imageSize);
    putU32(header, 0); // horizontal resolution: unspecified
    putU32(header, 0); // vertical resolution
    putU32(header, paletteSize == 256 ? 0 : static_cast<std::uint32_t>(paletteSize));
    putU32(header, 0); // all colours important
    for (std::size_t i = 0; i < paletteSize; ++i) {
        const PaletteEntry& entry = bitmap.palette()[i];
        header.push_back(static_cast<char>(entry.b));
        header.push_back(static_cast<char>(entry.g));
        header.push_back(static_cast<char>(entry.r));
        header.push_back(0);
    }
    return {std::move(header), {bitmap.bottomUpData(), bitmap.byteSize()}};
}

} // namespace tavlo
