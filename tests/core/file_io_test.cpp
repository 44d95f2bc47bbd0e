#include "document/bmp_codec.h"
#include "document/file_io.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>

namespace tavlo {
namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool write(const fs::path& path, std::string_view a, std::string_view b, std::string& error) {
    const std::span<const std::uint8_t> pieces[] = {
        {reinterpret_cast<const std::uint8_t*>(a.data()), a.size()},
        {reinterpret_cast<const std::uint8_t*>(b.data()), b.size()}};
    return writeFileAtomically(path, pieces, error);
}

struct stat statOf(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info;
}

mode_t modeOf(const fs::path& path) {
    return statOf(path).st_mode & 07777;
}

struct Account {
    uid_t uid;
    gid_t gid;
};

Account nobody() {
    const passwd* entry = ::getpwnam("nobody");
    return entry ? Account{entry->pw_uid, entry->pw_gid} : Account{65534, 65534};
}

// The outcome of a save made in a child process with the rights of `who`, as root gives them
// up; a test run by an ordinary user saves with its own rights.
struct SaveSeen {
    bool saved;
    bool readOnlyBefore;
};
std::optional<SaveSeen> saveAs(Account who, const fs::path& path, std::string_view text) {
    const pid_t child = ::fork();
    if (child < 0) return std::nullopt;
    if (child == 0) {
        if (::geteuid() == 0 && who.uid != 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(who.gid) != 0 || ::setuid(who.uid) != 0))
            _exit(9);
        const bool readOnly = isReadOnlyTarget(path);
        std::string error;
        const bool saved = write(path, text, "", error);
        const bool namesTheReason =
            saved || error.find(path.filename().string()) != std::string::npos;
        _exit((saved ? 1 : 0) | (readOnly ? 2 : 0) | (namesTheReason ? 0 : 8));
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) > 3)
        return std::nullopt;
    return SaveSeen{(WEXITSTATUS(status) & 1) != 0, (WEXITSTATUS(status) & 2) != 0};
}

class FileIo : public testing::Test {
  protected:
    std::size_t entries(const fs::path& where) const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(where), {}));
    }
    fs::path put(const std::string& name, std::string_view text) {
        std::ofstream(folder / name, std::ios::binary) << text;
        return folder / name;
    }

    test::ScratchFolder scratch;
    const fs::path folder = scratch.path();
};

TEST_F(FileIo, WritesPiecesInOrderAndReplacesAnExistingFile) {
    std::string error;
    const fs::path target = folder / "a.bmp";
    ASSERT_TRUE(write(target, "old", "", error)) << error;
    ASSERT_TRUE(write(target, "head", "-tail", error)) << error;
    EXPECT_EQ(contents(target), "head-tail");
    EXPECT_EQ(entries(folder), 1u) << "no temporary file may be left behind";

    ByteBuffer bytes;
    ASSERT_TRUE(readWholeFile(target, bytes, error, 9)) << error;
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "head-tail");
}

TEST_F(FileIo, AFailedWriteLeavesTheTargetAndNoTemporaryFile) {
    std::string error;
    const fs::path target = folder / "taken";
    fs::create_directory(target);
    EXPECT_FALSE(write(target, "data", "", error));
    EXPECT_NE(error.find("taken"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(entries(folder), 1u);

    EXPECT_FALSE(write(folder / "missing" / "x.bmp", "data", "", error));
    EXPECT_FALSE(error.empty());
}

// A FIFO opened for reading waits for a writer that never comes: it must be refused unopened.
TEST_F(FileIo, ReadingRefusesWhatIsNotARegularFile) {
    ASSERT_EQ(::mkfifo((folder / "pipe.bmp").c_str(), 0644), 0);
    fs::create_symlink(folder / "pipe.bmp", folder / "link.bmp");
    fs::create_directory(folder / "sub.bmp");
    for (const fs::path& path :
         {folder / "pipe.bmp", folder / "link.bmp", folder / "sub.bmp", fs::path("/dev/null")}) {
        ByteBuffer bytes;
        std::string error;
        EXPECT_FALSE(readWholeFile(path, bytes, error, kMaxBmpFileBytes)) << path;
        EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
    }
    ByteBuffer bytes;
    std::string error;
    EXPECT_FALSE(readWholeFile(folder / "none.jpg", bytes, error, kMaxBmpFileBytes));
    EXPECT_NE(error.find("none.jpg"), std::string::npos);
}

TEST_F(FileIo, ReadingRefusesAFileAboveItsLimitUnread) {
    const fs::path sparse = folder / "huge.bmp";
    {
        const int fd = ::open(sparse.c_str(), O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, off_t{40} << 30), 0);
        ::close(fd);
    }
    const fs::path small = put("ten.bmp", "0123456789");
    struct Row {
        fs::path path;
        std::uint64_t limit;
        bool read;
    };
    for (const Row& row :
         {Row{sparse, kMaxBmpFileBytes, false}, Row{small, 10, true}, Row{small, 9, false}}) {
        ByteBuffer bytes;
        std::string error;
        EXPECT_EQ(readWholeFile(row.path, bytes, error, row.limit), row.read) << row.path;
        if (row.read) continue;
        EXPECT_EQ(bytes.capacity(), 0u) << "nothing may be allocated for a refused file";
        EXPECT_NE(error.find("too large"), std::string::npos) << error;
    }
}

// Each row is seen from the writer: its own file or someone else's, with a mode; the save either
// keeps a mode or is refused. Root saves as itself and as "nobody"; others as themselves.
TEST_F(FileIo, ASaveKeepsModeOwnerAndGroupOrRefusesAReadOnlyFile) {
    const bool root = ::geteuid() == 0;
    struct Row {
        const char* name;
        bool othersFile, othersGroup;
        mode_t mode;
        std::optional<mode_t> asRoot, asUser; // the mode afterwards; nullopt: refused
    };
    const Row rows[] = {
        {"private", false, false, 0600, 0600, 0600},
        {"group-readable", false, false, 0640, 0640, 0640},
        {"world-readable", false, false, 0644, 0644, 0644},
        {"read-only", false, false, 0444, std::nullopt, std::nullopt},
        {"owner-read-only", false, false, 0400, std::nullopt, std::nullopt},
        {"someone else's private", true, true, 0600, 0600, std::nullopt},
        // An ordinary user cannot hand a file to a group of someone else's: the group loses its
        // rights rather than passing them to the user's own group.
        {"someone else's group", false, true, 0660, 0660, 0600},
    };
    const Account self{::geteuid(), ::getegid()};
    std::vector<Account> writers{self};
    if (root) writers.push_back(nobody());
    for (const Account writer : writers) {
        const bool asRoot = writer.uid == 0;
        const Account other = asRoot ? nobody() : Account{0, 0};
        ASSERT_EQ(::chown(folder.c_str(), writer.uid, writer.gid), 0);
        for (const Row& row : rows) {
            if ((row.othersFile || row.othersGroup) && !root) continue; // only root can set up
            const fs::path target = put(row.name, "old");
            const Account owner{row.othersFile ? other.uid : writer.uid,
                                row.othersGroup ? other.gid : writer.gid};
            ASSERT_EQ(::chown(target.c_str(), owner.uid, owner.gid), 0);
            ASSERT_EQ(::chmod(target.c_str(), row.mode), 0);
            const std::optional<mode_t> expected = asRoot ? row.asRoot : row.asUser;
            const std::string label = std::string(row.name) + (asRoot ? " as root" : " as user");

            const auto seen = saveAs(writer, target, "new");
            ASSERT_TRUE(seen) << label;
            EXPECT_EQ(seen->saved, expected.has_value()) << label;
            EXPECT_EQ(seen->readOnlyBefore, !expected) << label;
            EXPECT_EQ(contents(target), expected ? "new" : "old") << label;
            EXPECT_EQ(modeOf(target), expected.value_or(row.mode)) << label;
            const struct stat after = statOf(target);
            if (asRoot || !expected) {
                EXPECT_EQ(after.st_uid, owner.uid) << label;
                EXPECT_EQ(after.st_gid, owner.gid) << label;
            }
            EXPECT_EQ(entries(folder), 1u) << label << ": a temporary file was left";
            fs::remove(target);
        }
    }
}

// A file the user may write in a folder they may not is overwritten where it lies: the same
// inode, its mode and owner, and the old bytes beyond the new end gone.
TEST_F(FileIo, AWritableFileInAFolderTheUserMayNotWriteIsSavedInPlace) {
    const Account writer = ::geteuid() == 0 ? nobody() : Account{::geteuid(), ::getegid()};
    ASSERT_EQ(::chown(folder.c_str(), writer.uid, writer.gid), 0);
    const fs::path locked = folder / "locked";
    fs::create_directory(locked);
    const fs::path target = locked / "photo.jpg";
    std::ofstream(target, std::ios::binary) << "the old, longer contents";
    ASSERT_EQ(::chown(target.c_str(), writer.uid, writer.gid), 0);
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    ASSERT_EQ(::chmod(locked.c_str(), 0555), 0);
    const ino_t inode = statOf(target).st_ino;

    const auto seen = saveAs(writer, target, "new");
    ::chmod(locked.c_str(), 0755);
    ASSERT_TRUE(seen);
    EXPECT_TRUE(seen->saved);
    EXPECT_EQ(contents(target), "new");
    EXPECT_EQ(statOf(target).st_ino, inode);
    EXPECT_EQ(modeOf(target), 0640u);
    EXPECT_EQ(statOf(target).st_uid, writer.uid);
    EXPECT_EQ(entries(locked), 1u);

    // A new file there still cannot be made.
    const auto refused = saveAs(writer, locked / "new.jpg", "new");
    ASSERT_TRUE(refused);
    EXPECT_FALSE(refused->saved);
}

TEST_F(FileIo, ANewFileGetsTheUsualMode) {
    const mode_t mask = ::umask(022);
    std::string error;
    EXPECT_TRUE(write(folder / "new.bmp", "x", "", error)) << error;
    ::umask(mask);
    EXPECT_EQ(modeOf(folder / "new.bmp"), 0644u);
}

// A link stays a link and the file behind it takes the new bytes, through a chain of links,
// a relative one from another folder, and a dangling one that names the file to create.
TEST_F(FileIo, ASymbolicLinkStaysALink) {
    fs::create_directory(folder / "real");
    const fs::path file = put("real/photo.bmp", "old");
    ::chmod(file.c_str(), 0640);
    fs::create_directory(folder / "links");
    fs::create_symlink("../real/photo.bmp", folder / "links" / "relative.bmp");
    fs::create_symlink(folder / "links" / "relative.bmp", folder / "chained.bmp");
    fs::create_symlink("real/later.bmp", folder / "dangling.bmp");

    std::string error;
    ASSERT_TRUE(write(folder / "chained.bmp", "new", "", error)) << error;
    EXPECT_TRUE(fs::is_symlink(folder / "chained.bmp"));
    EXPECT_TRUE(fs::is_symlink(folder / "links" / "relative.bmp"));
    EXPECT_EQ(contents(file), "new");
    EXPECT_EQ(modeOf(file), 0640u);
    EXPECT_EQ(entries(folder / "real"), 1u);

    ASSERT_TRUE(write(folder / "dangling.bmp", "made", "", error)) << error;
    EXPECT_TRUE(fs::is_symlink(folder / "dangling.bmp"));
    EXPECT_EQ(contents(folder / "real" / "later.bmp"), "made");

    ::chmod(file.c_str(), 0444);
    EXPECT_TRUE(isReadOnlyTarget(folder / "chained.bmp"));
}

} // namespace
} // namespace tavlo
