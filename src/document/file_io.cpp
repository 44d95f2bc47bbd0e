#include "file_io.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace tavlo {

namespace {

// The error's text through the category, not strerror, which may share one buffer between the
// threads of a batch.
std::string describe(const std::string& what, const std::filesystem::path& path, int error) {
    return what + " " + path.string() + ": " + std::generic_category().message(error);
}

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
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
                if (errno == EINTR)
                    continue;
                return false;
            }
            piece = piece.subspan(static_cast<std::size_t>(written));
        }
    }
    return true;
}

} // namespace

bool readWholeFile(const std::filesystem::path& path, ByteBuffer& bytes,
                   std::string& error) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) {
        error = describe("cannot open", path, errno);
        return false;
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        error = "not a regular file: " + path.string();
        return false;
    }
    bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(file.get(), bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
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

bool writeFileAtomically(const std::filesystem::path& path,
                         std::span<const std::span<const std::uint8_t>> pieces, std::string& error) {
    const std::filesystem::path folder =
        path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    std::string hiddenName = ".";
    hiddenName += path.filename().string();
    hiddenName += ".XXXXXX";
    std::string temporary = (folder / hiddenName).string();
    FileDescriptor file(::mkstemp(temporary.data()));
    if (file.get() < 0) {
        error = describe("cannot write", path, errno);
        return false;
    }
    // mkstemp makes the file private; give it the permissions a plain create would.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(file.get(), 0666 & ~mask);

    bool ok = writeAll(file.get(), pieces);
    int failure = errno;
    if (ok && ::close(file.release()) != 0) {
        ok = false;
        failure = errno;
    }
    if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) {
        ok = false;
        failure = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        error = describe("cannot write", path, failure);
    }
    return ok;
}

} // namespace tavlo
