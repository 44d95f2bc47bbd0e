// BMP reading and writing beyond what the corpus files show: round trips, format classification,
// header variants, field scaling and hand-built streams the corpus lacks.
#include "document/bmp_codec.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>

namespace tavlo {
namespace {

constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3;

// What a hand-built file holds; the builder lays it out as a writer would.
struct BmpSpec {
    std::uint32_t headerSize = 40;
    std::int32_t width = 2;
    std::int32_t height = 2;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = kRgb;
    std::uint32_t colorsUsed = 0;       // 0: the size of `palette`
    std::vector<std::uint32_t> masks{}; // red, green, blue
    std::vector<PaletteEntry> palette{};
    std::vector<std::uint8_t> pixels{};
};

void put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> 8 * i));
}

std::vector<std::uint8_t> buildBmp(const BmpSpec& spec) {
    const bool core = spec.headerSize == 12;
    const bool masksAfterHeader = spec.headerSize == 40 && !spec.masks.empty();
    const std::size_t entrySize = core ? 3 : 4;
    const std::size_t offset =
        14 + spec.headerSize + (masksAfterHeader ? 12 : 0) + entrySize * spec.palette.size();
    std::vector<std::uint8_t> out{'B', 'M'};
    put(out, static_cast<std::uint32_t>(offset + spec.pixels.size()), 4);
    put(out, 0, 4);
    put(out, static_cast<std::uint32_t>(offset), 4);
    put(out, spec.headerSize, 4);
    if (core) {
        put(out, static_cast<std::uint32_t>(spec.width), 2);
        put(out, static_cast<std::uint32_t>(spec.height), 2);
        put(out, spec.planes, 2);
        put(out, spec.bitCount, 2);
    } else {
        put(out, static_cast<std::uint32_t>(spec.width), 4);
        put(out, static_cast<std::uint32_t>(spec.height), 4);
        put(out, spec.planes, 2);
        put(out, spec.bitCount, 2);
        put(out, spec.compression, 4);
        put(out, static_cast<std::uint32_t>(spec.pixels.size()), 4);
        put(out, 0, 4);
        put(out, 0, 4);
        put(out,
            spec.colorsUsed ? spec.colorsUsed : static_cast<std::uint32_t>(spec.palette.size()), 4);
        put(out, 0, 4);
        for (std::uint32_t mask : spec.masks)
            put(out, mask, 4);
        out.resize(14 + spec.headerSize + (masksAfterHeader ? 12 : 0), 0);
    }
    for (const PaletteEntry& e : spec.palette) {
        out.insert(out.end(), {e.b, e.g, e.r});
        if (!core) out.push_back(e.reserved);
    }
    out.insert(out.end(), spec.pixels.begin(), spec.pixels.end());
    return out;
}

std::vector<std::uint8_t> encodeToFile(const Bitmap& bitmap) {
    const BmpFileParts parts = encodeBmp(bitmap);
    std::vector<std::uint8_t> file(parts.header.begin(), parts.header.end());
    file.insert(file.end(), parts.pixels.begin(), parts.pixels.end());
    return file;
}

std::uint32_t fieldAt(const std::vector<std::uint8_t>& file, std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | file[at + i];
    return value;
}

struct RoundTrip {
    PixelFormat format;
    int paletteSize;
};

class BmpRoundTrip : public testing::TestWithParam<RoundTrip> {};

TEST_P(BmpRoundTrip, DecodesToTheSameBitmap) {
    const auto [format, paletteSize] = GetParam();
    for (int width : {1, 2, 3, 4, 5, 7}) {
        const Bitmap original = test::patternBitmap(width, 3, format, paletteSize);
        const DecodeResult decoded = decodeBmp(encodeToFile(original));
        ASSERT_TRUE(decoded) << decoded.error;
        EXPECT_TRUE(test::samePixels(original, *decoded.image)) << "width " << width;
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, BmpRoundTrip,
                         testing::Values(RoundTrip{PixelFormat::Bit8, 0},
                                         RoundTrip{PixelFormat::Bit8, 17},
                                         RoundTrip{PixelFormat::Bit24, 0},
                                         RoundTrip{PixelFormat::Bit32, 0}));

TEST(EncodeBmp, WritesAPlainInfoHeader) {
    struct Row {
        PixelFormat format;
        int paletteSize;
        std::uint32_t bitCount, colorsUsed, offset;
    };
    for (const Row& row :
         {Row{PixelFormat::Bit8, 256, 8, 0, 54 + 1024}, Row{PixelFormat::Bit8, 17, 8, 17, 54 + 68},
          Row{PixelFormat::Bit24, 0, 24, 0, 54}, Row{PixelFormat::Bit32, 0, 32, 0, 54}}) {
        const Bitmap bitmap = test::patternBitmap(5, 3, row.format, row.paletteSize);
        const auto file = encodeToFile(bitmap);
        EXPECT_EQ(fieldAt(file, 0, 2), 0x4D42u);
        EXPECT_EQ(fieldAt(file, 2, 4), file.size());
        EXPECT_EQ(fieldAt(file, 10, 4), row.offset);
        EXPECT_EQ(fieldAt(file, 14, 4), 40u);
        EXPECT_EQ(fieldAt(file, 22, 4), 3u); // positive height: bottom-up
        EXPECT_EQ(fieldAt(file, 28, 2), row.bitCount);
        EXPECT_EQ(fieldAt(file, 30, 4), kRgb);
        EXPECT_EQ(fieldAt(file, 34, 4), bitmap.byteSize());
        EXPECT_EQ(fieldAt(file, 46, 4), row.colorsUsed);
    }
}

TEST(EncodeBmp, RejectsFormatsItCannotWrite) {
    for (PixelFormat format : {PixelFormat::Bit1, PixelFormat::Bit4, PixelFormat::Bit15,
                               PixelFormat::Bit16, PixelFormat::Custom})
        EXPECT_THROW(encodeBmp(test::patternBitmap(2, 2, format)), std::invalid_argument);
}

struct Classification {
    std::uint16_t bitCount;
    std::uint32_t compression;
    std::vector<std::uint32_t> masks;
    PixelFormat expected;
};

TEST(DecodeBmp, ClassifiesDepthsAndMasks) {
    const std::vector<Classification> table = {
        {1, kRgb, {}, PixelFormat::Bit1},
        {4, kRgb, {}, PixelFormat::Bit4},
        {8, kRgb, {}, PixelFormat::Bit8},
        {4, kRle4, {}, PixelFormat::Bit4},
        {8, kRle8, {}, PixelFormat::Bit8},
        {16, kRgb, {}, PixelFormat::Bit15},
        {16, kBitfields, {0xF800, 0x07E0, 0x001F}, PixelFormat::Bit16},
        {16, kBitfields, {0x7C00, 0x03E0, 0x001F}, PixelFormat::Custom},
        {16, kBitfields, {0x001F, 0x07E0, 0xF800}, PixelFormat::Custom},
        {24, kRgb, {}, PixelFormat::Bit24},
        {32, kRgb, {}, PixelFormat::Bit32},
        {32, kBitfields, {0xFF0000, 0xFF00, 0xFF}, PixelFormat::Custom},
    };
    for (const Classification& c : table) {
        BmpSpec spec{.bitCount = c.bitCount, .compression = c.compression, .masks = c.masks};
        if (c.bitCount <= 8) spec.palette.resize(2);
        const bool rle = c.compression == kRle4 || c.compression == kRle8;
        spec.pixels = rle ? std::vector<std::uint8_t>{0, 1}
                          : std::vector<std::uint8_t>(2 * Bitmap::strideFor(2, c.expected));
        const DecodeResult result = decodeBmp(buildBmp(spec));
        ASSERT_TRUE(result) << c.bitCount << " bpp: " << result.error;
        EXPECT_EQ(result.image->format(), c.expected) << c.bitCount << " bpp";
    }
}

TEST(DecodeBmp, AcceptsTheKnownHeaderSizesOnly) {
    for (std::uint32_t size : {12u, 40u, 52u, 56u, 108u, 124u}) {
        BmpSpec spec{.headerSize = size, .width = 1, .height = 1, .pixels = {1, 2, 3, 0}};
        const DecodeResult result = decodeBmp(buildBmp(spec));
        ASSERT_TRUE(result) << size << ": " << result.error;
        EXPECT_EQ(result.image->pixel(0, 0), (Rgb{3, 2, 1})) << size;
    }
    for (std::uint32_t size : {16u, 64u, 100u, 128u}) {
        BmpSpec spec{.headerSize = size, .width = 1, .height = 1, .pixels = {1, 2, 3, 0}};
        EXPECT_FALSE(decodeBmp(buildBmp(spec))) << size;
    }
}

TEST(DecodeBmp, MasksInsideLaterHeaders) {
    // Reversed 5-6-5: red in the low bits. Pixel 0x001F is pure red.
    for (std::uint32_t size : {52u, 56u, 108u, 124u}) {
        BmpSpec spec{.headerSize = size,
                     .width = 1,
                     .height = 1,
                     .bitCount = 16,
                     .compression = kBitfields,
                     .masks = {0x001F, 0x07E0, 0xF800},
                     .pixels = {0x1F, 0x00, 0, 0}};
        const DecodeResult result = decodeBmp(buildBmp(spec));
        ASSERT_TRUE(result) << size << ": " << result.error;
        EXPECT_EQ(result.image->pixel(0, 0), (Rgb{255, 0, 0})) << size;
    }
}

TEST(DecodeBmp, ScalesFieldsToEightBitsRounded) {
    struct Row {
        std::uint32_t mask, value;
        std::uint8_t expected;
    };
    // value * 255 / (2^n - 1), rounded: neither shifting nor truncating gives all of these.
    for (const Row& row : {Row{0x1F, 31, 255}, Row{0x1F, 1, 8}, Row{0x1F, 16, 132}, Row{0xF, 1, 17},
                           Row{0x3F, 62, 251}, Row{0x3FF, 3, 1}, Row{0x3FF, 1022, 255},
                           Row{0x3FF, 1020, 254}, Row{0x1, 1, 255}}) {
        const int shift = 2; // blue, above one-bit red and green fields that stay 0
        const std::uint32_t pixel = row.value << shift;
        BmpSpec spec{.width = 1,
                     .height = 1,
                     .bitCount = 32,
                     .compression = kBitfields,
                     .masks = {0x1, 0x2, row.mask << shift}};
        put(spec.pixels, pixel, 4);
        const DecodeResult result = decodeBmp(buildBmp(spec));
        ASSERT_TRUE(result) << result.error;
        EXPECT_EQ(result.image->pixel(0, 0), (Rgb{0, 0, row.expected}))
            << "mask " << row.mask << " value " << row.value;
        EXPECT_EQ(result.image->row(0)[3], 0);
    }
}

TEST(DecodeBmp, TopDownMatchesBottomUp) {
    for (PixelFormat format :
         {PixelFormat::Bit1, PixelFormat::Bit8, PixelFormat::Bit24, PixelFormat::Bit32}) {
        const Bitmap original = test::patternBitmap(5, 4, format);
        BmpSpec spec{.width = 5,
                     .height = -4,
                     .bitCount = static_cast<std::uint16_t>(bitsPerPixel(format)),
                     .palette = original.palette()};
        for (int y = 0; y < 4; ++y)
            spec.pixels.insert(spec.pixels.end(), original.row(y),
                               original.row(y) + original.stride());
        const DecodeResult result = decodeBmp(buildBmp(spec));
        ASSERT_TRUE(result) << result.error;
        EXPECT_TRUE(test::samePixels(original, *result.image)) << bitsPerPixel(format);
    }
}

TEST(DecodeBmp, PaletteReservedByteIsDropped) {
    BmpSpec spec{.width = 1,
                 .height = 1,
                 .bitCount = 8,
                 .palette = {{1, 2, 3, 0xAA}, {4, 5, 6, 0xFF}},
                 .pixels = {1, 0, 0, 0}};
    const DecodeResult result = decodeBmp(buildBmp(spec));
    ASSERT_TRUE(result) << result.error;
    EXPECT_EQ(result.image->palette(), (std::vector<PaletteEntry>{{1, 2, 3, 0}, {4, 5, 6, 0}}));
}

TEST(DecodeBmp, RefusesPixelDataInsideTheHeaders) {
    auto file = buildBmp({.width = 1, .height = 1, .pixels = {1, 2, 3, 0}});
    file[10] = 40; // bfOffBits inside the info header
    EXPECT_FALSE(decodeBmp(file));
}

TEST(DecodeBmp, RefusesOverCapBeforeLookingAtTheData) {
    // 16385 × 16385 is just over 2^28 pixels; an RLE stream of one end-of-bitmap would be
    // a complete image, so only the cap can refuse it.
    const DecodeResult result = decodeBmp(buildBmp({.width = 16385,
                                                    .height = 16385,
                                                    .bitCount = 8,
                                                    .compression = kRle8,
                                                    .palette = {{}, {}},
                                                    .pixels = {0, 1}}));
    EXPECT_FALSE(result);
    EXPECT_FALSE(decodeBmp(buildBmp(
        {.width = 1 << 28, .height = 2, .bitCount = 1, .palette = {{}, {}}, .pixels = {0, 1}})));
}

struct RleCase {
    const char* name;
    std::uint32_t compression;
    std::vector<std::uint8_t> stream;
    std::vector<std::uint8_t> bottomRowThenTop; // expected indices; empty: refused
};

TEST(DecodeBmp, RunLengthStreams) {
    // 4 × 2 images, palette of 16.
    const std::vector<RleCase> cases = {
        {"runs with end of bitmap",
         kRle8,
         {2, 5, 2, 6, 0, 0, 4, 7, 0, 1},
         {5, 5, 6, 6, 7, 7, 7, 7}},
        {"unset pixels are index 0",
         kRle8,
         {1, 9, 0, 2, 1, 1, 2, 3, 0, 1},
         {9, 0, 0, 0, 0, 0, 3, 3}},
        {"no end of bitmap after the last row",
         kRle8,
         {4, 1, 0, 0, 4, 2},
         {1, 1, 1, 1, 2, 2, 2, 2}},
        {"end of line after the last row",
         kRle8,
         {4, 1, 0, 0, 4, 2, 0, 0},
         {1, 1, 1, 1, 2, 2, 2, 2}},
        {"odd absolute run is padded",
         kRle8,
         {0, 3, 4, 5, 6, 0, 1, 7, 0, 0, 0, 1},
         {4, 5, 6, 7, 0, 0, 0, 0}},
        {"rle4 alternates nibbles",
         kRle4,
         {3, 0x12, 0, 0, 4, 0x34, 0, 1},
         {1, 2, 1, 0, 3, 4, 3, 4}},
        {"rle4 odd absolute run",
         kRle4,
         {0, 3, 0xAB, 0xC0, 1, 0xD0, 0, 1},
         {10, 11, 12, 13, 0, 0, 0, 0}},
        {"stream ends before the last row", kRle8, {4, 1}, {}},
        {"run past the row end", kRle8, {5, 1, 0, 1}, {}},
        {"delta past the row end", kRle8, {0, 2, 5, 0, 0, 0, 0, 1}, {}},
        {"delta below the image", kRle8, {0, 2, 0, 3, 0, 1}, {}},
        {"run after the last row", kRle8, {4, 1, 0, 0, 4, 2, 0, 0, 1, 3, 0, 1}, {}},
        {"second end of line past the height", kRle8, {0, 0, 0, 0, 0, 0, 0, 1}, {}},
        {"truncated run", kRle8, {4, 1, 0}, {}},
        {"truncated absolute run", kRle4, {0, 4, 0x12}, {}},
    };
    for (const RleCase& c : cases) {
        BmpSpec spec{.width = 4,
                     .height = 2,
                     .bitCount = std::uint16_t(c.compression == kRle4 ? 4 : 8),
                     .compression = c.compression,
                     .pixels = c.stream};
        for (std::uint8_t i = 0; i < 16; ++i)
            spec.palette.push_back({i, i, i, 0});
        const DecodeResult result = decodeBmp(buildBmp(spec));
        if (c.bottomRowThenTop.empty()) {
            EXPECT_FALSE(result) << c.name;
            continue;
        }
        ASSERT_TRUE(result) << c.name << ": " << result.error;
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(result.image->pixel(i % 4, 1 - i / 4).r, c.bottomRowThenTop[i])
                << c.name << ", pixel " << i;
    }
}

TEST(DecodeBmp, RefusesTopDownRunLength) {
    BmpSpec spec{.width = 4,
                 .height = -2,
                 .bitCount = 8,
                 .compression = kRle8,
                 .palette = {{}, {}},
                 .pixels = {4, 1, 0, 0, 4, 1, 0, 1}};
    EXPECT_FALSE(decodeBmp(buildBmp(spec)));
    spec.height = 2;
    EXPECT_TRUE(decodeBmp(buildBmp(spec)));
}

TEST(DecodeBmp, KeepsTheFourthByteOf32Bits) {
    const DecodeResult result =
        decodeBmp(buildBmp({.width = 1, .height = 1, .bitCount = 32, .pixels = {1, 2, 3, 0x80}}));
    ASSERT_TRUE(result) << result.error;
    EXPECT_EQ(result.image->row(0)[3], 0x80);
}

TEST(DecodeBmp, NeverReadsPastATruncatedFile) {
    // Every prefix of valid files of each kind is refused or decoded, never read beyond;
    // the sanitizer build turns any overread into a failure.
    std::vector<std::vector<std::uint8_t>> files = {
        encodeToFile(test::patternBitmap(3, 3, PixelFormat::Bit8, 7)),
        buildBmp({.width = 3,
                  .height = 2,
                  .bitCount = 16,
                  .compression = kBitfields,
                  .masks = {0x7C00, 0x03E0, 0x001F},
                  .pixels = std::vector<std::uint8_t>(16)}),
        buildBmp({.width = 4,
                  .height = 2,
                  .bitCount = 4,
                  .compression = kRle4,
                  .palette = {{}, {}},
                  .pixels = {0, 4, 0x12, 0x34, 0, 0, 4, 0x11, 0, 1}}),
    };
    for (const auto& file : files)
        for (std::size_t size = 0; size < file.size(); ++size) {
            const std::vector<std::uint8_t> prefix(file.begin(), file.begin() + size);
            const DecodeResult result = decodeBmp(prefix);
            EXPECT_TRUE(result || !result.error.empty());
        }
}

TEST(BmpLentBuffer, DecodesEveryValidFileAsTheCopyingReaderDoes) {
    for (const auto& entry : std::filesystem::directory_iterator(test::dataPath("bmp/valid"))) {
        const std::vector<std::uint8_t> bytes = test::readFileBytes(entry.path().string());
        const DecodeResult copied = decodeBmp(std::span<const std::uint8_t>(bytes));
        auto buffer = std::make_shared<ByteBuffer>(bytes.begin(), bytes.end());
        const DecodeResult lent = decodeBmp(buffer);
        ASSERT_TRUE(copied && lent) << entry.path();
        EXPECT_TRUE(test::samePixels(*copied.image, *lent.image)) << entry.path();
    }
}

TEST(BmpLentBuffer, WritingTheImageLeavesTheFileBufferAlone) {
    const Bitmap source = test::patternBitmap(5, 4, PixelFormat::Bit24);
    const BmpFileParts parts = encodeBmp(source);
    auto buffer = std::make_shared<ByteBuffer>(parts.header.begin(), parts.header.end());
    buffer->insert(buffer->end(), parts.pixels.begin(), parts.pixels.end());
    const ByteBuffer before = *buffer;
    DecodeResult lent = decodeBmp(buffer);
    ASSERT_TRUE(lent);
    lent.image->row(0)[0] ^= 0xFF;
    EXPECT_EQ(*buffer, before);
}

} // namespace
} // namespace tavlo
