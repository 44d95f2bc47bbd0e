#include "printing/printer_figures.h"
#include "printing/printer_info_texts.h"
#include "sample_printers.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace tavlo;

using test::a4At600;
using test::landscape;

TEST(PrinterFigures, MillimetresFollowEachAxisResolutionAndScale) {
    struct Row {
        std::int32_t px, dpi, scale;
        float mm;
    } rows[] = {
        {4960, 600, 100, 209.973328f}, {7016, 600, 100, 297.010651f}, {2540, 254, 100, 254.0f},
        {100, 254, 100, 10.0f},        {4960, 600, 50, 419.946655f},  {0, 600, 100, 0.0f},
    };
    for (const Row& row : rows)
        EXPECT_FLOAT_EQ(pxToMm(row.px, row.dpi, row.scale), row.mm) << row.px << " at " << row.dpi;

    PrinterFigures f = a4At600();
    f.dpiY = 300; // Y values use the Y resolution
    f.paperHeightPx = 3508;
    EXPECT_NEAR(millimetresOf(f).paperHeight, 297.01f, 0.001f);
    EXPECT_NEAR(millimetresOf(f).paperWidth, 210.0f, 0.05f);
}

TEST(PrinterFigures, UnusableFiguresAreRefused) {
    for (auto spoil :
         {+[](PrinterFigures& f) { f.dpiX = 0; }, +[](PrinterFigures& f) { f.dpiY = -1; },
          +[](PrinterFigures& f) { f.scale = 0; },
          +[](PrinterFigures& f) { f.paperHeightPx = 0; }}) {
        PrinterFigures f = a4At600();
        spoil(f);
        EXPECT_THROW(millimetresOf(f), std::invalid_argument);
    }
}

TEST(PrinterFigures, PaperNamesFromWholeMillimetresEitherWayRound) {
    struct Row {
        float width, height;
        const char* name;
    } rows[] = {
        {210, 297, "A4"},           {297, 210, "A4"},        {209.97f, 297.01f, "A4"},
        {148, 210, "A5"},           {182, 257, "B5"},        {89, 127, "L判"},
        {127, 178, "2L判"},         {100, 148, "はがき"},    {148, 100, "はがき"},
        {215.9f, 279.4f, "その他"}, // Letter
        {210, 290, "その他"},       {210, 290.4f, "その他"}, {210, 290.6f, "A4"},
        {210, 290.5f, "その他"}, // halves to even: 290
        {210, 291.5f, "A4"},        {220, 297, "その他"},    {200, 297, "その他"},
        {0.4f, 0.4f, "その他"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(paperName(row.width, row.height), row.name) << row.width << " × " << row.height;
}

TEST(PrinterFigures, PreviewDrawsTheLongerSideAt480Pixels) {
    for (const PrinterFigures& f : {a4At600(), landscape(a4At600())}) {
        const PrinterMillimetres mm = millimetresOf(f);
        const float scale = previewScaleOf(mm);
        EXPECT_FLOAT_EQ(std::max(mm.paperWidth, mm.paperHeight) * scale, 480.0f);
        EXPECT_EQ(paperLabel(mm).substr(0, 2), "A4");
    }
    EXPECT_EQ(paperLabel(millimetresOf(a4At600())), "A4 (W:210.0×H:297.0 = 0.7070)");
    EXPECT_EQ(paperLabel(millimetresOf(landscape(a4At600()))), "A4 (W:297.0×H:210.0 = 1.4145)");
}

TEST(PrinterInfo, DotsThenMillimetresForEveryField) {
    PrinterFigures f = a4At600();
    f.offsetXPx = 120; // 4960 − 4760 − 120 = 80 dots on the right
    const PrinterInfoTexts texts = printerInfoTexts(f);
    const std::pair<PrinterInfoTexts::Field, const char*> rows[] = {
        {PrinterInfoTexts::DeviceName, "Office"},
        {PrinterInfoTexts::PaperWidth, "4960 ( 210.0)"},
        {PrinterInfoTexts::PaperHeight, "7016 ( 297.0)"},
        {PrinterInfoTexts::PrintableWidth, "4760 ( 201.5)"},
        {PrinterInfoTexts::PrintableHeight, "6816 ( 288.5)"},
        {PrinterInfoTexts::PrintableRatio, "0.6984 "},
        {PrinterInfoTexts::OffsetLeft, "120 ( 5.1)"},
        {PrinterInfoTexts::OffsetRight, "80 ( 3.4)"},
        {PrinterInfoTexts::OffsetTop, "100 ( 4.2)"},
        {PrinterInfoTexts::OffsetBottom, "100 ( 4.2)"},
        {PrinterInfoTexts::DpiX, "600"},
        {PrinterInfoTexts::DpiY, "600"},
        {PrinterInfoTexts::Scale, "100(%)"},
    };
    for (const auto& [field, text] : rows)
        EXPECT_EQ(texts.fields[field], text) << field;
}

TEST(PrinterInfo, HalfScaleDoublesMillimetresNotDots) {
    PrinterFigures f = a4At600();
    f.scale = 50;
    const PrinterInfoTexts texts = printerInfoTexts(f);
    EXPECT_EQ(texts.fields[PrinterInfoTexts::PaperWidth], "4960 ( 419.9)");
    EXPECT_EQ(texts.fields[PrinterInfoTexts::PaperHeight], "7016 ( 594.0)");
    EXPECT_EQ(texts.fields[PrinterInfoTexts::OffsetRight], "100 ( 8.5)");
    EXPECT_EQ(texts.fields[PrinterInfoTexts::Scale], "50(%)");
}

TEST(PrinterInfo, SheetLargerThanThousandMillimetresIsGrouped) {
    PrinterFigures f = a4At600();
    f.paperWidthPx = 30000; // 1270 mm
    EXPECT_EQ(printerInfoTexts(f).fields[PrinterInfoTexts::PaperWidth], "30000 ( 1,270.0)");
}
