// Why a load or a save failed, for a message in the user's language; the one-line English
// reason beside it is for the batch tool and logs.
#pragma once

namespace tavlo {

enum class FileProblem {
    None,
    Missing,        // the file, or a folder on its path, does not exist
    NoPermission,   // the process may not read (or write) it
    NotRegularFile, // a folder, device or FIFO
    TooLarge,       // more bytes than any image within the pixel limit can need
    ReadFailed,
    ReadOnly,
    NoSpace,
    WriteFailed,
    NotImageType,  // neither a JPEG nor a BMP extension
    NotAnImage,    // the decoder refused the data
    TooManyPixels, // the decoder found an image above the pixel limit
};

// The problem an errno value from opening, reading or writing stands for.
FileProblem problemOfErrno(int error, bool writing);

} // namespace tavlo
