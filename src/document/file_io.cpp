#include "file_io.h"

#include "file_problem.h"

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <sys/uio.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace tavlo {

namespace fs = std::filesystem;

namespace {

// The error's text through the category, not strerror, which may share one buffer between the
// threads of a batch.
std::string describe(const std::string& what, const std::filesystem::path& path, int error) {
    return what + " " + path.string() + ": " + std::generic_category().message(error);
}

void report(FileProblem* problem, FileProblem what) {
    if (problem) *problem = what;
}

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

  private:
    int fd_;
};

// Writes every piece with as few system calls as the kernel allows.
bool writeAll(int fd, std::span<const std::span<const std::uint8_t>> pieces) {
    for (auto piece : pieces) {
        while (!piece.empty()) {
            const ssize_t written = ::write(fd, piece.data(), piece.size());
            if (written < 0) {
                if (errno == EINTR) continue;
                return false;
            }
            piece = piece.subspan(static_cast<std::size_t>(written));
        }
    }
    return true;
}

// The path with its symbolic links followed one by one (relative ones from the link's folder),
// so that a save replaces the file behind a link and not the link. A path that names nothing
// yet, a dangling link's target included, is where the new file goes.
std::optional<fs::path> finalTarget(fs::path path, int& failure) {
    constexpr int kMaxLinks = 40; // as the system counts before ELOOP
    for (int links = 0; links <= kMaxLinks; ++links) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0) {
            if (errno == ENOENT) return path;
            failure = errno;
            return std::nullopt;
        }
        if (!S_ISLNK(info.st_mode)) return path;
        std::error_code code;
        const fs::path next = fs::read_symlink(path, code);
        if (code) {
            failure = code.value();
            return std::nullopt;
        }
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    failure = ELOOP;
    return std::nullopt;
}

// Root may write anything, so for root a file without any write bit counts as read-only: that
// is how its owner said "leave this alone".
bool readOnly(const fs::path& target, const struct stat& info) {
    if (::geteuid() == 0 && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return true;
    return ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0;
}

// The replacement takes over the owner, group and mode of the file it replaces. Only root may
// give a file away, but an owner may still pass on a group of their own; the owner goes first
// because changing it clears the set-user-ID and set-group-ID bits. When the group cannot be
// kept, its rights are dropped rather than handed to the process's own group.
void takeOverAttributes(int fd, const struct stat& old) {
    bool groupKept = ::fchown(fd, old.st_uid, old.st_gid) == 0 ||
                     ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0;
    struct stat now {};
    if (!groupKept && ::fstat(fd, &now) == 0) groupKept = now.st_gid == old.st_gid;
    ::fchmod(fd, old.st_mode & (groupKept ? 07777 : 07707));
}

// mkstemp makes the file private; a new file gets the permissions a plain create would.
void giveDefaultMode(int fd) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
}

// Makes the rename itself durable; a folder that cannot be opened only loses that guarantee.
void syncFolder(const fs::path& folder) {
    FileDescriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.get() >= 0) ::fsync(directory.get());
}

// Overwrites the file itself, so it keeps its inode, mode and owner. The pieces are already
// encoded in full; only a write that fails part-way (a full disk) can leave it cut short.
bool writeInPlace(const fs::path& target, std::span<const std::span<const std::uint8_t>> pieces,
                  std::string& error, FileProblem* problem) {
    FileDescriptor file(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    bool ok = file.get() >= 0 && ::fstat(file.get(), &info) == 0 && S_ISREG(info.st_mode);
    std::uint64_t total = 0;
    for (const auto piece : pieces)
        total += piece.size();
    ok = ok && writeAll(file.get(), pieces) &&
         ::ftruncate(file.get(), static_cast<off_t>(total)) == 0 && ::fsync(file.get()) == 0;
    const int reason = errno;
    if (ok && ::close(file.release()) == 0) return true;
    report(problem, problemOfErrno(reason, true));
    error = describe("cannot write", target, reason);
    return false;
}

} // namespace

FileProblem problemOfErrno(int error, bool writing) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return FileProblem::Missing;
    case EACCES:
    case EPERM:
        return FileProblem::NoPermission;
    case EROFS:
        return FileProblem::ReadOnly;
    case ENOSPC:
    case EDQUOT:
        return FileProblem::NoSpace;
    case EISDIR:
        return FileProblem::NotRegularFile;
    default:
        return writing ? FileProblem::WriteFailed : FileProblem::ReadFailed;
    }
}

bool readWholeFile(const fs::path& path, ByteBuffer& bytes, std::string& error,
                   std::uint64_t maxBytes, FileProblem* problem) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        report(problem, problemOfErrno(errno, false));
        error = describe("cannot open", path, errno);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        report(problem, FileProblem::NotRegularFile);
        error = "not a regular file: " + path.string();
        return false;
    }
    // Should the path have turned into a FIFO since, opening it must not wait for a writer.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0) {
        report(problem, problemOfErrno(errno, false));
        error = describe("cannot open", path, errno);
        return false;
    }
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        report(problem, FileProblem::NotRegularFile);
        error = "not a regular file: " + path.string();
        return false;
    }
    if (static_cast<std::uint64_t>(info.st_size) > maxBytes) {
        report(problem, FileProblem::TooLarge);
        error = path.string() + ": file too large (" + std::to_string(info.st_size) +
                " bytes, at most " + std::to_string(maxBytes) + ")";
        return false;
    }
    bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(file.get(), bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            report(problem, FileProblem::ReadFailed);
            error = describe("cannot read", path, errno);
            return false;
        }
        if (got == 0) // the file shrank while we read it
            break;
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    return true;
}

bool isReadOnlyTarget(const fs::path& path) {
    int failure = 0;
    const auto target = finalTarget(path, failure);
    struct stat info {};
    return target && ::stat(target->c_str(), &info) == 0 && readOnly(*target, info);
}

bool writeFileAtomically(const fs::path& path,
                         std::span<const std::span<const std::uint8_t>> pieces, std::string& error,
                         FileProblem* problem) {
    int failure = 0;
    const auto target = finalTarget(path, failure);
    if (!target) {
        report(problem, problemOfErrno(failure, true));
        error = describe("cannot write", path, failure);
        return false;
    }
    struct stat existing {};
    const bool replacing = ::stat(target->c_str(), &existing) == 0;
    if (replacing && !S_ISREG(existing.st_mode)) {
        report(problem, FileProblem::NotRegularFile);
        error = "cannot write " + path.string() + ": not a regular file";
        return false;
    }
    if (replacing && readOnly(*target, existing)) {
        report(problem, FileProblem::ReadOnly);
        error = "cannot write " + path.string() + ": the file is read-only";
        return false;
    }

    const fs::path folder = target->has_parent_path() ? target->parent_path() : fs::path(".");
    std::string hiddenName = ".";
    hiddenName += target->filename().string();
    hiddenName += ".XXXXXX";
    std::string temporary = (folder / hiddenName).string();
    FileDescriptor file(::mkstemp(temporary.data()));
    if (file.get() < 0) {
        const int reason = errno;
        // A file the user may write in a folder they may not: write it where it lies.
        if (replacing && reason == EACCES) return writeInPlace(*target, pieces, error, problem);
        report(problem, problemOfErrno(reason, true));
        error = describe("cannot write", path, reason);
        return false;
    }
    if (replacing)
        takeOverAttributes(file.get(), existing);
    else
        giveDefaultMode(file.get());

    bool ok = writeAll(file.get(), pieces) && ::fsync(file.get()) == 0;
    int reason = errno;
    if (ok && ::close(file.release()) != 0) {
        ok = false;
        reason = errno;
    }
    if (ok && ::rename(temporary.c_str(), target->c_str()) != 0) {
        ok = false;
        reason = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        report(problem, problemOfErrno(reason, true));
        error = describe("cannot write", path, reason);
        return false;
    }
    syncFolder(folder);
    return true;
}

} // namespace tavlo
