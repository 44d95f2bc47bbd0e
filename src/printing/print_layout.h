// The print window's layout in millimetres: printed size and position of the image, the four
// bars in tenths of a millimetre with the rules that tie them together, the preview geometry
// and the readout texts. The window shows this state; every number is computed here.
#pragma once

#include "printing/print_rectangle.h"
#include "printing/printer_figures.h"

#include <array>
#include <cstdint>
#include <string>

namespace tavlo {

enum class LayoutBar {
    Width,
    Height,
    Left, // from the printable area's edge
    Top,
};
inline constexpr int kLayoutBarCount = 4;

struct ScrollBarState {
    std::int64_t maximum = 0; // the minimum is 0
    std::int64_t position = 0;
};

// Preview pixels; the picture relative to the printable area, the printable area relative to
// the sheet.
struct PreviewRect {
    std::int64_t left = 0, top = 0, width = 0, height = 0;
    bool operator==(const PreviewRect&) const = default;
};

// The sheet's colour: none until an image arrives, then yellow, or red when the picture reaches
// beyond the printable area.
enum class OverflowSignal { None, Fits, Overflows };

struct LayoutTexts {
    enum Field {
        Aspect, // "%.04n"
        Width,
        Height,
        Left, // the margins from the paper edge
        Right,
        Top,
        Bottom,
        FieldCount
    };
    std::array<std::string, FieldCount> fields;
};

class PrintLayout {
  public:
    // Once the figures are read: paper name, preview panels, bar ranges, and the
    // margins back to 0. Throws std::invalid_argument (nothing changed) for unusable figures.
    void setPrinter(const PrinterFigures& figures);
    // The image starts at ten times its size at the printer's resolution, limited to the
    // printable area. Throws std::logic_error before the first setPrinter.
    void receiveImage(std::int32_t width, std::int32_t height);
    // A position from the user or the program: limited to the bar's range; the bar's rule runs
    // when, and only when, the position changes.
    void setBarPosition(LayoutBar bar, std::int64_t position);
    void centreImage(); // whichever state the centring box took
    // The printable area's full width, then its full height, each with its rule.
    void wholePage();

    bool keepAspect = true; // "縦横比維持"
    bool centre = false;    // "ページ中央"

    const PrinterFigures& printer() const { return printer_; }
    const PrinterMillimetres& millimetres() const { return mm_; }
    float previewScale() const { return previewScale_; }
    const std::string& paperText() const { return paperText_; }
    PreviewRect sheet() const { return sheet_; } // left and top are the window's
    PreviewRect printableArea() const { return printable_; }
    PreviewRect image() const { return image_; }
    const ScrollBarState& bar(LayoutBar which) const { return bars_[index(which)]; }
    const LayoutTexts& texts() const { return texts_; }
    OverflowSignal signal() const { return signal_; }

    std::int32_t imageWidth() const { return imageWidth_; } // pixels
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
    // Sets a bar as the program would; its rule runs when, and only when, the position changes.
    void moveBar(LayoutBar bar, std::int64_t position);
    void runRule(LayoutBar bar);
    void widthRule();
    void heightRule();
    void leftRule();
    void topRule();
    // Moves the margin bars so that a picture of this many preview pixels sits in the middle.
    void centreIn(std::int64_t previewWidth, std::int64_t previewHeight);
    // Derives the preview, the texts and the signal from the sizes and margins.
    void settle();
    void updateSignal();

    PrinterFigures printer_;
    PrinterMillimetres mm_;
    float previewScale_ = 0;
    std::string paperText_, aspectText_;
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
