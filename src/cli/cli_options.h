// The batch tool's command line.
#pragma once

#include "document/bitmap.h"
#include "document/parameter_range.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tavlo::cli {

struct OperationCall {
    std::string name;
    std::string argument; // after the first colon
};

struct Options {
    std::string input;
    std::vector<OperationCall> operations;
    std::optional<std::string> output;
    PixelFormat bits = PixelFormat::Bit24;
    int quality = kJpegQuality.defaultValue;
    bool info = false;
    std::optional<float> histogramFactor; // --histogram: print the bar heights at this factor
};

// A usage error; the message names the offending word.
class UsageError : public std::invalid_argument {
  public:
    using std::invalid_argument::invalid_argument;
};

Options parseOptions(const std::vector<std::string>& arguments);

// The batch tool reads and writes ".jpeg" and ".jpe" as JPEG too, as such tools do; the
// program's own dialogs keep to ".JPG". Upper-cased, as Document::jpegExtensions.
extern const std::vector<std::string> kJpegExtensions;
bool isJpegName(const std::string& path);

extern const char* const kUsage;

} // namespace tavlo::cli
