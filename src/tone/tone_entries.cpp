#include "tone/tone_entries.h"

#include "document/constants_file.h"
#include "document/parameter_parse.h"
#include "tone/tone_curve_file.h"

#include <string>

namespace tavlo {

namespace {

bool namesCurveFile(std::string_view argument) {
    return argument.find(',') == std::string_view::npos &&
           withExtension(std::string(argument), kToneCurveExtension) == argument;
}

} // namespace

ToneCurve parseToneCurve(std::string_view argument) {
    ToneCurve curve;
    if (namesCurveFile(argument)) {
        std::string error;
        if (!readToneCurveFile(std::string(argument), curve, error))
            throw OperationArgumentError(error);
        return curve;
    }
    const auto w = argumentWords(argument, ',', 7, kToneCurveEntry.usage);
    curve.channel = parseParameter(w[0], ToneCurve::kChannel);
    curve.points[1] = parseParameter(w[1], ToneCurve::kPoint2);
    curve.points[2] = parseParameter(w[2], ToneCurve::kPoint3);
    if (curve.points[2] <= curve.points[1])
        throw OperationArgumentError("'" + std::string(w[2]) + "': P3 must be above P2");
    for (std::size_t i = 0; i < 4; ++i)
        curve.levels[i] = parseParameter(w[3 + i], ToneCurve::kLevel);
    return curve;
}

ColourToneParameters parseColourTone(std::string_view argument) {
    const auto w = argumentWords(argument, ',', 3, kColourToneEntry.usage);
    const ParameterRange& range = ColourToneParameters::kOffset;
    return {
        {parseParameter(w[0], range), parseParameter(w[1], range), parseParameter(w[2], range)}};
}

ContrastParameters parseContrast(std::string_view argument) {
    const auto w = argumentWords(argument, ',', 2, kContrastEntry.usage);
    return {parseParameter(w[0], ContrastParameters::kContrast),
            parseParameter(w[1], ContrastParameters::kBrightness)};
}

VividParameters parseVividness(std::string_view argument) {
    return {parseParameter(argument, VividParameters::kAmount)};
}

GammaParameters parseGamma(std::string_view argument) {
    return {parseParameter(argument, GammaParameters::kAmount)};
}

} // namespace tavlo
