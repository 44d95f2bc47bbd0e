// What the directory says about a file: attributes, times and size.
#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

namespace tavlo {

struct FileEntry {
    bool readOnly = false; // access(W_OK) refuses: never for a process with root rights
    bool hidden = false;   // name starts with "." (not "." or "..")
    bool directory = false;
    std::optional<std::time_t> created; // birth time, when the file system keeps it
    std::time_t lastWrite = 0;
    std::uint64_t size = 0;
};

// Follows symbolic links; nullopt when nothing is found at the path.
std::optional<FileEntry> lookUpFileEntry(const std::filesystem::path& path);

} // namespace tavlo
