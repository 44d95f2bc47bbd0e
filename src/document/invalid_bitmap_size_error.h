// The error every pixel kernel raises for a bitmap without width or height.
#pragma once

#include "bitmap.h"

#include <stdexcept>

namespace tavlo {

class InvalidBitmapSizeError : public std::runtime_error {
  public:
    InvalidBitmapSizeError() : std::runtime_error("Invalid Bitmap Size") {}
};

inline void requireNonEmpty(const Bitmap& bitmap) {
    if (bitmap.empty()) throw InvalidBitmapSizeError();
}

} // namespace tavlo
