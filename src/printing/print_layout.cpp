#include "printing/print_layout.h"

#include "document/text_format.h"

#include <algorithm>
#include <stdexcept>

namespace tavlo {

namespace {

std::string tenths(float mm) {
    return formatText("%.01n", {static_cast<long double>(mm)});
}

} // namespace

void PrintLayout::setPrinter(const PrinterFigures& figures) {
    const PrinterMillimetres mm = millimetresOf(figures);
    printer_ = figures;
    mm_ = mm;
    previewScale_ = previewScaleOf(mm);
    paperText_ = paperLabel(mm);
    sheet_.width = roundSaturated(mm.paperWidth * previewScale_);
    sheet_.height = roundSaturated(mm.paperHeight * previewScale_);
    printable_ = {roundSaturated(mm.offsetX * previewScale_),
                  roundSaturated(mm.offsetY * previewScale_),
                  roundSaturated(mm.printableWidth * previewScale_),
                  roundSaturated(mm.printableHeight * previewScale_)};

    setMaximum(LayoutBar::Width, roundSaturated(mm.printableWidth * 10.0f));
    setMaximum(LayoutBar::Left, roundSaturated(mm.printableWidth * 10.0f));
    setMaximum(LayoutBar::Height, roundSaturated(mm.printableHeight * 10.0f));
    setMaximum(LayoutBar::Top, roundSaturated(mm.printableHeight * 10.0f));

    leftMarginMm_ = 0;
    topMarginMm_ = 0;
    setBarPosition(LayoutBar::Left, 0);
    setBarPosition(LayoutBar::Top, 0);
    settle();
}

void PrintLayout::receiveImage(std::int32_t width, std::int32_t height) {
    if (printer_.dpiX <= 0) throw std::logic_error("print layout without a printer");
    imageWidth_ = width;
    imageHeight_ = height;
    const float w0 = pxToMm(width, printer_.dpiX, printer_.scale);
    const float h0 = pxToMm(height, printer_.dpiY, printer_.scale);
    printWidthMm_ = w0;
    printHeightMm_ = h0;
    printAspect_ = w0 / h0;
    aspectText_ = formatText("%.04n", {static_cast<long double>(printAspect_)});
    // The products are not stored, so they keep every bit until they are rounded: a width of
    // 3.175 mm in single precision is just below 317.5 tenths, not 317.5 itself.
    const long double w0Wide = w0, h0Wide = h0;
    setBarPosition(LayoutBar::Width, roundSaturated(w0Wide * 100));
    setBarPosition(LayoutBar::Height, roundSaturated(h0Wide * 100));
    // A bar already at its new position runs no rule, and the size would stay unscaled.
    widthRule();
    if (!keepAspect) heightRule();
    settle();
}

void PrintLayout::setMaximum(LayoutBar bar, std::int64_t maximum) {
    ScrollBarState& state = bars_[index(bar)];
    state.maximum = std::max<std::int64_t>(maximum, 0);
    if (state.position > state.maximum) {
        state.position = state.maximum;
        runRule(bar);
    }
}

void PrintLayout::setBarPosition(LayoutBar bar, std::int64_t position) {
    moveBar(bar, position);
    settle();
}

void PrintLayout::moveBar(LayoutBar bar, std::int64_t position) {
    ScrollBarState& state = bars_[index(bar)];
    position = std::clamp<std::int64_t>(position, 0, state.maximum);
    if (position == state.position) return;
    state.position = position;
    runRule(bar);
}

void PrintLayout::runRule(LayoutBar bar) {
    switch (bar) {
    case LayoutBar::Width:
        widthRule();
        break;
    case LayoutBar::Height:
        heightRule();
        break;
    case LayoutBar::Left:
        leftRule();
        break;
    case LayoutBar::Top:
        topRule();
        break;
    }
}

// The bar rules read and write the shared fields at each step, as the bars' own change events
// would: setting the other size bar may run its rule before this one goes on.
void PrintLayout::widthRule() {
    printWidthMm_ = static_cast<float>(bar(LayoutBar::Width).position) / 10.0f;
    if (keepAspect) {
        printHeightMm_ = printWidthMm_ / printAspect_;
        moveBar(LayoutBar::Height, roundSaturated(printHeightMm_ * 10.0f));
    }
    if (centre) centreImage();
    leftRule();
}

void PrintLayout::heightRule() {
    printHeightMm_ = static_cast<float>(bar(LayoutBar::Height).position) / 10.0f;
    if (keepAspect) {
        printWidthMm_ = printHeightMm_ * printAspect_;
        moveBar(LayoutBar::Width, roundSaturated(printWidthMm_ * 10.0f));
    }
    if (centre) centreImage();
    topRule();
}

void PrintLayout::leftRule() {
    leftMarginMm_ = static_cast<float>(bar(LayoutBar::Left).position) / 10.0f;
    if (centre) centreImage();
}

void PrintLayout::topRule() {
    topMarginMm_ = static_cast<float>(bar(LayoutBar::Top).position) / 10.0f;
    if (centre) centreImage();
}

void PrintLayout::centreImage() {
    centreIn(roundSaturated(printWidthMm_ * previewScale_),
             roundSaturated(printHeightMm_ * previewScale_));
    settle();
}

void PrintLayout::centreIn(std::int64_t previewWidth, std::int64_t previewHeight) {
    const std::int64_t left = (printable_.width - previewWidth) / 2;
    const std::int64_t top = (printable_.height - previewHeight) / 2;
    moveBar(LayoutBar::Left, roundSaturated(static_cast<float>(left) * 10.0f / previewScale_));
    moveBar(LayoutBar::Top, roundSaturated(static_cast<float>(top) * 10.0f / previewScale_));
}

void PrintLayout::wholePage() {
    centreIn(printable_.width, printable_.height);
    // Each size is set and its rule run even when its bar is already at the end, so that the
    // picture takes the page also after the ratio box changed.
    moveBar(LayoutBar::Width, bar(LayoutBar::Width).maximum);
    widthRule();
    moveBar(LayoutBar::Height, bar(LayoutBar::Height).maximum);
    heightRule();
    settle();
}

// The preview and every figure follow the sizes and margins that print, whichever rule ran last.
void PrintLayout::settle() {
    image_ = {roundSaturated(leftMarginMm_ * previewScale_),
              roundSaturated(topMarginMm_ * previewScale_),
              roundSaturated(printWidthMm_ * previewScale_),
              roundSaturated(printHeightMm_ * previewScale_)};
    auto& fields = texts_.fields;
    fields[LayoutTexts::Aspect] = aspectText_;
    fields[LayoutTexts::Width] = tenths(printWidthMm_);
    fields[LayoutTexts::Height] = tenths(printHeightMm_);
    fields[LayoutTexts::Left] = tenths(leftMarginMm_ + mm_.offsetX);
    fields[LayoutTexts::Right] =
        tenths(mm_.paperWidth - leftMarginMm_ - printWidthMm_ - mm_.offsetX);
    fields[LayoutTexts::Top] = tenths(topMarginMm_ + mm_.offsetY);
    fields[LayoutTexts::Bottom] =
        tenths(mm_.paperHeight - topMarginMm_ - printHeightMm_ - mm_.offsetY);
    if (imageWidth_ != 0) updateSignal();
}

// Compared in the bars' tenths: a picture as large as a bar can make it fills the area exactly,
// even where the rounded maximum lies a fraction of a tenth beyond the printable size.
void PrintLayout::updateSignal() {
    const auto tenthsOf = [](float mm) { return roundSaturated(mm * 10.0f); };
    const bool beyond = tenthsOf(leftMarginMm_ + printWidthMm_) > bar(LayoutBar::Width).maximum ||
                        tenthsOf(topMarginMm_ + printHeightMm_) > bar(LayoutBar::Height).maximum;
    signal_ = beyond ? OverflowSignal::Overflows : OverflowSignal::Fits;
}

DotRect PrintLayout::dotRectangle() const {
    return printRectangle(leftMarginMm_, topMarginMm_, printWidthMm_, printHeightMm_, printer_);
}

} // namespace tavlo
