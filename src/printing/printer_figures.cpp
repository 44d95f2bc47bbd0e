#include "printing/printer_figures.h"

#include "document/text_format.h"

#include <algorithm>
#include <stdexcept>

namespace tavlo {

float pxToMm(std::int32_t px, std::int32_t dpi, std::int32_t scale) {
    const float product = static_cast<float>(px) * 2540.0f;
    const float perDpi = product / static_cast<float>(dpi);
    return perDpi / static_cast<float>(scale);
}

PrinterMillimetres millimetresOf(const PrinterFigures& f) {
    if (f.dpiX <= 0 || f.dpiY <= 0 || f.scale <= 0 || f.paperWidthPx <= 0 || f.paperHeightPx <= 0)
        throw std::invalid_argument("printer figures without resolution, scale or sheet");
    return {
        pxToMm(f.paperWidthPx, f.dpiX, f.scale),     pxToMm(f.paperHeightPx, f.dpiY, f.scale),
        pxToMm(f.printableWidthPx, f.dpiX, f.scale), pxToMm(f.printableHeightPx, f.dpiY, f.scale),
        pxToMm(f.offsetXPx, f.dpiX, f.scale),        pxToMm(f.offsetYPx, f.dpiY, f.scale)};
}

float previewScaleOf(const PrinterMillimetres& mm) {
    const float longer = mm.paperWidth >= mm.paperHeight ? mm.paperWidth : mm.paperHeight;
    return 480.0f / longer;
}

std::string_view paperName(float paperWidthMm, float paperHeightMm) {
    const std::int64_t width = roundHalfEven(paperWidthMm);
    const std::int64_t height = roundHalfEven(paperHeightMm);
    const std::int64_t d = std::max(width, height), e = std::min(width, height);
    struct Row {
        int dLow, dHigh, eLow, eHigh;
        std::string_view name;
    };
    static constexpr Row kRows[] = {
        {290, 300, 200, 220, "A4"}, {200, 220, 140, 155, "A5"},   {250, 265, 175, 190, "B5"},
        {120, 135, 80, 95, "L判"},  {170, 185, 120, 135, "2L判"}, {140, 155, 95, 105, "はがき"},
    };
    for (const Row& row : kRows)
        if (row.dLow < d && d < row.dHigh && row.eLow < e && e < row.eHigh) return row.name;
    return "その他";
}

std::string paperLabel(const PrinterMillimetres& mm) {
    const float ratio = mm.paperWidth / mm.paperHeight;
    return std::string(paperName(mm.paperWidth, mm.paperHeight)) +
           formatText(" (W:%.01n×H:%.01n = %.4f)",
                      {static_cast<long double>(mm.paperWidth),
                       static_cast<long double>(mm.paperHeight), static_cast<long double>(ratio)});
}

} // namespace tavlo
