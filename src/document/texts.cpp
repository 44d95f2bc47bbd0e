#include "texts.h"

#include "document/text_format.h"

#include <array>
#include <stdexcept>

namespace tavlo {

namespace {

long double asFloating(float value) {
    return static_cast<long double>(value);
}

} // namespace

std::string initialPanelText(int panel) {
    static constexpr std::array<std::string_view, kStatusPanelCount> kTexts = {
        "W=", "H=", "W/H=", "表示スケール", "Filename", "属性", "ｻｲｽﾞ=", "色数", "JPG圧縮度：",
    };
    if (panel < 0 || panel >= kStatusPanelCount)
        throw std::out_of_range("initialPanelText: no panel " + std::to_string(panel));
    return std::string(kTexts[static_cast<std::size_t>(panel)]);
}

std::string widthPanelText(int width) {
    return formatText("W = %d", {std::int64_t{width}});
}

std::string heightPanelText(int height) {
    return formatText("H = %d", {std::int64_t{height}});
}

std::string viewAspectPanelText(float viewAspect) {
    return formatText("W/H = %.5n", {asFloating(viewAspect)});
}

std::string scaleMenuText(int displayScale) {
    switch (displayScale) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 8:
        return formatText("1/%d", {std::int64_t{displayScale}});
    default:
        return "ELSE";
    }
}

std::string scalePanelText(int displayScale) {
    return "表示ｽｹｰﾙ : " + scaleMenuText(displayScale);
}

std::string fileSizePanelText(std::uint64_t size) {
    return formatText(" ｻｲｽﾞ= %.n ﾊﾞｲﾄ", {static_cast<long double>(size)});
}

std::string fileSizeInfoText(std::uint64_t size) {
    return formatText("%.n ﾊﾞｲﾄ", {static_cast<long double>(size)});
}

std::string colourCountText(PixelFormat format) {
    switch (format) {
    case PixelFormat::Bit1:
        return "２色";
    case PixelFormat::Bit4:
        return "16色";
    case PixelFormat::Bit8:
        return "256色";
    case PixelFormat::Bit15:
    case PixelFormat::Bit16:
        return "32k/64k色";
    case PixelFormat::Bit24:
        return "16.8Ｍ色";
    case PixelFormat::Bit32:
        return "4.3G色";
    case PixelFormat::Device:
    case PixelFormat::Custom:
        break;
    }
    return "?????";
}

std::string bmpFormatText(PixelFormat saveFormat) {
    switch (saveFormat) {
    case PixelFormat::Bit8:
        return "(8bits)";
    case PixelFormat::Bit24:
        return "(24bits)";
    case PixelFormat::Bit32:
        return "(32bits)";
    default:
        throw std::invalid_argument("bmpFormatText: not a BMP save format");
    }
}

std::string qualityStatusText(int jpegQuality, std::string_view bmpFormatText) {
    return formatText("　JPG圧縮度：%d  / BMP保存形式：%s",
                      {std::int64_t{jpegQuality}, bmpFormatText});
}

std::string pixelSizeInfoText(int width, int height) {
    return formatText("W = %d , H = %d", {std::int64_t{width}, std::int64_t{height}});
}

std::string aspectInfoText(float aspect) {
    return formatText("W/H = %.4n", {asFloating(aspect)});
}

std::string jpegAspectInfoText(float aspect, std::string_view bmpFormatText) {
    return formatText("W/H = %.4f %s", {asFloating(aspect), bmpFormatText});
}

std::string colourAspectInfoText(float aspect, std::string_view colourCount) {
    return formatText("W/H = %.4f ( %s )", {asFloating(aspect), colourCount});
}

std::string attributeText(const FileEntry& entry) {
    std::string text;
    if (entry.readOnly) text += "R";
    if (entry.hidden) text += "H";
    if (entry.directory) text += "SDir";
    return text;
}

std::string fileTimeText(std::optional<std::time_t> time) {
    static constexpr std::array<std::string_view, 7> kWeekdays = {"日", "月", "火", "水",
                                                                  "木", "金", "土"};
    std::tm local{};
    if (!time || !localtime_r(&*time, &local) || local.tm_year < 0) return "不明";
    return formatText("%4d/%.2d/%.2d %.2d:%.2d:%.2d(%s)",
                      {std::int64_t{local.tm_year} + 1900, std::int64_t{local.tm_mon} + 1,
                       std::int64_t{local.tm_mday}, std::int64_t{local.tm_hour},
                       std::int64_t{local.tm_min}, std::int64_t{local.tm_sec},
                       kWeekdays[static_cast<std::size_t>(local.tm_wday)]});
}

const std::string_view kUnsupportedFormatMessage = "そのビット形式はサポートしていません。\n\r"
                                                   "作業中画像ファイルをＢＭＰ２４ビット形式で\n\r"
                                                   "一時保存して,作業を継続してください。";
const std::string_view kBadExtensionMessage = "拡張子を正しく入力してください。";

std::string savePromptText(std::string_view currentFileName) {
    std::string text = "画像が変更されています。保存しますか？。\r\n";
    text += currentFileName;
    return text;
}

std::string unsupportedDropMessage(std::string_view upperExtension) {
    std::string text = "ファイルタイプ";
    text += upperExtension;
    text += "はサポートしてません。";
    return text;
}

const std::string_view kChangeGroupCaption = "変更情報";
const std::string_view kRotatedGroupCaption = "画像回転後情報";
const std::string_view kResizedGroupCaption = "画像サイズ変更後情報";
const std::string_view kTrimmedGroupCaption = "画像トリミング後情報";

} // namespace tavlo
