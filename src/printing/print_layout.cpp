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
    texts_.fields[LayoutTexts::Left] = tenths(leftMarginMm_ + mm_.offsetX);
    texts_.fields[LayoutTexts::Top] = tenths(topMarginMm_ + mm_.offsetY);
    image_.left = 0;
    image_.top = 0;
    setBarPosition(LayoutBar::Left, 0);
    setBarPosition(LayoutBar::Top, 0);
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
    texts_.fields[LayoutTexts::Aspect] =
        formatText("%.04n", {static_cast<long double>(printAspect_)});
    texts_.fields[LayoutTexts::Width] = tenths(w0);
    texts_.fields[LayoutTexts::Height] = tenths(h0);
    // The products are not stored, so they keep every bit until they are rounded: a width of
    // 3.175 mm in single precision is just below 317.5 tenths, not 317.5 itself.
    const long double w0Wide = w0, h0Wide = h0;
    image_.width = roundSaturated(w0Wide * previewScale_ * 10);
    image_.height = roundSaturated(h0Wide * previewScale_ * 10);
    setBarPosition(LayoutBar::Width, roundSaturated(w0Wide * 100));
    setBarPosition(LayoutBar::Height, roundSaturated(h0Wide * 100));
    widthRule();
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
    texts_.fields[LayoutTexts::Width] = tenths(printWidthMm_);
    image_.width = roundSaturated(printWidthMm_ * previewScale_);
    if (keepAspect) {
        printHeightMm_ = printWidthMm_ / printAspect_;
        setBarPosition(LayoutBar::Height, roundSaturated(printHeightMm_ * 10.0f));
        texts_.fields[LayoutTexts::Height] = tenths(printHeightMm_);
        image_.height = roundSaturated(printHeightMm_ * previewScale_);
    }
    if (centre) centreImage();
    updateSignal();
    leftRule();
}

void PrintLayout::heightRule() {
    printHeightMm_ = static_cast<float>(bar(LayoutBar::Height).position) / 10.0f;
    texts_.fields[LayoutTexts::Height] = tenths(printHeightMm_);
    image_.height = roundSaturated(printHeightMm_ * previewScale_);
    if (keepAspect) {
        printWidthMm_ = printHeightMm_ * printAspect_;
        setBarPosition(LayoutBar::Width, roundSaturated(printWidthMm_ * 10.0f));
        texts_.fields[LayoutTexts::Width] = tenths(printWidthMm_);
        image_.width = roundSaturated(printWidthMm_ * previewScale_);
    }
    if (centre) centreImage();
    updateSignal();
    topRule();
}

void PrintLayout::leftRule() {
    leftMarginMm_ = static_cast<float>(bar(LayoutBar::Left).position) / 10.0f;
    texts_.fields[LayoutTexts::Left] = tenths(leftMarginMm_ + mm_.offsetX);
    texts_.fields[LayoutTexts::Right] =
        tenths(mm_.paperWidth - leftMarginMm_ - printWidthMm_ - mm_.offsetX);
    image_.left = roundSaturated(leftMarginMm_ * previewScale_);
    if (centre) centreImage();
    updateSignal();
}

void PrintLayout::topRule() {
    topMarginMm_ = static_cast<float>(bar(LayoutBar::Top).position) / 10.0f;
    texts_.fields[LayoutTexts::Top] = tenths(topMarginMm_ + mm_.offsetY);
    texts_.fields[LayoutTexts::Bottom] =
        tenths(mm_.paperHeight - topMarginMm_ - printHeightMm_ - mm_.offsetY);
    image_.top = roundSaturated(topMarginMm_ * previewScale_);
    if (centre) centreImage();
    updateSignal();
}

void PrintLayout::centreImage() {
    image_.left = (printable_.width - image_.width) / 2;
    image_.top = (printable_.height - image_.height) / 2;
    setBarPosition(LayoutBar::Left,
                   roundSaturated(static_cast<float>(image_.left) * 10.0f / previewScale_));
    setBarPosition(LayoutBar::Top,
                   roundSaturated(static_cast<float>(image_.top) * 10.0f / previewScale_));
}

void PrintLayout::wholePage() {
    image_.width = printable_.width;
    image_.height = printable_.height;
    centreImage();
    setBarPosition(LayoutBar::Width, bar(LayoutBar::Width).maximum);
    setBarPosition(LayoutBar::Height, bar(LayoutBar::Height).maximum);
}

void PrintLayout::updateSignal() {
    const bool beyond = leftMarginMm_ + printWidthMm_ > mm_.printableWidth ||
                        topMarginMm_ + printHeightMm_ > mm_.printableHeight;
    signal_ = beyond ? OverflowSignal::Overflows : OverflowSignal::Fits;
}

DotRect PrintLayout::dotRectangle() const {
    return printRectangle(leftMarginMm_, topMarginMm_, printWidthMm_, printHeightMm_, printer_);
}

} // namespace tavlo
