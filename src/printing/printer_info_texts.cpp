#include "printing/printer_info_texts.h"

#include "document/text_format.h"

namespace tavlo {

namespace {

std::string dotsAndMillimetres(std::int64_t dots, float mm) {
    return std::to_string(dots) + formatText(" ( %.01n)", {static_cast<long double>(mm)});
}

} // namespace

PrinterInfoTexts printerInfoTexts(const PrinterFigures& f) {
    const PrinterMillimetres mm = millimetresOf(f);
    const std::int64_t rightPx = std::int64_t{f.paperWidthPx} - f.printableWidthPx - f.offsetXPx;
    const std::int64_t bottomPx = std::int64_t{f.paperHeightPx} - f.printableHeightPx - f.offsetYPx;
    const float rightMm = mm.paperWidth - mm.printableWidth - mm.offsetX;
    const float bottomMm = mm.paperHeight - mm.printableHeight - mm.offsetY;
    const float ratio = mm.printableWidth / mm.printableHeight;

    PrinterInfoTexts texts;
    auto& t = texts.fields;
    t[PrinterInfoTexts::DeviceName] = f.deviceName;
    t[PrinterInfoTexts::PaperWidth] = dotsAndMillimetres(f.paperWidthPx, mm.paperWidth);
    t[PrinterInfoTexts::PaperHeight] = dotsAndMillimetres(f.paperHeightPx, mm.paperHeight);
    t[PrinterInfoTexts::PrintableWidth] = dotsAndMillimetres(f.printableWidthPx, mm.printableWidth);
    t[PrinterInfoTexts::PrintableHeight] =
        dotsAndMillimetres(f.printableHeightPx, mm.printableHeight);
    t[PrinterInfoTexts::PrintableRatio] = formatText("%.4f ", {static_cast<long double>(ratio)});
    t[PrinterInfoTexts::OffsetLeft] = dotsAndMillimetres(f.offsetXPx, mm.offsetX);
    t[PrinterInfoTexts::OffsetRight] = dotsAndMillimetres(rightPx, rightMm);
    t[PrinterInfoTexts::OffsetTop] = dotsAndMillimetres(f.offsetYPx, mm.offsetY);
    t[PrinterInfoTexts::OffsetBottom] = dotsAndMillimetres(bottomPx, bottomMm);
    t[PrinterInfoTexts::DpiX] = std::to_string(f.dpiX);
    t[PrinterInfoTexts::DpiY] = std::to_string(f.dpiY);
    t[PrinterInfoTexts::Scale] = std::to_string(f.scale) + "(%)";
    return texts;
}

} // namespace tavlo
