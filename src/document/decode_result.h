// What a decoder hands back: an image, or the reason it refused the data.
#pragma once

#include "bitmap.h"

#include <optional>
#include <string>

namespace tavlo {

struct DecodeResult {
    std::optional<Bitmap> image; // set on success
    std::string error;           // one line, set on refusal
    bool tooManyPixels = false;  // refused for a size above kMaxPixels
    bool stopped = false;        // given up when asked to, saying nothing about the data

    static DecodeResult refused(std::string why) { return {std::nullopt, std::move(why)}; }
    static DecodeResult refusedAsTooLarge(std::string why) {
        return {std::nullopt, std::move(why), true};
    }
    explicit operator bool() const { return image.has_value(); }
};

} // namespace tavlo
