#include "operations/tone_operations.h"

#include "tone/tone_curve_file.h"
#include "tone/tone_entries.h"
#include "tone/tone_steps.h"

#include <string>

namespace tavlo {

namespace {

bool namesCurveFile(std::string_view argument) {
    return argument.find(',') == std::string_view::npos &&
           withToneCurveExtension(std::string(argument)) == argument;
}

constexpr std::string_view kCurveUsage = "curve:CH,P2,P3,L0,L1,L2,L3 or curve:FILE.tvl";
constexpr std::string_view kToneUsage = "tone:R,G,B";
constexpr std::string_view kContrastUsage = "contrast:C,B";

} // namespace

ToneCurve parseToneCurveArgument(std::string_view argument) {
    ToneCurve curve;
    if (namesCurveFile(argument)) {
        std::string error;
        if (!readToneCurveFile(std::string(argument), curve, error))
            throw OperationArgumentError(error);
        return curve;
    }
    const auto w = argumentWords(argument, ',', 7, kCurveUsage);
    curve.channel = parseParameter(w[0], kCurveChannel);
    curve.points[1] = parseParameter(w[1], kCurvePoint2);
    curve.points[2] = parseParameter(w[2], kCurvePoint3);
    if (curve.points[2] <= curve.points[1])
        throw OperationArgumentError("'" + std::string(w[2]) + "': P3 must be above P2");
    for (std::size_t i = 0; i < 4; ++i)
        curve.levels[i] = parseParameter(w[3 + i], kCurveLevel);
    return curve;
}

std::vector<OperationSpec> toneOperations() {
    return {
        {"curve", kCurveUsage,
         [](Document& document, std::string_view argument) {
             return runToneCurve(document, parseToneCurveArgument(argument));
         }},
        {"tone", kToneUsage,
         [](Document& document, std::string_view argument) {
             const auto w = argumentWords(argument, ',', 3, kToneUsage);
             return runColourTone(document, {parseParameter(w[0], kColourOffset),
                                             parseParameter(w[1], kColourOffset),
                                             parseParameter(w[2], kColourOffset)});
         }},
        {"contrast", kContrastUsage,
         [](Document& document, std::string_view argument) {
             const auto w = argumentWords(argument, ',', 2, kContrastUsage);
             const std::int32_t c = parseParameter(w[0], kContrast);
             const std::int32_t b = parseParameter(w[1], kBrightness);
             return runContrast(document, {.contrast = {c, c, c}, .brightness = {b, b, b}});
         }},
        {"vivid", "vivid:N",
         [](Document& document, std::string_view argument) {
             return runVividness(document, parseParameter(argument, kVividAmount));
         }},
        batchOperation(kGammaEntry),
    };
}

} // namespace tavlo
