#include "test_support.h"

#include <unistd.h>

#include <cstring>
#include <fstream>
#include <hwy/targets.h>
#include <iterator>
#include <stdexcept>

namespace tavlo::test {

ScratchFolder::ScratchFolder() {
    std::string name = (std::filesystem::temp_directory_path() / "tavlo-test-XXXXXX").string();
    if (!::mkdtemp(name.data())) throw std::runtime_error("cannot make a scratch folder");
    path_ = name;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string dataPath(std::string_view relative) {
    return std::string(TAVLO_TEST_DATA) + "/" + std::string(relative);
}

std::vector<std::uint8_t> readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

namespace {

std::size_t usedRowBytes(const Bitmap& bitmap) {
    return (static_cast<std::size_t>(bitmap.width()) * bitsPerPixel(bitmap.format()) + 7) / 8;
}

} // namespace

Bitmap patternBitmap(int width, int height, PixelFormat format, int paletteSize) {
    std::vector<PaletteEntry> palette;
    if (hasPalette(format)) {
        const int count = paletteSize > 0 ? paletteSize : 1 << bitsPerPixel(format);
        for (int i = 0; i < count; ++i)
            palette.push_back({static_cast<std::uint8_t>(i * 7 + 3),
                               static_cast<std::uint8_t>(255 - i),
                               static_cast<std::uint8_t>(i * 13 + 1), 0});
    }
    Bitmap bitmap(width, height, format, std::move(palette));
    std::uint32_t state = 0x12345678u ^ static_cast<std::uint32_t>(width * 31 + height);
    const std::size_t used = usedRowBytes(bitmap);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bitmap.row(y);
        for (std::size_t i = 0; i < used; ++i) {
            state = state * 1664525u + 1013904223u;
            row[i] = static_cast<std::uint8_t>(state >> 24);
        }
    }
    return bitmap;
}

bool samePixels(const Bitmap& a, const Bitmap& b) {
    if (a.width() != b.width() || a.height() != b.height() || a.format() != b.format() ||
        a.palette() != b.palette())
        return false;
    const std::size_t used = usedRowBytes(a);
    for (int y = 0; y < a.height(); ++y)
        if (std::memcmp(a.row(y), b.row(y), used) != 0) return false;
    return true;
}

std::uint32_t everyColourAt(std::size_t index, int step) {
    const std::size_t colour = index * static_cast<std::size_t>(step);
    return colour < (std::size_t{1} << 24) ? static_cast<std::uint32_t>(colour) : 0;
}

Bitmap everyColourImage(int step) {
    const std::size_t count = ((std::size_t{1} << 24) + step - 1) / static_cast<std::size_t>(step);
    const int height = static_cast<int>((count + 4095) / 4096);
    Bitmap image = Bitmap::uninitialised(4096, height, PixelFormat::Bit24);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* pixel = image.row(y);
        for (int x = 0; x < 4096; ++x, pixel += 3) {
            const std::uint32_t colour = everyColourAt(std::size_t(y) * 4096 + x, step);
            pixel[0] = static_cast<std::uint8_t>(colour);
            pixel[1] = static_cast<std::uint8_t>(colour >> 8);
            pixel[2] = static_cast<std::uint8_t>(colour >> 16);
        }
    }
    return image;
}

void onEveryInstructionSet(const std::function<void(const char* name)>& body) {
    struct Restore {
        ~Restore() {
            hwy::SetSupportedTargetsForTest(0);
            hwy::GetChosenTarget().Update(hwy::SupportedTargets());
        }
    } restore;
    for (const std::int64_t target : hwy::SupportedAndGeneratedTargets()) {
        hwy::SetSupportedTargetsForTest(target);
        hwy::GetChosenTarget().Update(hwy::SupportedTargets());
        body(hwy::TargetName(target));
    }
}

} // namespace tavlo::test
