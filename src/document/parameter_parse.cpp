#include "document/parameter_parse.h"

#include <charconv>
#include <string>

namespace tavlo {

int parseParameter(std::string_view word, const ParameterRange& range) {
    int value = 0;
    const auto [end, status] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (word.empty() || status != std::errc() || end != word.data() + word.size())
        throw OperationArgumentError("'" + std::string(word) + "' is not a number for " +
                                     std::string(range.name));
    if (value < range.minimum || value > range.maximum)
        throw OperationArgumentError("'" + std::string(word) + "': " + std::string(range.name) +
                                     " must lie in " + std::to_string(range.minimum) + " … " +
                                     std::to_string(range.maximum));
    return value;
}

std::vector<std::string_view> argumentWords(std::string_view argument, char separator,
                                            std::size_t count, std::string_view usage) {
    std::vector<std::string_view> result;
    for (std::size_t at = 0;;) {
        const std::size_t end = argument.find(separator, at);
        result.push_back(argument.substr(at, end == std::string_view::npos ? end : end - at));
        if (end == std::string_view::npos) break;
        at = end + 1;
    }
    if (result.size() != count)
        throw OperationArgumentError("'" + std::string(argument) + "' does not match " +
                                     std::string(usage));
    return result;
}

void requireNoArgument(std::string_view name, std::string_view argument) {
    if (!argument.empty())
        throw OperationArgumentError("'" + std::string(argument) + "': " + std::string(name) +
                                     " takes no argument");
}

} // namespace tavlo
