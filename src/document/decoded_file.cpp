#include "decoded_file.h"

#include "bmp_codec.h"
#include "document.h"
#include "file_io.h"
#include "image_file_type.h"
#include "jpeg_codec.h"
#include "photo_source.h"

#include <system_error>

namespace tavlo {

std::optional<FileStamp> fileStampOf(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    FileStamp stamp;
    stamp.size = std::filesystem::file_size(path, error);
    if (error) return std::nullopt;
    stamp.lastWrite = std::filesystem::last_write_time(path, error);
    if (error) return std::nullopt;
    return stamp;
}

DecodedFile decodeImageFile(const std::string& path, bool upright, const std::atomic<bool>* stop,
                            int reduction) {
    DecodedFile file;
    const ImageFileType type = imageFileType(path);
    if (type == ImageFileType::Other || (type == ImageFileType::Bmp && reduction != 1)) {
        file.outcome = LoadOutcome::RefusedExtension;
        file.problem = FileProblem::NotImageType;
        file.error = upperCased(std::filesystem::path(path).filename().string()) +
                     ": not a JPEG or BMP file";
        return file;
    }
    const bool isJpeg = type == ImageFileType::Jpeg;
    file.stamp = fileStampOf(path);
    auto bytes = std::make_shared<ByteBuffer>();
    if (!readWholeFile(path, *bytes, file.error, isJpeg ? kMaxJpegFileBytes : kMaxBmpFileBytes,
                       &file.problem))
        return file;
    if (isJpeg && reduction != 1) {
        DecodedPhoto look = decodeReducedPhoto(*bytes, upright, reduction, stop);
        file.decoded = std::move(look.decoded);
        file.iccProfile = std::move(look.iccProfile);
    } else if (isJpeg) {
        DecodedPhoto photo = decodePhoto(std::move(bytes), upright, stop);
        file.decoded = std::move(photo.decoded);
        file.iccProfile = std::move(photo.iccProfile);
        file.photo = std::move(photo.source);
    } else {
        file.decoded = decodeBmp(std::move(bytes));
    }
    if (!file.decoded) {
        file.outcome = LoadOutcome::InvalidImage;
        file.problem =
            file.decoded.tooManyPixels ? FileProblem::TooManyPixels : FileProblem::NotAnImage;
        file.error = file.decoded.error;
        return file;
    }
    file.outcome = LoadOutcome::Loaded;
    return file;
}

} // namespace tavlo
