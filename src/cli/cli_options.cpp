#include "cli_options.h"

#include "document/document.h"
#include "filters/histogram.h"
#include "operations/filter_operations.h"
#include "operations/operation_table.h"

#include <algorithm>
#include <charconv>

namespace tavlo::cli {

const char* const kUsage =
    "usage: tavlo-cli INPUT [OP ...] [--out OUTPUT] [--bits 8|24|32] [--quality 1..100] [--info]"
    " [--histogram [F]]";

const std::vector<std::string> kJpegExtensions{".JPG", ".JPEG", ".JPE"};

bool isJpegName(const std::string& path) {
    return std::ranges::find(kJpegExtensions, upperCased(fileExtension(path))) !=
           kJpegExtensions.end();
}

namespace {

PixelFormat parseBits(const std::string& word) {
    if (word == "8")
        return PixelFormat::Bit8;
    if (word == "24")
        return PixelFormat::Bit24;
    if (word == "32")
        return PixelFormat::Bit32;
    throw UsageError("--bits must be 8, 24 or 32, not '" + word + "'");
}

OperationCall parseOperation(const std::string& word) {
    const auto colon = word.find(':');
    OperationCall call{word.substr(0, colon),
                       colon == std::string::npos ? std::string() : word.substr(colon + 1)};
    if (!findOperation(call.name))
        throw UsageError("unknown operation '" + word + "'" +
                         (operationTable().empty() ? " (this build has no operations yet)" : ""));
    return call;
}

// The factor after --histogram is optional: a following word is taken as one when it reads as a
// number.
float histogramFactorAfter(const std::vector<std::string>& arguments, std::size_t& i) {
    if (i + 1 < arguments.size()) {
        const std::string& word = arguments[i + 1];
        float ignored = 0;
        const auto [end, status] = std::from_chars(word.data(), word.data() + word.size(), ignored);
        if (!word.empty() && end == word.data() + word.size() &&
            status != std::errc::invalid_argument) {
            ++i;
            try {
                return parseHistogramFactor(word);
            } catch (const OperationArgumentError& e) {
                throw UsageError(std::string("--histogram: ") + e.what());
            }
        }
    }
    return kInitialHistogramFactor;
}

} // namespace

Options parseOptions(const std::vector<std::string>& arguments) {
    Options options;
    auto valueAfter = [&](std::size_t& i) -> const std::string& {
        if (i + 1 >= arguments.size())
            throw UsageError(arguments[i] + " needs a value");
        return arguments[++i];
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (word == "--out") {
            options.output = valueAfter(i);
            if (!isJpegName(*options.output) &&
                upperCased(fileExtension(*options.output)) != ".BMP")
                throw UsageError("--out '" + *options.output +
                                 "' must end in .jpg, .jpeg, .jpe or .bmp");
        } else if (word == "--bits") {
            options.bits = parseBits(valueAfter(i));
        } else if (word == "--quality") {
            try {
                options.quality = parseParameter(valueAfter(i), kJpegQuality);
            } catch (const OperationArgumentError& e) {
                throw UsageError(e.what());
            }
        } else if (word == "--info") {
            options.info = true;
        } else if (word == "--histogram") {
            options.histogramFactor = histogramFactorAfter(arguments, i);
        } else if (word.starts_with("-") && word.size() > 1) {
            throw UsageError("unknown option '" + word + "'");
        } else if (options.input.empty()) {
            options.input = word;
        } else {
            options.operations.push_back(parseOperation(word));
        }
    }
    if (options.input.empty())
        throw UsageError("no INPUT file given");
    return options;
}

} // namespace tavlo::cli
