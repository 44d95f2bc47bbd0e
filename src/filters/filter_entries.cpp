#include "filter_entries.h"

#include "document/constants_file.h"
#include "document/parameter_parse.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace tavlo {

FilterPreset parseFilterPreset(std::string_view argument) {
    return {parseParameter(argument, FilterPreset::kNumber)};
}

FilterKernel parseKernel(std::string_view argument) {
    const auto words = argumentWords(argument, ',', 9, kKernelEntry.usage);
    FilterKernel kernel{};
    for (std::size_t i = 0; i < kernel.size(); ++i) {
        const auto value = parseInteger(words[i]);
        if (!value)
            throw OperationArgumentError("'" + std::string(words[i]) +
                                         "' is not a 32-bit integer coefficient");
        kernel[i] = *value;
    }
    return kernel;
}

FilterKernel parseKernelFile(std::string_view argument) {
    const std::string path(argument);
    std::string error;
    const auto values =
        path.empty() ? std::nullopt : readConstantsFile(path, kFilterFileLines, error);
    if (!values)
        throw OperationArgumentError("'" + path + "': " + (path.empty() ? "no file named" : error));
    FilterKernel kernel{};
    std::copy(values->begin(), values->end(), kernel.begin());
    return kernel;
}

NoParameters parseMedian(std::string_view argument) {
    requireNoArgument(kMedianEntry.name, argument);
    return {};
}

HistogramScale parseEqualise(std::string_view argument) {
    return {argument.empty() ? kInitialHistogramFactor : parseHistogramFactor(argument)};
}

NoParameters parseGrey(std::string_view argument) {
    requireNoArgument(kGreyEntry.name, argument);
    return {};
}

float parseHistogramFactor(std::string_view word) {
    float factor = 0;
    const auto [end, status] = std::from_chars(word.data(), word.data() + word.size(), factor);
    if (word.empty() || status != std::errc() || end != word.data() + word.size() ||
        !std::isfinite(factor) || factor <= 0)
        throw OperationArgumentError("'" + std::string(word) +
                                     "' is not a positive number for the histogram factor");
    return factor;
}

} // namespace tavlo
