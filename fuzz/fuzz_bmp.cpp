// libFuzzer entry point for the BMP decoder: any input must be refused or decoded; a decoded
// image must be readable at its corners, and one the writer accepts must read back unchanged.
#include "document/bmp_codec.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

void touchCorners(const tavlo::Bitmap& image) {
    const int right = image.width() - 1, bottom = image.height() - 1;
    volatile unsigned sink = 0;
    for (const auto& [x, y] : {std::pair{0, 0}, {right, 0}, {0, bottom}, {right, bottom}}) {
        const tavlo::Rgb c = image.pixel(x, y);
        sink = sink + c.r + c.g + c.b;
    }
}

bool writable(tavlo::PixelFormat format) {
    return format == tavlo::PixelFormat::Bit8 || format == tavlo::PixelFormat::Bit24 ||
           format == tavlo::PixelFormat::Bit32;
}

void checkRoundTrip(const tavlo::Bitmap& image) {
    const tavlo::BmpFileParts parts = tavlo::encodeBmp(image);
    std::vector<std::uint8_t> file(parts.header.begin(), parts.header.end());
    file.insert(file.end(), parts.pixels.begin(), parts.pixels.end());
    const tavlo::DecodeResult again = tavlo::decodeBmp(file);
    if (!again || again.image->format() != image.format() ||
        again.image->palette() != image.palette() ||
        std::memcmp(again.image->bottomUpData(), image.bottomUpData(), image.byteSize()) != 0)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const tavlo::DecodeResult result = tavlo::decodeBmp({data, size});
    if (!result) return 0;
    touchCorners(*result.image);
    if (writable(result.image->format())) checkRoundTrip(*result.image);
    return 0;
}
