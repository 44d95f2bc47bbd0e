#include "operations/geometry_operations.h"

#include "geometry/geometry_steps.h"
#include "geometry/trim.h"

#include <algorithm>
#include <string>

namespace tavlo {

namespace {

[[noreturn]] void reject(std::string_view argument, std::string_view why) {
    throw OperationArgumentError("'" + std::string(argument) + "' " + std::string(why));
}

ImageSize parseSize(std::string_view argument, std::string_view usage) {
    const auto w = argumentWords(argument, 'x', 2, usage);
    return {parseParameter(w[0], kTargetSide), parseParameter(w[1], kTargetSide)};
}

OperationStatus resize(Document& document, std::string_view argument, int divisor,
                       ImageSize target) {
    const ImageSize size = requestedSize(document, divisor, target);
    const std::string_view why = resizeRefusal(size);
    // The same refusal as any other result above the pixel limit, not a mistyped argument.
    if (why == kResizeTooLargeMessage) throw PixelLimitError(size.width, size.height);
    if (!why.empty()) reject(argument, why);
    runResize(document, size);
    return OperationStatus::Done;
}

TurnMode parseTurn(std::string_view argument) {
    static constexpr std::pair<std::string_view, TurnMode> kModes[] = {{"right", TurnMode::Right},
                                                                       {"left", TurnMode::Left},
                                                                       {"half", TurnMode::Half},
                                                                       {"mirror", TurnMode::Mirror},
                                                                       {"flip", TurnMode::Flip}};
    for (const auto& [name, mode] : kModes)
        if (name == argument) return mode;
    reject(argument, "is not one of right, left, half, mirror, flip");
}

DeformMode parseKeystoneSide(std::string_view word) {
    if (word == "both") return DeformMode::KeystoneBoth;
    if (word == "right") return DeformMode::KeystoneRight;
    if (word == "left") return DeformMode::KeystoneLeft;
    reject(word, "is not one of both, right, left");
}

OperationStatus trim(Document& document, std::string_view argument, const TrimRect& rect) {
    if (!trimRectFits(document.workImage, rect))
        reject(argument, "does not lie inside the " + std::to_string(document.workImage.width()) +
                             "x" + std::to_string(document.workImage.height()) + " image");
    return runTrim(document, rect);
}

constexpr std::string_view kTrimUsage = "trim:L,T,R,B";
constexpr std::string_view kWallpaperUsage = "wallpaper:WxH or wallpaper:WxH@L,T";

OperationStatus wallpaper(Document& document, std::string_view argument) {
    const std::size_t at = argument.find('@');
    // The dialog offers five sizes; a batch run may cut any size the image holds.
    const ImageSize size = parseSize(argument.substr(0, at), kWallpaperUsage);
    const WallpaperSize frame{size.width, size.height};
    const int width = document.workImage.width();
    const int height = document.workImage.height();
    std::optional<TrimRect> rect;
    if (at == std::string_view::npos) {
        rect = centredWallpaperRect(width, height, frame);
    } else {
        const auto corner = argumentWords(argument.substr(at + 1), ',', 2, kWallpaperUsage);
        const ParameterRange position{"position", 0, kTargetSide.maximum, 0};
        rect = placedWallpaperRect(width, height, frame, parseParameter(corner[0], position),
                                   parseParameter(corner[1], position));
    }
    if (!rect)
        reject(argument, "does not fit the " + std::to_string(width) + "x" +
                             std::to_string(height) + " image");
    return trim(document, argument, *rect);
}

} // namespace

std::vector<OperationSpec> geometryOperations() {
    return {
        {"turn", "turn:right|left|half|mirror|flip",
         [](Document& document, std::string_view argument) {
             return runQuarterTurn(document, parseTurn(argument));
         }},
        {"shrink", "shrink:D (D = 1, 2, 4, 8)",
         [](Document& document, std::string_view argument) {
             const int divisor = parseParameter(argument, {"divisor", 1, 8, 1});
             if (std::find(kShrinkDivisors.begin(), kShrinkDivisors.end(), divisor) ==
                 kShrinkDivisors.end())
                 reject(argument, "is not one of 1, 2, 4, 8");
             return resize(document, argument, divisor, {});
         }},
        {"resize", "resize:WxH",
         [](Document& document, std::string_view argument) {
             return resize(document, argument, 0, parseSize(argument, "resize:WxH"));
         }},
        {"rotate", "rotate:DEG",
         [](Document& document, std::string_view argument) {
             return runRotation(document, parseParameter(argument, kRotationAngle));
         }},
        {"keystone", "keystone:both|right|left:A",
         [](Document& document, std::string_view argument) {
             const auto w = argumentWords(argument, ':', 2, "keystone:both|right|left:A");
             const DeformMode mode = parseKeystoneSide(w[0]);
             return runDeformation(document, mode,
                                   deformAmount(parseParameter(w[1], kDeformStrength)));
         }},
        {"shear", "shear:A",
         [](Document& document, std::string_view argument) {
             return runDeformation(document, DeformMode::Shear,
                                   deformAmount(parseParameter(argument, kDeformStrength)));
         }},
        {"trim", kTrimUsage,
         [](Document& document, std::string_view argument) {
             const auto w = argumentWords(argument, ',', 4, kTrimUsage);
             const ParameterRange edge{"edge", 0, kTargetSide.maximum, 0};
             return trim(document, argument,
                         {parseParameter(w[0], edge), parseParameter(w[1], edge),
                          parseParameter(w[2], edge), parseParameter(w[3], edge)});
         }},
        {"wallpaper", kWallpaperUsage, wallpaper},
    };
}

} // namespace tavlo
