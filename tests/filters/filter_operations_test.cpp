#include "operations/filter_operations.h"

#include "../core/test_support.h"
#include "document/constants_file.h"
#include "filter_test_support.h"
#include "filters/convolution.h"
#include "filters/filter_steps.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tavlo {
namespace {

Document documentWith(Bitmap image) {
    Document document;
    document.workImage = std::move(image);
    return document;
}

OperationStatus run(Document& document, std::string_view name, std::string_view argument) {
    const OperationSpec* spec = findOperation(name);
    if (!spec) throw std::logic_error("no operation " + std::string(name));
    return spec->run(document, argument);
}

// Every command keeps the image it changed, 8-bit palette and all, as the undo copy.
TEST(FilterOperations, UndoKeepsTheImageBeforeTheCommand) {
    const std::pair<const char*, const char*> calls[] = {
        {"filter", "3"},     {"kernel", "0,0,0,0,1,0,0,0,0"},
        {"median", ""},      {"equalise", ""},
        {"equalise", "0.5"}, {"grey", ""}};
    for (const auto& [name, argument] : calls) {
        SCOPED_TRACE(name);
        const Bitmap image = test::patternBitmap(7, 5, PixelFormat::Bit8);
        Document document = documentWith(image);
        EXPECT_EQ(run(document, name, argument), OperationStatus::Done);
        EXPECT_TRUE(test::samePixels(document.undoImage, image));
        EXPECT_EQ(document.workImage.format(), PixelFormat::Bit24);
    }
}

// Saved files carry the row padding as it is, so every kernel leaves it zeroed.
TEST(FilterOperations, ResultsHaveZeroRowPadding) {
    const std::pair<const char*, const char*> calls[] = {{"filter", "1"},
                                                         {"kernel", "9,0,0,0,0,0,0,0,2147483647"},
                                                         {"median", ""},
                                                         {"equalise", ""},
                                                         {"grey", ""}};
    for (const auto& [name, argument] : calls) {
        Document document = documentWith(test::randomImage(13, 4, 9));
        run(document, name, argument);
        const Bitmap& result = document.workImage;
        for (int y = 0; y < result.height(); ++y)
            for (std::size_t i = 39; i < result.stride(); ++i)
                EXPECT_EQ(result.row(y)[i], 0) << name << " row " << y;
    }
}

TEST(FilterOperations, KernelMatrixAndPresetGiveTheSameFilter) {
    const Bitmap image = test::randomImage(9, 6, 3);
    const test::ScratchFolder scratch;
    const std::string file = scratch.file("sharpen.mtx");
    std::ofstream(file, std::ios::binary) << "0\r\n-1\r\n0\r\n-1\r\n5\r\n-1\r\n0\r\n-1\r\n0\r\n";
    const Bitmap expected = convolved(image, kFilterPresets[5]);
    for (const auto& [name, argument] : {std::pair<std::string, std::string>{"filter", "6"},
                                         {"kernel", "0,-1,0,-1,5,-1,0,-1,0"},
                                         {"kernel", " 0,-1, 0,-1,+5,-1,0,-1,0 "},
                                         {"matrix", file}}) {
        Document document = documentWith(image);
        run(document, name, argument);
        EXPECT_TRUE(test::samePixels(document.workImage, expected)) << name << ":" << argument;
    }
}

TEST(FilterOperations, BadArgumentsAreNamed) {
    const std::pair<const char*, const char*> calls[] = {{"filter", "0"},
                                                         {"filter", "9"},
                                                         {"filter", "x"},
                                                         {"kernel", "1,1,1,1,1,1,1,1"},
                                                         {"kernel", "1,1,1,1,1,1,1,1,1,1"},
                                                         {"kernel", "1,1,1,1,1.5,1,1,1,1"},
                                                         {"kernel", "1,1,1,1,2147483648,1,1,1,1"},
                                                         {"kernel", ""},
                                                         {"matrix", "/nonexistent/k.mtx"},
                                                         {"matrix", ""},
                                                         {"median", "3"},
                                                         {"grey", "1"},
                                                         {"equalise", "0"},
                                                         {"equalise", "-1"},
                                                         {"equalise", "inf"},
                                                         {"equalise", "abc"}};
    for (const auto& [name, argument] : calls) {
        Document document = documentWith(test::randomImage(3, 3, 1));
        EXPECT_THROW(run(document, name, argument), OperationArgumentError)
            << name << ":" << argument;
        EXPECT_TRUE(document.undoImage.empty()) << name << ":" << argument;
    }
}

TEST(FilterOperations, HistogramOfTheWorkImageConvertsItToTwentyFourBits) {
    Document document = documentWith(test::patternBitmap(4, 4, PixelFormat::Bit4));
    const Histogram h = workImageHistogram(document, {1.0f});
    EXPECT_EQ(document.workImage.format(), PixelFormat::Bit24);
    EXPECT_EQ(h.red, computeHistogram(document.workImage, 1.0f).red);
    Document empty;
    EXPECT_THROW(workImageHistogram(empty, {1.0f}), InvalidBitmapSizeError);
}

} // namespace
} // namespace tavlo

namespace tavlo {
namespace {

TEST(FilterKernelFile, SaveNameRule) {
    const std::pair<const char*, const char*> rows[] = {
        {"/k/kernel", "/k/kernel.mtx"}, {"/k/KERNEL.MTX", "/k/KERNEL.MTX"},
        {"/k/a.Mtx", "/k/a.Mtx"},       {"/k/a.txt", "/k/a.txt.mtx"},
        {"/k/a.", "/k/a.mtx"},          {"/k.d/name", "/k.d/name.mtx"}};
    for (const auto& [chosen, written] : rows)
        EXPECT_EQ(withExtension(chosen, kKernelFileExtension), written);
}

TEST(FilterKernelFile, CoefficientsAsTheBoxesReadThem) {
    const std::pair<const char*, std::optional<std::int32_t>> rows[] = {
        {"5", 5},
        {"-12", -12},
        {" 7 ", 7},
        {"+3", 3},
        {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},
        {"-", std::nullopt},
        {"", std::nullopt},
        {"1-", std::nullopt},
        {"1.5", std::nullopt},
        {"+-1", std::nullopt},
        {"abc", std::nullopt}};
    for (const auto& [text, value] : rows)
        EXPECT_EQ(parseInteger(text), value) << "'" << text << "'";
}

} // namespace
} // namespace tavlo
