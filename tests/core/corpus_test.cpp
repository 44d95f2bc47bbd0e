// Every BMP and JPEG file of the test corpus against the expectations in data/corpus.tsv
// (generated from data/manifest.json by data/make_corpus_table.py).
#include "document/bmp_codec.h"
#include "document/jpeg_codec.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tavlo {
namespace {

struct Sample {
    int x = 0, y = 0, tol = 0;
    std::vector<Rgb> anyOf;
};

struct CorpusFile {
    std::string path, type, expect;
    int width = 0, height = 0;
    std::string format; // PixelFormat name, "-" when not given
    std::vector<Sample> samples;
};

// Names the file in failure messages instead of dumping the struct's bytes.
void PrintTo(const CorpusFile& f, std::ostream* os) {
    *os << f.path;
}

Sample parseSample(const std::string& token) {
    std::vector<int> n;
    std::istringstream in(token);
    for (std::string part; std::getline(in, part, ',');)
        n.push_back(std::stoi(part));
    if (n.size() < 6 || n.size() % 3 != 0) throw std::runtime_error("bad sample " + token);
    Sample s{n[0], n[1], n[2], {}};
    for (std::size_t i = 3; i < n.size(); i += 3)
        s.anyOf.push_back({static_cast<std::uint8_t>(n[i]), static_cast<std::uint8_t>(n[i + 1]),
                           static_cast<std::uint8_t>(n[i + 2])});
    return s;
}

std::vector<CorpusFile> loadCorpus() {
    std::ifstream table(test::dataPath("corpus.tsv"));
    std::vector<CorpusFile> files;
    for (std::string line; std::getline(table, line);) {
        std::istringstream in(line);
        CorpusFile f;
        in >> f.path >> f.type >> f.expect >> f.width >> f.height >> f.format;
        for (std::string token; in >> token;)
            f.samples.push_back(parseSample(token));
        files.push_back(std::move(f));
    }
    return files;
}

const char* formatName(PixelFormat format) {
    switch (format) {
    case PixelFormat::Device:
        return "Device";
    case PixelFormat::Bit1:
        return "Bit1";
    case PixelFormat::Bit4:
        return "Bit4";
    case PixelFormat::Bit8:
        return "Bit8";
    case PixelFormat::Bit15:
        return "Bit15";
    case PixelFormat::Bit16:
        return "Bit16";
    case PixelFormat::Bit24:
        return "Bit24";
    case PixelFormat::Bit32:
        return "Bit32";
    case PixelFormat::Custom:
        return "Custom";
    }
    return "?";
}

bool near(Rgb a, Rgb b, int tol) {
    return std::abs(a.r - b.r) <= tol && std::abs(a.g - b.g) <= tol && std::abs(a.b - b.b) <= tol;
}

std::string describe(Rgb c) {
    std::ostringstream text;
    text << '(' << int{c.r} << ',' << int{c.g} << ',' << int{c.b} << ')';
    return text.str();
}

void checkImage(const CorpusFile& f, const Bitmap& image) {
    if (f.width > 0) {
        EXPECT_EQ(image.width(), f.width);
        EXPECT_EQ(image.height(), f.height);
    }
    if (f.format != "-") {
        EXPECT_EQ(formatName(image.format()), f.format);
    }
    for (const Sample& s : f.samples) {
        ASSERT_LT(s.x, image.width());
        ASSERT_LT(s.y, image.height());
        const Rgb actual = image.pixel(s.x, s.y);
        bool matched = false;
        for (Rgb wanted : s.anyOf)
            matched = matched || near(actual, wanted, s.tol);
        EXPECT_TRUE(matched) << "pixel (" << s.x << "," << s.y << ") is " << describe(actual)
                             << ", expected " << describe(s.anyOf.front()) << " within " << s.tol;
    }
}

class Corpus : public testing::TestWithParam<CorpusFile> {};

TEST_P(Corpus, MeetsExpectation) {
    const CorpusFile& f = GetParam();
    const auto bytes = test::readFileBytes(test::dataPath(f.path));
    const DecodeResult result = f.type == "bmp" ? decodeBmp(bytes) : decodeJpeg(bytes);
    if (f.expect == "error") {
        EXPECT_FALSE(result) << "decoded a file that must be refused";
        EXPECT_FALSE(result.error.empty());
        return;
    }
    if (f.expect == "decode") {
        ASSERT_TRUE(result) << "refused: " << result.error;
    }
    if (result) checkImage(f, *result.image);
}

std::string testName(const testing::TestParamInfo<CorpusFile>& info) {
    std::string name = info.param.path;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Files, Corpus, testing::ValuesIn(loadCorpus()), testName);

TEST(CorpusTable, CoversEveryImageFile) {
    // A table that failed to load would make the suite above pass vacuously.
    EXPECT_GE(loadCorpus().size(), 130u);
}

} // namespace
} // namespace tavlo
