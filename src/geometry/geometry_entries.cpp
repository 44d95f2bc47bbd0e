#include "geometry_entries.h"

#include "document/parameter_parse.h"
#include "geometry_steps.h"
#include "trim.h"

#include <initializer_list>
#include <string>

namespace tavlo {

namespace {

[[noreturn]] void reject(std::string_view argument, std::string_view why) {
    throw OperationArgumentError("'" + std::string(argument) + "' " + std::string(why));
}

ImageSize parseSize(std::string_view argument, std::string_view usage) {
    const auto w = argumentWords(argument, 'x', 2, usage);
    return {parseParameter(w[0], ResizeParameters::kSide),
            parseParameter(w[1], ResizeParameters::kSide)};
}

// The numbers as an argument writes them: "640x480", "1,2,3,4".
std::string numbersText(std::initializer_list<int> numbers, char separator) {
    std::string text;
    for (const int number : numbers) {
        if (!text.empty()) text += separator;
        text += std::to_string(number);
    }
    return text;
}

std::string sizeText(int width, int height) {
    return numbersText({width, height}, 'x');
}

// `argument` names the request in the refusal.
OperationStatus resizeTo(Document& document, ImageSize size, std::string_view argument) {
    const std::string_view why = resizeRefusal(size);
    // The same refusal as any other result above the pixel limit, not a mistyped argument.
    if (why == kResizeTooLargeMessage) throw PixelLimitError(size.width, size.height);
    if (!why.empty()) reject(argument, why);
    runResize(document, size);
    return OperationStatus::Done;
}

// An empty image is left to the kernel, which refuses it with its own error.
OperationStatus trimTo(Document& document, const TrimRect& rect, std::string_view argument) {
    if (!document.workImage.empty() && !trimRectFits(document.workImage, rect))
        reject(argument, "does not lie inside the " +
                             sizeText(document.workImage.width(), document.workImage.height()) +
                             " image");
    return runTrim(document, rect);
}

DeformMode parseKeystoneSide(std::string_view word) {
    if (word == "both") return DeformMode::KeystoneBoth;
    if (word == "right") return DeformMode::KeystoneRight;
    if (word == "left") return DeformMode::KeystoneLeft;
    reject(word, "is not one of both, right, left");
}

} // namespace

TurnParameters parseTurn(std::string_view argument) {
    static constexpr std::pair<std::string_view, TurnMode> kModes[] = {{"right", TurnMode::Right},
                                                                       {"left", TurnMode::Left},
                                                                       {"half", TurnMode::Half},
                                                                       {"mirror", TurnMode::Mirror},
                                                                       {"flip", TurnMode::Flip}};
    for (const auto& [name, mode] : kModes)
        if (name == argument) return {mode};
    reject(argument, "is not one of right, left, half, mirror, flip");
}

OperationStatus turnSteps(Document& document, const TurnParameters& parameters) {
    return runQuarterTurn(document, parameters.mode);
}

ShrinkParameters parseShrink(std::string_view argument) {
    const int divisor = parseParameter(argument, ShrinkParameters::kDivisor);
    for (const MenuOffer<ShrinkParameters>& offer : kShrinkMenuItems)
        if (offer.preset.divisor == divisor) return {divisor};
    reject(argument, "is not one of 1, 2, 4, 8");
}

OperationStatus shrinkSteps(Document& document, const ShrinkParameters& parameters) {
    return resizeTo(document, requestedSize(document, parameters.divisor, {}),
                    std::to_string(parameters.divisor));
}

ResizeParameters parseResize(std::string_view argument) {
    return {parseSize(argument, kResizeEntry.usage)};
}

OperationStatus resizeSteps(Document& document, const ResizeParameters& parameters) {
    return resizeTo(document, parameters.size,
                    sizeText(parameters.size.width, parameters.size.height));
}

RotationParameters parseRotation(std::string_view argument) {
    return {parseParameter(argument, RotationParameters::kAngle)};
}

OperationStatus rotationSteps(Document& document, const RotationParameters& parameters) {
    return runRotation(document, parameters.degrees);
}

DeformParameters parseKeystone(std::string_view argument) {
    const auto w = argumentWords(argument, ':', 2, kKeystoneEntry.usage);
    const DeformMode mode = parseKeystoneSide(w[0]);
    return {mode, parseParameter(w[1], DeformParameters::kStrength)};
}

DeformParameters parseShear(std::string_view argument) {
    return {DeformMode::Shear, parseParameter(argument, DeformParameters::kStrength)};
}

OperationStatus deformationSteps(Document& document, const DeformParameters& parameters) {
    return runDeformation(document, parameters.mode, deformAmount(parameters.strength));
}

TrimRect parseTrim(std::string_view argument) {
    const auto w = argumentWords(argument, ',', 4, kTrimEntry.usage);
    return {parseParameter(w[0], TrimRect::kEdge), parseParameter(w[1], TrimRect::kEdge),
            parseParameter(w[2], TrimRect::kEdge), parseParameter(w[3], TrimRect::kEdge)};
}

OperationStatus trimSteps(Document& document, const TrimRect& rect) {
    return trimTo(document, rect, numbersText({rect.left, rect.top, rect.right, rect.bottom}, ','));
}

// The dialog offers five sizes; a batch run may cut any size the image holds.
WallpaperParameters parseWallpaper(std::string_view argument) {
    const std::size_t at = argument.find('@');
    const ImageSize size = parseSize(argument.substr(0, at), kWallpaperEntry.usage);
    WallpaperParameters parameters{{size.width, size.height}};
    if (at != std::string_view::npos) {
        const auto corner = argumentWords(argument.substr(at + 1), ',', 2, kWallpaperEntry.usage);
        parameters.placed = true;
        parameters.left = parseParameter(corner[0], WallpaperParameters::kPosition);
        parameters.top = parseParameter(corner[1], WallpaperParameters::kPosition);
    }
    return parameters;
}

OperationStatus wallpaperSteps(Document& document, const WallpaperParameters& parameters) {
    std::string argument = sizeText(parameters.size.width, parameters.size.height);
    if (parameters.placed) {
        argument += '@';
        argument += numbersText({parameters.left, parameters.top}, ',');
    }
    const int width = document.workImage.width();
    const int height = document.workImage.height();
    const std::optional<TrimRect> rect = wallpaperRect(width, height, parameters);
    if (!rect) reject(argument, "does not fit the " + sizeText(width, height) + " image");
    return trimTo(document, *rect, argument);
}

} // namespace tavlo
