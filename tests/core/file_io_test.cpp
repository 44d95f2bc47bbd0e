#include "document/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tavlo {
namespace {

namespace fs = std::filesystem;

class FileIo : public testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("tavlo-io-" + std::to_string(::getpid()) + "-" +
                  testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    static std::string contents(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    bool write(const fs::path& path, std::string_view a, std::string_view b, std::string& error) {
        const std::span<const std::uint8_t> pieces[] = {
            {reinterpret_cast<const std::uint8_t*>(a.data()), a.size()},
            {reinterpret_cast<const std::uint8_t*>(b.data()), b.size()}};
        return writeFileAtomically(path, pieces, error);
    }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
    }

    fs::path folder;
};

TEST_F(FileIo, WritesPiecesInOrderAndReplacesAnExistingFile) {
    std::string error;
    const fs::path target = folder / "a.bmp";
    ASSERT_TRUE(write(target, "old", "", error)) << error;
    ASSERT_TRUE(write(target, "head", "-tail", error)) << error;
    EXPECT_EQ(contents(target), "head-tail");
    EXPECT_EQ(entries(), 1u) << "no temporary file may be left behind";

    ByteBuffer bytes;
    ASSERT_TRUE(readWholeFile(target, bytes, error)) << error;
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "head-tail");
}

TEST_F(FileIo, AFailedWriteLeavesTheTargetAndNoTemporaryFile) {
    std::string error;
    const fs::path target = folder / "taken";
    fs::create_directory(target); // renaming a file over a folder fails after the data is written
    EXPECT_FALSE(write(target, "data", "", error));
    EXPECT_NE(error.find("taken"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(entries(), 1u);

    EXPECT_FALSE(write(folder / "missing" / "x.bmp", "data", "", error));
    EXPECT_FALSE(error.empty());
}

TEST_F(FileIo, ReadingAFolderOrAMissingFileFailsWithAReason) {
    ByteBuffer bytes;
    std::string error;
    EXPECT_FALSE(readWholeFile(folder, bytes, error));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(readWholeFile(folder / "none.jpg", bytes, error));
    EXPECT_NE(error.find("none.jpg"), std::string::npos);
}

} // namespace
} // namespace tavlo
