// Helpers shared by the core tests.
#pragma once

#include "document/bitmap.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tavlo::test {

// A fresh private folder under the system's temporary folder, with a name no other run can
// have; removed with everything in it.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string file(std::string_view name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

// Absolute path of a file under tests/data.
std::string dataPath(std::string_view relative);

// The whole file; throws std::runtime_error when it cannot be read.
std::vector<std::uint8_t> readFileBytes(const std::string& path);

// A bitmap of the given format whose every stored byte (padding excepted) follows a fixed
// pseudo-random sequence, so that a copy that drops, moves or flips anything shows up.
// Palette formats get a palette of `paletteSize` distinct entries (0: 2^bpp); with a shorter
// palette some 8-bit indices lie beyond it.
Bitmap patternBitmap(int width, int height, PixelFormat format, int paletteSize = 0);

// True when both bitmaps have the same size, format and palette and the same pixel bytes
// (row padding ignored).
bool samePixels(const Bitmap& a, const Bitmap& b);

// Colours 0, step, 2 × step, … of the 2^24 (0xRRGGBB) as a 24-bit image 4096 pixels wide (the
// last row filled up with black), so that colour c / step sits at x = (c / step) % 4096.
Bitmap everyColourImage(int step = 1);

// The colour at pixel `index` of everyColourImage(step); 0 past the last one.
std::uint32_t everyColourAt(std::size_t index, int step);

// Runs body once for each instruction set that the vector kernels were compiled for and this
// processor runs, with the kernels dispatched to it, then restores the usual choice.
void onEveryInstructionSet(const std::function<void(const char* name)>& body);

} // namespace tavlo::test
