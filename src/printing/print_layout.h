// The print window's layout in millimetres: printed size and position of the image, the four
// bars in tenths of a millimetre with the rules that tie them together, the preview geometry
// and the memo texts. The window shows this state; every number is computed here.
#pragma once

#include "printing/print_rectangle.h"
#include "printing/printer_figures.h"

#include <array>
#include <cstdint>
#include <string>

namespace tavlo {

enum class LayoutBar {
    Width,  // ScrollBar3
    Height, // ScrollBar4
    Left,   // ScrollBar1
    Top,    // ScrollBar2
};
inline constexpr int kLayoutBarCount = 4;

struct ScrollBarState {
    std::int64_t maximum = 0; // the minimum is 0
    std::int64_t position = 0;
};

// Preview pixels; Image1 relative to Panel2, Panel2 relative to Panel1.
struct PreviewRect {
    std::int64_t left = 0, top = 0, width = 0, height = 0;
    bool operator==(const PreviewRect&) const = default;
};

// Panel1's colour: none until a rule first runs, then yellow or red.
enum class OverflowSignal { None, Fits, Overflows };

struct LayoutTexts {
    enum Field {
        Aspect, // Memo14 "%.04n"
        Width,  // Memo10
        Height, // Memo11
        Left,   // Memo12, from the paper edge
        Right,  // Memo1
        Top,    // Memo13
        Bottom, // Memo2
        FieldCount
    };
    std::array<std::string, FieldCount> fields;
};

class PrintLayout {
  public:
    // Once the figures are read: paper name, preview panels, bar ranges, and the
    // margins back to 0. Throws std::invalid_argument (nothing changed) for unusable figures.
    void setPrinter(const PrinterFigures& figures);
    // SizeFromImage: the image starts at ten times its size at the printer's resolution,
    // limited to the printable area. Throws std::logic_error before the first setPrinter.
    void receiveImage(std::int32_t width, std::int32_t height);
    // A position from the user or the program: limited to the bar's range; the bar's rule runs
    // when, and only when, the position changes.
    void setBarPosition(LayoutBar bar, std::int64_t position);
    void centreImage(); // whichever state the centring box took
    void wholePage();

    bool keepAspect = true; // CheckBox1 "縦横比維持"
    bool centre = false;    // CheckBox3 "ページ中央"

    const PrinterFigures& printer() const { return printer_; }
    const PrinterMillimetres& millimetres() const { return mm_; }
    float previewScale() const { return previewScale_; }
    const std::string& paperText() const { return paperText_; }
    PreviewRect sheet() const { return sheet_; } // Panel1 (left and top are the window's)
    PreviewRect printableArea() const { return printable_; } // Panel2
    PreviewRect image() const { return image_; }             // Image1
    const ScrollBarState& bar(LayoutBar which) const { return bars_[index(which)]; }
    const LayoutTexts& texts() const { return texts_; }
    OverflowSignal signal() const { return signal_; }

    std::int32_t imageWidth() const { return imageWidth_; } // PrintImageWidth
    std::int32_t imageHeight() const { return imageHeight_; }
    float printWidthMm() const { return printWidthMm_; }
    float printHeightMm() const { return printHeightMm_; }
    float leftMarginMm() const { return leftMarginMm_; }
    float topMarginMm() const { return topMarginMm_; }
    float printAspect() const { return printAspect_; }

    // The printed rectangle in dots from the printable area's corner.
    DotRect dotRectangle() const;

  private:
    static int index(LayoutBar bar) { return static_cast<int>(bar); }
    void setMaximum(LayoutBar bar, std::int64_t maximum);
    void runRule(LayoutBar bar);
    void widthRule();
    void heightRule();
    void leftRule();
    void topRule();
    void updateSignal();

    PrinterFigures printer_;
    PrinterMillimetres mm_;
    float previewScale_ = 0;
    std::string paperText_;
    PreviewRect sheet_, printable_, image_;
    std::array<ScrollBarState, kLayoutBarCount> bars_{};
    LayoutTexts texts_;
    OverflowSignal signal_ = OverflowSignal::None;

    std::int32_t imageWidth_ = 0, imageHeight_ = 0;
    float printWidthMm_ = 0, printHeightMm_ = 0;
    float leftMarginMm_ = 0, topMarginMm_ = 0;
    float printAspect_ = 0;
};

} // namespace tavlo
