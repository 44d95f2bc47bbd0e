#include "document/texts.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tavlo {
namespace {

namespace fs = std::filesystem;

TEST(Texts, InitialPanels) {
    const std::vector<std::string> expected = {
        "W=", "H=", "W/H=", "表示スケール", "Filename", "属性", "ｻｲｽﾞ=", "色数", "JPG圧縮度：",
    };
    ASSERT_EQ(expected.size(), static_cast<std::size_t>(kStatusPanelCount));
    for (int panel = 0; panel < kStatusPanelCount; ++panel)
        EXPECT_EQ(initialPanelText(panel), expected[static_cast<std::size_t>(panel)]) << panel;
    EXPECT_THROW(initialPanelText(-1), std::out_of_range);
    EXPECT_THROW(initialPanelText(kStatusPanelCount), std::out_of_range);
}

TEST(Texts, SizeAndAspectOfAScaledView) {
    // A 1000 × 750 image shown at 1/3 is 333 × 250 on screen.
    const int width = 1000, height = 750, divisor = 3;
    const int viewWidth = width / divisor, viewHeight = height / divisor;
    EXPECT_EQ(widthPanelText(viewWidth), "W = 333");
    EXPECT_EQ(heightPanelText(viewHeight), "H = 250");
    EXPECT_EQ(viewAspectPanelText(static_cast<float>(viewWidth) / static_cast<float>(viewHeight)),
              "W/H = 1.33200");
    EXPECT_EQ(pixelSizeInfoText(width, height), "W = 1000 , H = 750");
    EXPECT_EQ(aspectInfoText(static_cast<float>(width) / static_cast<float>(height)),
              "W/H = 1.3333");
    EXPECT_EQ(aspectInfoText(12345.5f), "W/H = 12,345.5000");

    const float aspect = 640.0f / 480.0f;
    EXPECT_EQ(jpegAspectInfoText(aspect, bmpFormatText(PixelFormat::Bit24)),
              "W/H = 1.3333 (24bits)");
    EXPECT_EQ(colourAspectInfoText(aspect, colourCountText(PixelFormat::Bit24)),
              "W/H = 1.3333 ( 16.8Ｍ色 )");
}

TEST(Texts, DisplayScales) {
    const std::vector<std::pair<int, std::string>> rows = {
        {1, "1/1"},  {2, "1/2"},  {3, "1/3"},   {4, "1/4"},   {8, "1/8"},
        {0, "ELSE"}, {5, "ELSE"}, {16, "ELSE"}, {-2, "ELSE"},
    };
    for (const auto& [scale, menu] : rows) {
        EXPECT_EQ(scaleMenuText(scale), menu) << scale;
        EXPECT_EQ(scalePanelText(scale), "表示ｽｹｰﾙ : " + menu) << scale;
    }
}

TEST(Texts, FileSizesWithSeparators) {
    const std::vector<std::pair<std::uint64_t, std::string>> rows = {
        {0, "0"},
        {999, "999"},
        {1000, "1,000"},
        {1234567, "1,234,567"},
        {5'000'000'000, "5,000,000,000"},
        {std::numeric_limits<std::uint64_t>::max(), "18,446,744,073,709,551,615"},
    };
    for (const auto& [size, digits] : rows) {
        EXPECT_EQ(fileSizePanelText(size), " ｻｲｽﾞ= " + digits + " ﾊﾞｲﾄ");
        EXPECT_EQ(fileSizeInfoText(size), digits + " ﾊﾞｲﾄ");
    }
}

TEST(Texts, ColourCountsAndSaveFormats) {
    const std::vector<std::pair<PixelFormat, std::string>> colours = {
        {PixelFormat::Device, "?????"},    {PixelFormat::Bit1, "２色"},
        {PixelFormat::Bit4, "16色"},       {PixelFormat::Bit8, "256色"},
        {PixelFormat::Bit15, "32k/64k色"}, {PixelFormat::Bit16, "32k/64k色"},
        {PixelFormat::Bit24, "16.8Ｍ色"},  {PixelFormat::Bit32, "4.3G色"},
        {PixelFormat::Custom, "?????"},
    };
    for (const auto& [format, text] : colours)
        EXPECT_EQ(colourCountText(format), text) << static_cast<int>(format);

    EXPECT_EQ(bmpFormatText(PixelFormat::Bit8), "(8bits)");
    EXPECT_EQ(bmpFormatText(PixelFormat::Bit24), "(24bits)");
    EXPECT_EQ(bmpFormatText(PixelFormat::Bit32), "(32bits)");
    EXPECT_THROW(bmpFormatText(PixelFormat::Bit16), std::invalid_argument);

    EXPECT_EQ(qualityStatusText(50, "(24bits)"), "　JPG圧縮度：50  / BMP保存形式：(24bits)");
    EXPECT_EQ(qualityStatusText(100, bmpFormatText(PixelFormat::Bit8)),
              "　JPG圧縮度：100  / BMP保存形式：(8bits)");
}

TEST(Texts, MessagesKeepTheirLineBreaks) {
    // Line feed before carriage return in this message, the other way round in the prompt.
    const std::string message(kUnsupportedFormatMessage);
    EXPECT_EQ(message.find("\r\n"), std::string::npos);
    EXPECT_EQ(message, "そのビット形式はサポートしていません。\n\r"
                       "作業中画像ファイルをＢＭＰ２４ビット形式で\n\r"
                       "一時保存して,作業を継続してください。");
    EXPECT_EQ(savePromptText("C:/a/b.jpg"),
              "画像が変更されています。保存しますか？。\r\nC:/a/b.jpg");
    EXPECT_EQ(unsupportedDropMessage(".PNG"), "ファイルタイプ.PNGはサポートしてません。");
    EXPECT_EQ(kBadExtensionMessage, "拡張子を正しく入力してください。");
}

// Sets TZ for one test and puts the previous value back.
class FileTimeText : public ::testing::Test {
  protected:
    void SetUp() override {
        if (const char* tz = std::getenv("TZ")) saved_ = tz;
        useZone("UTC");
    }
    void TearDown() override {
        if (saved_)
            setenv("TZ", saved_->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    static void useZone(const char* zone) {
        setenv("TZ", zone, 1);
        tzset();
    }

  private:
    std::optional<std::string> saved_;
};

TEST_F(FileTimeText, EveryWeekday) {
    const std::time_t sunday = 1710079509; // 2024-03-10 14:05:09 UTC
    const std::vector<std::string> expected = {
        "2024/03/10 14:05:09(日)", "2024/03/11 14:05:09(月)", "2024/03/12 14:05:09(火)",
        "2024/03/13 14:05:09(水)", "2024/03/14 14:05:09(木)", "2024/03/15 14:05:09(金)",
        "2024/03/16 14:05:09(土)",
    };
    for (std::size_t day = 0; day < expected.size(); ++day)
        EXPECT_EQ(fileTimeText(sunday + static_cast<std::time_t>(day) * 86400), expected[day]);
    EXPECT_EQ(fileTimeText(0), "1970/01/01 00:00:00(木)");
}

TEST_F(FileTimeText, UsesLocalTime) {
    const std::time_t sundayEvening = 1710100800; // 2024-03-10 20:00:00 UTC
    EXPECT_EQ(fileTimeText(sundayEvening), "2024/03/10 20:00:00(日)");
    useZone("JST-9");
    EXPECT_EQ(fileTimeText(sundayEvening), "2024/03/11 05:00:00(月)");
}

TEST_F(FileTimeText, UnknownOrBefore1900) {
    const std::time_t start1900 = -2208988800; // 1900-01-01 00:00:00 UTC
    EXPECT_EQ(fileTimeText(start1900), "1900/01/01 00:00:00(月)");
    EXPECT_EQ(fileTimeText(start1900 - 1), "不明");
    EXPECT_EQ(fileTimeText(std::nullopt), "不明");
}

FileEntry entryWith(bool readOnly, bool hidden, bool directory) {
    FileEntry entry;
    entry.readOnly = readOnly;
    entry.hidden = hidden;
    entry.directory = directory;
    return entry;
}

TEST(AttributeText, LettersInTheirOrder) {
    const std::vector<std::pair<FileEntry, std::string>> rows = {
        {entryWith(false, false, false), ""},    {entryWith(true, false, false), "R"},
        {entryWith(false, true, false), "H"},    {entryWith(false, false, true), "SDir"},
        {entryWith(true, true, false), "RH"},    {entryWith(false, true, true), "HSDir"},
        {entryWith(true, true, true), "RHSDir"},
    };
    for (const auto& [entry, text] : rows)
        EXPECT_EQ(attributeText(entry), text);
}

// A fresh directory under the temporary directory, removed with its contents afterwards.
class FileEntryLookUp : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tavlo-entry-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    fs::path write(const std::string& name, std::size_t bytes) {
        const fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << std::string(bytes, 'x');
        return path;
    }

    fs::path dir_;
};

TEST_F(FileEntryLookUp, PlainFile) {
    const fs::path path = write("plain.bin", 12345);
    const struct timespec times[2] = {{1700000000, 0}, {1700000000, 500}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);

    const auto entry = lookUpFileEntry(path);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->size, 12345u);
    EXPECT_EQ(entry->lastWrite, 1700000000);
    EXPECT_FALSE(entry->readOnly);
    EXPECT_FALSE(entry->hidden);
    EXPECT_FALSE(entry->directory);
    EXPECT_EQ(attributeText(*entry), "");
    if (entry->created) {
        // Birth time is when the file was written just now, whatever its modification time says.
        const auto now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
        EXPECT_LE(*entry->created, now);
        EXPECT_GE(*entry->created, now - 60);
    }
}

TEST_F(FileEntryLookUp, FollowsSymbolicLinks) {
    const fs::path target = write("target.bin", 777);
    fs::create_symlink(target, dir_ / "link");
    const auto entry = lookUpFileEntry(dir_ / "link");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->size, 777u);

    fs::create_symlink(dir_ / "nowhere", dir_ / "dangling");
    EXPECT_FALSE(lookUpFileEntry(dir_ / "dangling"));
    EXPECT_FALSE(lookUpFileEntry(dir_ / "missing.jpg"));
}

TEST_F(FileEntryLookUp, HiddenFilesAndDirectories) {
    const auto dotFile = lookUpFileEntry(write(".hidden.jpg", 1));
    ASSERT_TRUE(dotFile);
    EXPECT_EQ(attributeText(*dotFile), "H");

    fs::create_directory(dir_ / "sub");
    const auto directory = lookUpFileEntry(dir_ / "sub");
    ASSERT_TRUE(directory);
    EXPECT_EQ(attributeText(*directory), "SDir");

    fs::create_directory(dir_ / ".cache");
    const auto hiddenDirectory = lookUpFileEntry((dir_ / ".cache").string() + "/");
    ASSERT_TRUE(hiddenDirectory);
    EXPECT_EQ(attributeText(*hiddenDirectory), "HSDir");

    const auto dot = lookUpFileEntry(dir_ / "sub" / ".");
    ASSERT_TRUE(dot);
    EXPECT_EQ(attributeText(*dot), "SDir");
}

// Root may write any file, so a look-up as root finds nothing read-only; this one runs in a
// child process that has given up root rights for those of "nobody".
std::optional<bool> readOnlyForNobody(const fs::path& path) {
    const pid_t child = fork();
    if (child < 0) return std::nullopt;
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(2);
        const auto entry = lookUpFileEntry(path);
        _exit(!entry ? 3 : entry->readOnly ? 1 : 0);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) > 1)
        return std::nullopt;
    return WEXITSTATUS(status) == 1;
}

TEST_F(FileEntryLookUp, ReadOnlyFile) {
    const fs::path locked = write("locked.bin", 10);
    const fs::path open = write("open.bin", 10);
    const auto readable = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    const auto writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(locked, readable);
    fs::permissions(open, readable | writable);

    if (geteuid() != 0) {
        EXPECT_TRUE(lookUpFileEntry(locked)->readOnly);
        EXPECT_EQ(attributeText(*lookUpFileEntry(locked)), "R");
        EXPECT_FALSE(lookUpFileEntry(open)->readOnly);
        return;
    }
    fs::permissions(dir_, fs::perms::others_exec | fs::perms::group_exec, fs::perm_options::add);
    EXPECT_EQ(readOnlyForNobody(locked), std::optional<bool>(true));
    EXPECT_EQ(readOnlyForNobody(open), std::optional<bool>(false));
}

} // namespace
} // namespace tavlo
