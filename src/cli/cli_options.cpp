#include "cli_options.h"

#include "document/document.h"
#include "document/image_file_type.h"
#include "filters/histogram.h"
#include "operations/filter_operations.h"
#include "operations/operation_table.h"

#include <algorithm>
#include <charconv>

namespace tavlo::cli {

const char* const kUsage =
    "usage: tavlo-cli INPUT [OP ...] [--out OUTPUT] [--bits 8|24|32] [--quality 1..100] [--info]"
    " [--histogram [F]] [--threads N] [--as-stored] [--no-metadata] [--reencode];"
    " or INPUT ... [OP ...] --out-dir DIR";

namespace {

PixelFormat parseBits(const std::string& word) {
    if (word == "8") return PixelFormat::Bit8;
    if (word == "24") return PixelFormat::Bit24;
    if (word == "32") return PixelFormat::Bit32;
    throw UsageError("--bits must be 8, 24 or 32, not '" + word + "'");
}

// Inputs and operations are told apart by their look alone: an operation is a lower-case name,
// perhaps followed by a colon and its argument; anything else (a path, a name with an extension,
// "./median") is an input.
bool looksLikeOperation(const std::string& word) {
    const auto name = word.substr(0, word.find(':'));
    return !name.empty() &&
           std::all_of(name.begin(), name.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

int parseThreads(const std::string& word) {
    int threads = 0;
    const auto [end, status] = std::from_chars(word.data(), word.data() + word.size(), threads);
    if (status != std::errc() || end != word.data() + word.size() || threads < 1 || threads > 256)
        throw UsageError("--threads must be a number from 1 to 256, not '" + word + "'");
    return threads;
}

// Rules that concern the command line as a whole rather than one word.
void checkInputsAgainstOutputs(const Options& options) {
    if (options.inputs.empty()) throw UsageError("no INPUT file given");
    if (options.output && options.outDir)
        throw UsageError("--out and --out-dir exclude each other");
    if (options.inputs.size() > 1 && !options.outDir)
        throw UsageError("several inputs need --out-dir DIR, not '" + options.inputs[1] + "'");
    if (options.outDir && (options.info || options.histogramFactor))
        throw UsageError(
            "--info and --histogram print for one file; they do not go with --out-dir");
    if (options.outDir && options.bitsGiven && options.qualityGiven)
        throw UsageError("with --out-dir, --bits asks for BMP and --quality for JPEG: give one");
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
        if (i + 1 >= arguments.size()) throw UsageError(arguments[i] + " needs a value");
        return arguments[++i];
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (word == "--out") {
            options.output = valueAfter(i);
            if (imageFileType(*options.output) == ImageFileType::Other)
                throw UsageError("--out '" + *options.output +
                                 "' must end in .jpg, .jpeg, .jpe or .bmp");
        } else if (word == "--out-dir") {
            options.outDir = valueAfter(i);
        } else if (word == "--threads") {
            options.threads = parseThreads(valueAfter(i));
        } else if (word == "--bits") {
            options.bits = parseBits(valueAfter(i));
            options.bitsGiven = true;
        } else if (word == "--quality") {
            options.qualityGiven = true;
            try {
                options.quality = parseParameter(valueAfter(i), kJpegQuality);
            } catch (const OperationArgumentError& e) {
                throw UsageError(e.what());
            }
        } else if (word == "--info") {
            options.info = true;
        } else if (word == "--as-stored") {
            options.asStored = true;
        } else if (word == "--no-metadata") {
            options.noMetadata = true;
        } else if (word == "--reencode") {
            options.reencode = true;
        } else if (word == "--histogram") {
            options.histogramFactor = histogramFactorAfter(arguments, i);
        } else if (word.starts_with("-") && word.size() > 1) {
            throw UsageError("unknown option '" + word + "'");
        } else if (!looksLikeOperation(word)) {
            options.inputs.push_back(word);
        } else {
            options.operations.push_back(parseOperation(word));
        }
    }
    checkInputsAgainstOutputs(options);
    return options;
}

} // namespace tavlo::cli
