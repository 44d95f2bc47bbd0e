#include "photo_source.h"

#include "lossless_turn.h"
#include "photo_metadata.h"

namespace tavlo {

DecodedPhoto decodePhoto(std::shared_ptr<const ByteBuffer> file, bool upright) {
    DecodedPhoto photo;
    JpegFileFacts facts;
    photo.decoded = decodeJpeg(*file, &facts);
    if (!photo.decoded) return photo;
    const PictureTurn turn =
        upright ? PictureTurn::fromExifOrientation(exifOrientationOf(*file)) : PictureTurn{};
    if (!turn.isIdentity()) photo.decoded.image = turned(*photo.decoded.image, turn);
    if (!facts.profileApplied) photo.iccProfile = facts.iccProfile;
    photo.source = std::make_shared<const PhotoSource>(std::move(file), std::move(facts),
                                                       *photo.decoded.image, turn, upright);
    return photo;
}

PhotoSource::PhotoSource(std::shared_ptr<const ByteBuffer> file, JpegFileFacts facts, Bitmap loaded,
                         PictureTurn loadTurn, bool upright)
    : file_(std::move(file)), facts_(std::move(facts)), loaded_(std::move(loaded)),
      loadTurn_(loadTurn), upright_(upright) {}

std::optional<PictureTurn> PhotoSource::turnFromLoaded(const Bitmap& picture) const {
    for (int orientation = 1; orientation <= 8; ++orientation) {
        const PictureTurn turn = PictureTurn::fromExifOrientation(orientation);
        if (isTurnOf(picture, loaded_, turn)) return turn;
    }
    return std::nullopt;
}

EncodedJpeg PhotoSource::encode(const Bitmap& picture, const JpegSaveOptions& options) const {
    EncodedJpeg result;
    // Turned blocks keep the file's own colour space, so they keep its profile too.
    std::span<const std::uint8_t> profile;
    if (!facts_.profileApplied) profile = facts_.iccProfile;
    // A picture that is, all told, the file's own pixels unturned is saved at the chosen quality:
    // that is what saving an untouched photo asks for.
    if (options.losslessTurns)
        if (const auto turn = turnFromLoaded(picture))
            if (const PictureTurn total = loadTurn_.then(*turn); !total.isIdentity())
                if (auto blocks = turnLosslessly(*file_, total)) {
                    result = {std::move(*blocks), true};
                    profile = facts_.iccProfile;
                }
    if (!result.lossless)
        result.bytes = encodeJpeg(picture, options.quality,
                                  options.keepMetadata ? facts_.density : std::nullopt);
    if (!options.keepMetadata) return result;
    if (auto tagged = withMetadata(*file_, result.bytes, {&picture, upright_, profile}))
        result.bytes = std::move(*tagged);
    return result;
}

} // namespace tavlo
