// The batch tool's command line.
#pragma once

#include "document/bitmap.h"
#include "document/parameter_range.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tavlo::cli {

// The tool's exit statuses; a batch of files exits with the highest of its files'.
enum ExitStatus { Done = 0, UsageFailure = 2, InputFailure = 3, Refused = 4, OutputFailure = 5 };

struct OperationCall {
    std::string name;
    std::string argument; // after the first colon
};

struct Options {
    std::vector<std::string> inputs; // one, or several with outDir
    std::vector<OperationCall> operations;
    std::optional<std::string> output;
    std::optional<std::string> outDir; // --out-dir: each input's result under its own name
    PixelFormat bits = PixelFormat::Bit24;
    bool bitsGiven = false, qualityGiven = false; // they choose the type of --out-dir results
    int quality = kJpegQuality.defaultValue;
    int threads = 0; // --threads: 0 means every core
    bool info = false;
    bool asStored = false;   // --as-stored: a JPEG's pixels as stored, its orientation tag ignored
    bool noMetadata = false; // --no-metadata: a JPEG is saved without the input's tags
    bool reencode = false;   // --reencode: turns are encoded again, never written without loss
    std::optional<float> histogramFactor; // --histogram: print the bar heights at this factor
};

// A usage error; the message names the offending word.
class UsageError : public std::invalid_argument {
  public:
    using std::invalid_argument::invalid_argument;
};

Options parseOptions(const std::vector<std::string>& arguments);

extern const char* const kUsage;

} // namespace tavlo::cli
