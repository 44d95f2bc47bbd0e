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
