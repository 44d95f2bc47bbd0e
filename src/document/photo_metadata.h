// A photo's tags through Exiv2: the EXIF orientation read on load, and EXIF, XMP, IPTC, the
// comment and the ICC profile of the loaded file carried over into a newly written JPEG, updated
// to describe its pixels. Metadata that does not parse is dropped, never passed on: the picture
// matters more than its tags.
#pragma once

#include "bitmap.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tavlo {

// The orientation tag of a JPEG file, 1..8; 1 when it is missing, out of range or unreadable.
int exifOrientationOf(std::span<const std::uint8_t> file);

// How the tags are to describe the new file.
struct MetadataUpdate {
    const Bitmap* picture = nullptr;          // the pixels saved: size and thumbnail
    bool setUpright = true;                   // orientation 1; else the tag stays as it was
    std::span<const std::uint8_t> iccProfile; // the profile of the saved pixels, or none
};

// `encoded` (a JPEG without tags) with the tags of `source` as `update` says: orientation,
// pixel dimensions (ImageWidth/ImageLength where present), a thumbnail rebuilt from the picture
// where the source had one, and the software tag naming Tavlo; everything else as it was.
// Returns nothing when there is nothing to carry over or the tags cannot be written so that
// they read back. Throws std::bad_alloc when memory runs out.
std::optional<std::string> withMetadata(std::span<const std::uint8_t> source,
                                        const std::string& encoded, const MetadataUpdate& update);

} // namespace tavlo
