// The JPEG file a picture was loaded from, kept beside the document so that a save can carry its
// tags and profile over and, when the picture is still only a turn of the one loaded, write the
// file's own DCT blocks turned instead of encoding the pixels again.
#pragma once

#include "decode_result.h"
#include "jpeg_codec.h"
#include "large_buffer.h"
#include "picture_turn.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace tavlo {

struct JpegSaveOptions {
    int quality = 50;
    bool keepMetadata = true;  // the source's tags and profile, updated
    bool losslessTurns = true; // turns written from the DCT blocks when they are perfect
};

struct EncodedJpeg {
    std::string bytes;
    bool lossless = false; // the source's blocks turned, not encoded again
};

class PhotoSource;

// A JPEG file decoded as the program loads it. `iccProfile` is the profile of the decoded pixels:
// the file's, or none when CMYK was converted through it.
struct DecodedPhoto {
    DecodeResult decoded;
    std::vector<std::uint8_t> iccProfile;
    std::shared_ptr<const PhotoSource> source; // set on success
};

// Decodes the file and, when `upright`, turns the picture as its EXIF orientation says.
// Throws std::bad_alloc when memory runs out. `stop`, when it becomes true, gives the decode up.
DecodedPhoto decodePhoto(std::shared_ptr<const ByteBuffer> file, bool upright,
                         const std::atomic<bool>* stop = nullptr);

// The size of the picture decodePhoto gives, from the headers alone; nullopt when they do not
// read.
std::optional<std::pair<int, int>> photoSize(std::span<const std::uint8_t> file, bool upright);

// The largest of the DCT reductions 2, 4 and 8 whose picture of width x height is still at least
// needWidth x needHeight; 1 when none is.
int scaleDenominatorFor(int width, int height, int needWidth, int needHeight);

// The top `rows` rows of the picture decodePhoto gives, when setting it upright leaves the stored
// rows where they are (refused otherwise); for a first draw of a picture larger than the view.
DecodedPhoto decodePhotoTop(std::span<const std::uint8_t> file, bool upright, int rows);

// A quick look at the file: reduced by `denominator` (2, 4 or 8) in the DCT and turned as
// decodePhoto turns it, with the profile of its pixels. No source is kept: the look is not the
// loaded picture. Throws std::bad_alloc when memory runs out.
DecodedPhoto decodeReducedPhoto(std::span<const std::uint8_t> file, bool upright, int denominator,
                                const std::atomic<bool>* stop = nullptr);

class PhotoSource {
  public:
    PhotoSource(std::shared_ptr<const ByteBuffer> file, JpegFileFacts facts, Bitmap loaded,
                PictureTurn loadTurn, bool upright);

    // The turn of the loaded picture that `picture` is, if it is one.
    std::optional<PictureTurn> turnFromLoaded(const Bitmap& picture) const;

    // `picture` as a JPEG file to save. Throws std::bad_alloc when memory runs out and
    // std::runtime_error when the encoder fails.
    EncodedJpeg encode(const Bitmap& picture, const JpegSaveOptions& options) const;

  private:
    std::shared_ptr<const ByteBuffer> file_;
    JpegFileFacts facts_;
    Bitmap loaded_; // as the document got it, shares its pixels with the first working image
    PictureTurn loadTurn_;
    bool upright_;
};

} // namespace tavlo
