#include "file_entry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavlo {

namespace {

// Dot-files are hidden; "." and ".." name directories rather than hide them. A trailing
// separator ("dir/") names the directory before it.
bool isHiddenName(const std::filesystem::path& path) {
    std::filesystem::path name = path.filename();
    if (name.empty()) name = path.parent_path().filename();
    const std::string text = name.string();
    return text.size() > 1 && text[0] == '.' && text != "..";
}

} // namespace

std::optional<FileEntry> lookUpFileEntry(const std::filesystem::path& path) {
    struct statx info {};
    if (statx(AT_FDCWD, path.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &info) != 0)
        return std::nullopt;

    FileEntry entry;
    entry.size = info.stx_size;
    entry.lastWrite = static_cast<std::time_t>(info.stx_mtime.tv_sec);
    if (info.stx_mask & STATX_BTIME)
        entry.created = static_cast<std::time_t>(info.stx_btime.tv_sec);
    entry.directory = S_ISDIR(info.stx_mode);
    entry.hidden = isHiddenName(path);
    // Whether we may write it, as the system decides: this also covers read-only file systems
    // and access control lists, but a process with root rights may write any file and so sees
    // none as read-only.
    entry.readOnly = access(path.c_str(), W_OK) != 0;
    return entry;
}

} // namespace tavlo
