// A file read and decoded as a load reads it, before any document takes it, so that the decode
// can run on any thread and ahead of time; the document then takes it in one step.
#pragma once

#include "decode_result.h"
#include "file_problem.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tavlo {

class PhotoSource;

enum class LoadOutcome {
    Loaded,
    RefusedExtension, // not a JPEG or BMP extension (imageFileType)
    InvalidImage,     // the decoder refused the data
    CannotRead,       // not a regular file, too large, or unreadable
    // All but Loaded leave the document as it was, sourcePath back at loadedPath, with the
    // reason in `error` and `problem`.
};

// What tells one version of a file from the next: a file rewritten since has another.
struct FileStamp {
    std::uintmax_t size = 0;
    std::filesystem::file_time_type lastWrite;
    bool operator==(const FileStamp&) const = default;
};

// The file's stamp now; nullopt when it is not a regular file that can be looked at.
std::optional<FileStamp> fileStampOf(const std::filesystem::path& path);

struct DecodedFile {
    LoadOutcome outcome = LoadOutcome::CannotRead;
    std::string error; // the one-line reason, and its kind, when not Loaded
    FileProblem problem = FileProblem::None;
    DecodeResult decoded;
    // For a JPEG: the profile its pixels are in and the file kept for saves.
    std::vector<std::uint8_t> iccProfile;
    std::shared_ptr<const PhotoSource> photo;
    std::optional<FileStamp> stamp; // taken before the file was read
};

// Reads and decodes the file at `path` by its extension, a JPEG set upright when `upright`.
// A decode given up through `stop` is InvalidImage with decoded.stopped set. A `reduction` of
// 2, 4 or 8 gives a JPEG's quick look instead (decodeReducedPhoto), with no photo kept; a BMP
// has none and is refused. Throws std::bad_alloc when memory runs out.
DecodedFile decodeImageFile(const std::string& path, bool upright,
                            const std::atomic<bool>* stop = nullptr, int reduction = 1);

} // namespace tavlo
