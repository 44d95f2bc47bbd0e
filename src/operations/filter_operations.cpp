#include "operations/filter_operations.h"

#include "document/constants_file.h"
#include "document/file_io.h"
#include "filters/filter_kernel.h"
#include "filters/filter_steps.h"

#include <charconv>
#include <cmath>
#include <string>

namespace tavlo {

namespace {

FilterKernel kernelFromWords(std::string_view argument) {
    const auto words = argumentWords(argument, ',', 9, "kernel:k0,...,k8");
    FilterKernel kernel{};
    for (std::size_t i = 0; i < kernel.size(); ++i) {
        const auto value = parseCoefficient(words[i]);
        if (!value)
            throw OperationArgumentError("'" + std::string(words[i]) +
                                         "' is not a 32-bit integer coefficient");
        kernel[i] = *value;
    }
    return kernel;
}

FilterKernel kernelFromFile(std::string_view argument) {
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

} // namespace

float parseHistogramFactor(std::string_view word) {
    float factor = 0;
    const auto [end, status] = std::from_chars(word.data(), word.data() + word.size(), factor);
    if (word.empty() || status != std::errc() || end != word.data() + word.size() ||
        !std::isfinite(factor) || factor <= 0)
        throw OperationArgumentError("'" + std::string(word) +
                                     "' is not a positive number for the histogram factor");
    return factor;
}

std::vector<OperationSpec> filterOperations() {
    return {
        {"filter", "filter:N",
         [](Document& document, std::string_view argument) {
             FilterKernel kernel{};
             loadFilterPreset(kernel, parseParameter(argument, kFilterPreset));
             return runConvolution(document, kernel);
         }},
        {"kernel", "kernel:k0,...,k8",
         [](Document& document, std::string_view argument) {
             return runConvolution(document, kernelFromWords(argument));
         }},
        {"matrix", "matrix:FILE.mtx",
         [](Document& document, std::string_view argument) {
             return runConvolution(document, kernelFromFile(argument));
         }},
        {"median", "median",
         [](Document& document, std::string_view argument) {
             requireNoArgument("median", argument);
             return runMedian(document);
         }},
        {"equalise", "equalise[:F]",
         [](Document& document, std::string_view argument) {
             return runEqualisation(document, argument.empty() ? kInitialHistogramFactor
                                                               : parseHistogramFactor(argument));
         }},
        {"grey", "grey",
         [](Document& document, std::string_view argument) {
             requireNoArgument("grey", argument);
             return runMonochrome(document);
         }},
    };
}

} // namespace tavlo
