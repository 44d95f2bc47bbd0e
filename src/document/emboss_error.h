// The error every pixel kernel raises for a bitmap without width or height.
#pragma once

#include "bitmap.h"

#include <stdexcept>

namespace tavlo {

class EEmbossError : public std::runtime_error {
  public:
    EEmbossError() : std::runtime_error("Invalid Bitmap Size") {}
};

inline void requireNonEmpty(const Bitmap& bitmap) {
    if (bitmap.empty()) throw EEmbossError();
}

} // namespace tavlo
