// Every text the windows show that depends on the document, built one way for the program, the
// batch tool and the tests.
#pragma once

#include "bitmap.h"
#include "file_entry.h"

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace tavlo {

inline constexpr int kStatusPanelCount = 9;
enum StatusPanel {
    WidthPanel,
    HeightPanel,
    AspectPanel,
    ScalePanel,
    NamePanel,
    AttributePanel,
    SizePanel,
    ColourPanel,
    QualityPanel
};

// Status panel texts as the resource holds them, before anything writes. Throws
// std::out_of_range for a panel outside 0 .. kStatusPanelCount - 1.
std::string initialPanelText(int panel);

std::string widthPanelText(int width);             // "W = 640"
std::string heightPanelText(int height);           // "H = 480"
std::string viewAspectPanelText(float viewAspect); // "W/H = 1.33200"
// "表示ｽｹｰﾙ : 1/2"; scales other than 1, 2, 3, 4 and 8 read "ELSE".
std::string scalePanelText(int displayScale);
std::string scaleMenuText(int displayScale);       // "1/2", or "ELSE"
std::string fileSizePanelText(std::uint64_t size); // " ｻｲｽﾞ= 1,234,567 ﾊﾞｲﾄ"
std::string fileSizeInfoText(std::uint64_t size);  // "1,234,567 ﾊﾞｲﾄ"

// "２色", "16色", "256色", "32k/64k色", "16.8Ｍ色", "4.3G色", or "?????" (device, custom).
std::string colourCountText(PixelFormat format);
// "(8bits)", "(24bits)", "(32bits)" for the BMP save formats; std::invalid_argument for others.
std::string bmpFormatText(PixelFormat saveFormat);
// "　JPG圧縮度：50  / BMP保存形式：(24bits)"
std::string qualityStatusText(int jpegQuality, std::string_view bmpFormatText);

std::string pixelSizeInfoText(int width, int height); // "W = 640 , H = 480"
std::string aspectInfoText(float aspect);             // "W/H = 1.3333" (with separators)
std::string jpegAspectInfoText(float aspect,
                               std::string_view bmpFormatText); // "W/H = 1.3333 (24bits)"
std::string colourAspectInfoText(float aspect,
                                 std::string_view colourCount); // "W/H = 1.3333 ( 256色 )"

// Attribute letters in their fixed order "R", "H", "Sys", "V", "SDir", "A", without separators
// ("RH"). A file entry knows only read-only, hidden and directory, so "Sys", "V" and "A" never
// appear.
std::string attributeText(const FileEntry& entry);
// "2024/03/10 14:05:09(日)" in local time, or "不明" when unknown or before 1900.
std::string fileTimeText(std::optional<std::time_t> time);

// Messages, with the line breaks the program has always used (line feed, then carriage return).
extern const std::string_view kUnsupportedFormatMessage;
extern const std::string_view kBadExtensionMessage; // "拡張子を正しく入力してください。"
std::string savePromptText(std::string_view currentFileName); // "画像が変更されています。..."
std::string unsupportedDropMessage(std::string_view upperExtension); // "ファイルタイプ.PNGは..."

// Information window: captions of the change group.
extern const std::string_view kChangeGroupCaption;  // "変更情報"
extern const std::string_view kRotatedGroupCaption; // "画像回転後情報"
extern const std::string_view kResizedGroupCaption; // "画像サイズ変更後情報"
extern const std::string_view kTrimmedGroupCaption; // "画像トリミング後情報"

} // namespace tavlo
