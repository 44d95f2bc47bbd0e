#include "printing/print_layout.h"
#include "sample_printers.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace tavlo;

namespace {

// A4 at 254 dpi (ten dots a millimetre) with a 5 mm margin all round.
PrinterFigures a4At254() {
    return test::samplePrinter(254, 2100, 2970, 50);
}

using test::a4At600;
using test::landscape;

const std::string& text(const PrintLayout& layout, LayoutTexts::Field field) {
    return layout.texts().fields[field];
}

} // namespace

TEST(PrintLayout, PrinterSetsPanelsAndBarRanges) {
    struct Row {
        PrinterFigures printer;
        PreviewRect sheet, printable;
        std::int64_t widthMax, heightMax;
        const char* left;
        const char* top;
    } rows[] = {
        {a4At254(), {0, 0, 339, 480}, {8, 8, 323, 464}, 2000, 2870, "5.0", "5.0"},
        {landscape(a4At254()), {0, 0, 480, 339}, {8, 8, 464, 323}, 2870, 2000, "5.0", "5.0"},
        {a4At600(), {0, 0, 339, 480}, {7, 7, 326, 466}, 2015, 2885, "4.2", "4.2"},
    };
    for (const Row& row : rows) {
        PrintLayout layout;
        layout.setPrinter(row.printer);
        EXPECT_EQ(layout.sheet(), row.sheet);
        EXPECT_EQ(layout.printableArea(), row.printable);
        EXPECT_EQ(layout.bar(LayoutBar::Width).maximum, row.widthMax);
        EXPECT_EQ(layout.bar(LayoutBar::Left).maximum, row.widthMax);
        EXPECT_EQ(layout.bar(LayoutBar::Height).maximum, row.heightMax);
        EXPECT_EQ(layout.bar(LayoutBar::Top).maximum, row.heightMax);
        EXPECT_EQ(text(layout, LayoutTexts::Left), row.left);
        EXPECT_EQ(text(layout, LayoutTexts::Top), row.top);
        EXPECT_EQ(layout.signal(), OverflowSignal::None);
    }
}

TEST(PrintLayout, ImageStartsAtTenTimesItsPrinterSizeWithinThePrintableArea) {
    struct Row {
        const char* what;
        PrinterFigures printer;
        int width, height;
        bool keepAspect;
        std::int64_t widthBar, heightBar;
        const char *widthText, *heightText, *aspectText;
        OverflowSignal signal;
    } rows[] = {
        {"small, ratio kept", a4At254(), 100, 50, true, 1000, 500, "100.0", "50.0", "2.0000",
         OverflowSignal::Fits},
        {"small, free", a4At254(), 100, 50, false, 1000, 500, "100.0", "50.0", "2.0000",
         OverflowSignal::Fits},
        {"wide: full width, height by ratio", a4At254(), 5000, 1000, true, 2000, 400, "200.0",
         "40.0", "5.0000", OverflowSignal::Fits},
        {"wide, free: both limited", a4At254(), 5000, 3000, false, 2000, 2870, "200.0", "287.0",
         "1.6667", OverflowSignal::Fits},
        {"tall: height by ratio beyond the area", a4At254(), 1000, 3000, true, 957, 2870, "95.7",
         "287.1", "0.3333", OverflowSignal::Overflows},
        {"600 dpi", a4At600(), 300, 200, true, 1270, 847, "127.0", "84.7", "1.5000",
         OverflowSignal::Fits},
        {"landscape sheet: the ratio carries the width 0.1 mm past the area", landscape(a4At254()),
         300, 100, true, 2870, 957, "287.1", "95.7", "3.0000", OverflowSignal::Overflows},
        {"landscape sheet, exact ratio", landscape(a4At254()), 500, 200, true, 2870, 1148, "287.0",
         "114.8", "2.5000", OverflowSignal::Fits},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        PrintLayout layout;
        layout.setPrinter(row.printer);
        layout.keepAspect = row.keepAspect;
        layout.receiveImage(row.width, row.height);
        EXPECT_EQ(layout.bar(LayoutBar::Width).position, row.widthBar);
        EXPECT_EQ(layout.bar(LayoutBar::Height).position, row.heightBar);
        EXPECT_EQ(text(layout, LayoutTexts::Width), row.widthText);
        EXPECT_EQ(text(layout, LayoutTexts::Height), row.heightText);
        EXPECT_EQ(text(layout, LayoutTexts::Aspect), row.aspectText);
        EXPECT_EQ(layout.signal(), row.signal);
        EXPECT_EQ(layout.imageWidth(), row.width);
        EXPECT_EQ(layout.imageHeight(), row.height);
    }
}

// The starting size is W0 × 100 rounded from the single-precision W0 itself, not from a product
// rounded to single precision first: at 600 dpi the two differ for 109 widths up to 8000.
TEST(PrintLayout, StartingWidthRoundsTheUnroundedProduct) {
    struct Row {
        int pixels;
        std::int64_t bar;
        const char* text;
    } rows[] = {{1, 4, "0.4"},      {15, 63, "6.3"},    {75, 317, "31.7"},
                {100, 423, "42.3"}, {165, 699, "69.9"}, {405, 1715, "171.5"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pixels);
        PrintLayout layout;
        layout.setPrinter(a4At600());
        layout.keepAspect = false;
        layout.receiveImage(row.pixels, 100);
        EXPECT_EQ(layout.bar(LayoutBar::Width).position, row.bar);
        EXPECT_EQ(text(layout, LayoutTexts::Width), row.text);
    }
}

TEST(PrintLayout, HundredByFiftyPixelsAt254DpiIsLaidOutHundredByFiftyMillimetres) {
    PrintLayout layout;
    layout.setPrinter(a4At254());
    layout.receiveImage(100, 50);
    EXPECT_FLOAT_EQ(layout.printWidthMm(), 100.0f);
    EXPECT_FLOAT_EQ(layout.printHeightMm(), 50.0f);
    EXPECT_FLOAT_EQ(layout.printAspect(), 2.0f);
    EXPECT_EQ(text(layout, LayoutTexts::Right), "105.0"); // 210 − 0 − 100 − 5
    EXPECT_EQ(text(layout, LayoutTexts::Bottom), "242.0");
    EXPECT_EQ(layout.image(), (PreviewRect{0, 0, 162, 81}));
    EXPECT_EQ(layout.dotRectangle(), (DotRect{0, 0, 1000, 500}));
}

TEST(PrintLayout, SizeBarsFollowEachOtherByTheRatio) {
    PrintLayout layout;
    layout.setPrinter(a4At254());
    layout.receiveImage(300, 200); // ratio 1.5
    layout.setBarPosition(LayoutBar::Width, 600);
    EXPECT_EQ(layout.bar(LayoutBar::Height).position, 400);
    EXPECT_EQ(text(layout, LayoutTexts::Height), "40.0");
    layout.setBarPosition(LayoutBar::Height, 1001);
    EXPECT_EQ(layout.bar(LayoutBar::Width).position, 1502); // 100.1 × 1.5 = 150.15
    EXPECT_EQ(text(layout, LayoutTexts::Width), "150.2");

    layout.keepAspect = false;
    layout.setBarPosition(LayoutBar::Width, 100);
    EXPECT_EQ(layout.bar(LayoutBar::Height).position, 1001);
    EXPECT_EQ(layout.image().width, 16);
}

TEST(PrintLayout, MarginsMoveTheImageAndTheOverflowSignal) {
    struct Row {
        std::int64_t left, top;
        const char *leftText, *rightText, *topText, *bottomText;
        OverflowSignal signal;
    } rows[] = {
        {0, 0, "5.0", "105.0", "5.0", "242.0", OverflowSignal::Fits},
        {1000, 2370, "105.0", "5.0", "242.0", "5.0", OverflowSignal::Fits},
        {1001, 0, "105.1", "4.9", "5.0", "242.0", OverflowSignal::Overflows},
        {0, 2371, "5.0", "105.0", "242.1", "4.9", OverflowSignal::Overflows},
        {2000, 0, "205.0", "-95.0", "5.0", "242.0", OverflowSignal::Overflows},
        {9999, -5, "205.0", "-95.0", "5.0", "242.0", OverflowSignal::Overflows}, // limited
    };
    for (const Row& row : rows) {
        PrintLayout layout;
        layout.setPrinter(a4At254());
        layout.receiveImage(100, 50); // 100 × 50 mm
        layout.setBarPosition(LayoutBar::Left, row.left);
        layout.setBarPosition(LayoutBar::Top, row.top);
        EXPECT_EQ(text(layout, LayoutTexts::Left), row.leftText) << row.left;
        EXPECT_EQ(text(layout, LayoutTexts::Right), row.rightText) << row.left;
        EXPECT_EQ(text(layout, LayoutTexts::Top), row.topText) << row.top;
        EXPECT_EQ(text(layout, LayoutTexts::Bottom), row.bottomText) << row.top;
        EXPECT_EQ(layout.signal(), row.signal) << row.left << "," << row.top;
    }
}

TEST(PrintLayout, CentringUsesPreviewPixels) {
    struct Row {
        int width, height;
        PreviewRect image;
        std::int64_t leftBar, topBar;
    } rows[] = {
        {100, 50, {80, 191, 162, 81}, 495, 1182},
    };
    for (const Row& row : rows) {
        PrintLayout layout;
        layout.setPrinter(a4At254());
        layout.keepAspect = false;
        layout.receiveImage(row.width, row.height);
        layout.setBarPosition(LayoutBar::Width, row.width * 10);
        layout.setBarPosition(LayoutBar::Height, row.height * 10);
        layout.centre = true;
        layout.centreImage();
        EXPECT_EQ(layout.image(), row.image) << row.width;
        EXPECT_EQ(layout.bar(LayoutBar::Left).position, row.leftBar);
        EXPECT_EQ(layout.bar(LayoutBar::Top).position, row.topBar);
    }
}

TEST(PrintLayout, CentredImageStaysCentredWhenItsSizeChanges) {
    PrintLayout layout;
    layout.setPrinter(a4At254());
    layout.receiveImage(100, 50);
    layout.centre = true;
    layout.centreImage();
    layout.setBarPosition(LayoutBar::Width, 1600); // 160 × 80 mm
    const PreviewRect image = layout.image();
    EXPECT_EQ(image.width, 259);
    EXPECT_EQ(image.left, (323 - 259) / 2);
    EXPECT_EQ(image.top, (464 - 129) / 2);
    EXPECT_EQ(layout.bar(LayoutBar::Left).position, 198);
}

TEST(PrintLayout, WholePageOnPortraitSheetWithLandscapeImage) {
    PrintLayout layout;
    layout.setPrinter(a4At254());
    layout.receiveImage(300, 200);
    layout.wholePage();
    // The height is set last: as high as the area, wider than it by the ratio.
    EXPECT_EQ(layout.bar(LayoutBar::Height).position, 2870);
    EXPECT_EQ(layout.bar(LayoutBar::Width).position, 2000);
    EXPECT_EQ(text(layout, LayoutTexts::Width), "430.5");
    EXPECT_EQ(layout.signal(), OverflowSignal::Overflows);

    layout.centre = true;
    layout.centreImage();
    // The preview sits where the print does: at the area's left edge, running off to the right.
    EXPECT_EQ(layout.image(), (PreviewRect{0, 0, 696, 464}));
    EXPECT_EQ(text(layout, LayoutTexts::Right), "-225.5");
    EXPECT_EQ(layout.bar(LayoutBar::Left).position, 0);
    EXPECT_EQ(layout.bar(LayoutBar::Top).position, 0);
    layout.centre = false;

    layout.keepAspect = false;
    layout.receiveImage(300, 200);
    layout.wholePage();
    EXPECT_EQ(text(layout, LayoutTexts::Width), "200.0");
    EXPECT_EQ(text(layout, LayoutTexts::Height), "287.0");
    EXPECT_EQ(layout.signal(), OverflowSignal::Fits);
}

// Whatever ran last, the figures shown and the preview are those of the print.
TEST(PrintLayout, ReadoutsAndPreviewFollowWhatPrints) {
    struct Row {
        const char* what;
        PrinterFigures printer;
        int width, height;
        bool keepAspect;
        void (*then)(PrintLayout&);
        const char *widthText, *heightText, *rightText, *bottomText;
        PreviewRect image;
        OverflowSignal signal;
    } rows[] = {
        {"free ratio, the same image again",
         a4At254(),
         100,
         50,
         false,
         [](PrintLayout& l) { l.receiveImage(100, 50); },
         "100.0",
         "50.0",
         "105.0",
         "242.0",
         {0, 0, 162, 81},
         OverflowSignal::Fits},
        {"whole page after the ratio was freed",
         a4At254(),
         300,
         200,
         true,
         [](PrintLayout& l) {
             l.wholePage();
             l.keepAspect = false;
             l.wholePage();
         },
         "200.0",
         "287.0",
         "5.0",
         "5.0",
         {0, 0, 323, 464},
         OverflowSignal::Fits},
        {"full width where the maximum rounds past the area",
         test::samplePrinter(600, 4960, 7016, 84),
         600,
         400,
         true,
         [](PrintLayout&) {},
         "202.9",
         "135.3",
         "3.5",
         "158.2",
         {0, 0, 328, 219},
         OverflowSignal::Fits},
        {"landscape sheet after the image",
         a4At254(),
         100,
         50,
         true,
         [](PrintLayout& l) { l.setPrinter(landscape(a4At254())); },
         "100.0",
         "50.0",
         "192.0",
         "155.0",
         {0, 0, 162, 81},
         OverflowSignal::Fits},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        PrintLayout layout;
        layout.setPrinter(row.printer);
        layout.keepAspect = row.keepAspect;
        layout.receiveImage(row.width, row.height);
        row.then(layout);
        EXPECT_EQ(text(layout, LayoutTexts::Width), row.widthText);
        EXPECT_EQ(text(layout, LayoutTexts::Height), row.heightText);
        EXPECT_EQ(text(layout, LayoutTexts::Right), row.rightText);
        EXPECT_EQ(text(layout, LayoutTexts::Bottom), row.bottomText);
        EXPECT_EQ(layout.image(), row.image);
        EXPECT_EQ(layout.signal(), row.signal);
    }
}

TEST(PrintLayout, NewPrinterResetsMarginsAndLimitsTheSize) {
    PrintLayout layout;
    layout.setPrinter(a4At254());
    layout.receiveImage(300, 100);
    layout.setBarPosition(LayoutBar::Width, 2000);
    layout.setBarPosition(LayoutBar::Left, 300);
    ASSERT_FLOAT_EQ(layout.leftMarginMm(), 30.0f);

    PrinterFigures a5 = a4At254();
    a5.paperWidthPx = 1480;
    a5.paperHeightPx = 2100;
    a5.printableWidthPx = 1400;
    a5.printableHeightPx = 2000;
    a5.offsetXPx = a5.offsetYPx = 40;
    layout.setPrinter(a5);
    EXPECT_FLOAT_EQ(layout.leftMarginMm(), 0.0f);
    EXPECT_EQ(layout.bar(LayoutBar::Left).position, 0);
    EXPECT_EQ(text(layout, LayoutTexts::Left), "4.0");
    EXPECT_EQ(layout.bar(LayoutBar::Width).position, 1400);
    EXPECT_EQ(layout.bar(LayoutBar::Height).position, 467);
    EXPECT_EQ(text(layout, LayoutTexts::Width), "140.1"); // back from the height by the ratio
    EXPECT_EQ(layout.paperText().substr(0, 2), "A5");
}

TEST(PrintLayout, ImageBeforeAnyPrinterIsRefused) {
    PrintLayout layout;
    EXPECT_THROW(layout.receiveImage(10, 10), std::logic_error);
}

TEST(PrintRectangle, MillimetresToPrinterDots) {
    struct Row {
        std::int32_t dpi, scale;
        float left, top, width, height;
        DotRect dots;
    } rows[] = {
        {600, 100, 10.0f, 0.0f, 50.0f, 20.0f, {236, 0, 1417, 472}},
        {600, 50, 10.0f, 0.0f, 50.0f, 20.0f, {472, 0, 2834, 944}}, // half scale doubles
        {254, 100, 0.0f, 0.0f, 100.0f, 50.0f, {0, 0, 1000, 500}},
        {254, 100, 0.05f, 0.0f, 0.1f, 0.0f, {0, 0, 1, 0}},
        // Beyond 32-bit products: 200 mm at 1200 dpi.
        {1200, 100, 200.0f, 150.0f, 10.0f, 100.0f, {9448, 7086, 9921, 11811}},
        {2400, 100, 287.0f, 0.0f, 200.0f, 0.0f, {27118, 0, 46015, 0}},
    };
    for (const Row& row : rows) {
        PrinterFigures printer;
        printer.dpiX = printer.dpiY = row.dpi;
        printer.scale = row.scale;
        EXPECT_EQ(printRectangle(row.left, row.top, row.width, row.height, printer), row.dots)
            << row.dpi << " dpi, scale " << row.scale << ", left " << row.left;
    }
}

TEST(PrintRectangle, RoundingSaturatesInsteadOfFailing) {
    EXPECT_EQ(roundSaturated(2.5f), 2);
    EXPECT_EQ(roundSaturated(-3.5f), -4);
    EXPECT_EQ(roundSaturated(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(roundSaturated(std::numeric_limits<float>::infinity()), std::int64_t{1} << 62);
    EXPECT_EQ(roundSaturated(-1e30f), -(std::int64_t{1} << 62));
}
