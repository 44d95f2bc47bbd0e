// Whole-file reads and crash-safe writes: every load and save of the program goes through here.
#pragma once

#include "file_problem.h"
#include "large_buffer.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace tavlo {

// Reads a regular file whole. Anything else (a FIFO, a device, a folder) is refused before it is
// opened, and a file of more than `maxBytes` before it is read. On failure returns false and a
// one-line reason in `error`.
// `problem`, when given, tells the failure's kind.
bool readWholeFile(const std::filesystem::path& path, ByteBuffer& bytes, std::string& error,
                   std::uint64_t maxBytes, FileProblem* problem = nullptr);

// True when a save to `path` is refused as read-only: the process may not write the file the
// path names (symbolic links followed), or it runs as root and the file has no write bit at all.
// A file that does not exist yet is not read-only.
bool isReadOnlyTarget(const std::filesystem::path& path);

// Writes the pieces, in order, to a temporary file in the target's folder, flushes it to disk
// and renames it over the target, so an existing file is replaced whole or not at all. A
// symbolic link stays a link: the file it points to is replaced. The new file keeps the mode
// (and, where the process may, the owner and group) of the file it replaces; a new file gets
// the usual default. A read-only target (isReadOnlyTarget) or one that is not a regular file is
// refused. On failure the target is untouched, no temporary file is left, and a one-line reason
// is in `error` (its kind in `problem`, when given). A writable file in a folder the process may
// not write is overwritten where it lies instead, keeping its inode, mode and owner.
bool writeFileAtomically(const std::filesystem::path& path,
                         std::span<const std::span<const std::uint8_t>> pieces, std::string& error,
                         FileProblem* problem = nullptr);

} // namespace tavlo
