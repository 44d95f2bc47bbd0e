// Reading an operation's parameters from the batch tool's argument text.
#pragma once

#include "document/parameter_range.h"

#include <stdexcept>
#include <string_view>
#include <vector>

namespace tavlo {

// A malformed or out-of-range argument; the message names the offending word.
class OperationArgumentError : public std::invalid_argument {
  public:
    using std::invalid_argument::invalid_argument;
};

// Reads one decimal parameter and checks it against its range.
int parseParameter(std::string_view word, const ParameterRange& range);
// The words of an argument between separators, exactly `count` of them; otherwise an
// OperationArgumentError that shows `usage`.
std::vector<std::string_view> argumentWords(std::string_view argument, char separator,
                                            std::size_t count, std::string_view usage);
// An OperationArgumentError for an operation that takes no argument but was given one.
void requireNoArgument(std::string_view name, std::string_view argument);

} // namespace tavlo
