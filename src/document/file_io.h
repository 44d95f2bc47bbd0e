// Whole-file reads and crash-safe writes.
#pragma once

#include "large_buffer.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace tavlo {

// Reads a regular file whole. On failure returns false and a one-line reason in `error`.
bool readWholeFile(const std::filesystem::path& path, ByteBuffer& bytes,
                   std::string& error);

// Writes the pieces, in order, to a temporary file beside `path` and renames it over `path`, so
// an existing file is replaced whole or not at all. On failure the temporary file is removed,
// `path` is untouched, and a one-line reason is in `error`.
bool writeFileAtomically(const std::filesystem::path& path,
                         std::span<const std::span<const std::uint8_t>> pieces, std::string& error);

} // namespace tavlo
