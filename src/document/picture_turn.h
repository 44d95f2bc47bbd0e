// The eight ways a picture can lie: quarter and half turns, mirrors, flips and their
// compositions, named as EXIF orientations name them. Used to set a photo upright on load and to
// find out whether an edited picture is still only a turn of the one loaded.
#pragma once

#include "bitmap.h"

namespace tavlo {

// Transpose first (when set), then mirror left-right, then flip top-bottom.
struct PictureTurn {
    bool transpose = false;
    bool mirror = false;
    bool flip = false;

    // 1 upright, 2 mirrored, 3 half turn, 4 flipped, 5 transposed, 6 turned right,
    // 7 transversed, 8 turned left: the turn that sets a picture stored so upright. Values
    // outside 1..8 are upright.
    static PictureTurn fromExifOrientation(int orientation);
    int exifOrientation() const;

    bool isIdentity() const { return !transpose && !mirror && !flip; }
    // This turn followed by `next`.
    PictureTurn then(PictureTurn next) const;

    bool operator==(const PictureTurn&) const = default;
};

// The picture turned; palette and format kept. Bit8 and Bit24 only (what a JPEG decodes to);
// any other format throws std::invalid_argument.
Bitmap turned(const Bitmap& picture, PictureTurn turn);

// True when `result` is `picture` turned by `turn`, pixel for pixel, in the same format and
// palette. Stops at the first difference, so a mismatch usually costs a few pixels.
bool isTurnOf(const Bitmap& result, const Bitmap& picture, PictureTurn turn);

} // namespace tavlo
