// libFuzzer target for a photo's tags: the input is the loaded file, whose orientation is read and
// whose tags and profile are carried into a fresh JPEG, updated. What comes out must read back.
#include "document/colour_profile.h"
#include "document/jpeg_codec.h"
#include "document/photo_metadata.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

const tavlo::Bitmap& picture() {
    static const tavlo::Bitmap bitmap(24, 16, tavlo::PixelFormat::Bit24);
    return bitmap;
}

const std::string& bareJpeg() {
    static const std::string jpeg = tavlo::encodeJpeg(picture(), 75);
    return jpeg;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    const int orientation = tavlo::exifOrientationOf(file);
    if (orientation < 1 || orientation > 8) std::abort();
    // The whole input doubles as a profile, so that lcms2's reading of it is searched too.
    const bool profile = tavlo::profileParses(file);
    const auto tagged = tavlo::withMetadata(
        file, bareJpeg(), {&picture(), true, profile ? file : std::span<const std::uint8_t>()});
    if (!tagged) return 0;
    if (!tavlo::decodeJpeg({reinterpret_cast<const std::uint8_t*>(tagged->data()), tagged->size()}))
        std::abort(); // the tags broke the picture
    return 0;
}
