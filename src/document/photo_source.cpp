#include "photo_source.h"

#include "lossless_turn.h"
#include "photo_metadata.h"

namespace tavlo {

namespace {

PictureTurn loadTurnOf(std::span<const std::uint8_t> file, bool upright) {
    return upright ? PictureTurn::fromExifOrientation(exifOrientationOf(file)) : PictureTurn{};
}

// The decoded picture set as the load sets it, with the profile its pixels are in.
DecodedPhoto uprightPhoto(DecodeResult decoded, const JpegFileFacts& facts, PictureTurn turn) {
    DecodedPhoto photo{std::move(decoded), {}, {}};
    if (!photo.decoded) return photo;
    if (!turn.isIdentity()) photo.decoded.image = turned(*photo.decoded.image, turn);
    if (!facts.profileApplied) photo.iccProfile = facts.iccProfile;
    return photo;
}

// ceil(side / denominator), as libjpeg sizes a reduced picture.
int reducedSide(int side, int denominator) {
    return (side + denominator - 1) / denominator;
}

} // namespace

std::optional<std::pair<int, int>> photoSize(std::span<const std::uint8_t> file, bool upright) {
    auto size = jpegStoredSize(file);
    if (size && loadTurnOf(file, upright).transpose) std::swap(size->first, size->second);
    return size;
}

int scaleDenominatorFor(int width, int height, int needWidth, int needHeight) {
    for (const int denominator : {8, 4, 2})
        if (reducedSide(width, denominator) >= needWidth &&
            reducedSide(height, denominator) >= needHeight)
            return denominator;
    return 1;
}

DecodedPhoto decodeReducedPhoto(std::span<const std::uint8_t> file, bool upright, int denominator,
                                const std::atomic<bool>* stop) {
    JpegFileFacts facts;
    DecodeResult decoded = decodeJpeg(file, &facts, {denominator, stop});
    return uprightPhoto(std::move(decoded), facts, loadTurnOf(file, upright));
}

DecodedPhoto decodePhotoTop(std::span<const std::uint8_t> file, bool upright, int rows) {
    const PictureTurn turn = loadTurnOf(file, upright);
    if (!turn.isIdentity()) return {DecodeResult::refused("The picture is stored turned"), {}, {}};
    JpegFileFacts facts;
    return uprightPhoto(decodeJpeg(file, &facts, {1, nullptr, rows}), facts, turn);
}

DecodedPhoto decodePhoto(std::shared_ptr<const ByteBuffer> file, bool upright,
                         const std::atomic<bool>* stop) {
    JpegFileFacts facts;
    const PictureTurn turn = loadTurnOf(*file, upright);
    DecodedPhoto photo = uprightPhoto(decodeJpeg(*file, &facts, {1, stop}), facts, turn);
    if (!photo.decoded) return photo;
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
