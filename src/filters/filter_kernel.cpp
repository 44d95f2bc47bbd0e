#include "filter_kernel.h"

#include "document/document.h"

#include <charconv>
#include <numeric>

namespace tavlo {

std::int64_t kernelSum(const FilterKernel& kernel) {
    return std::accumulate(kernel.begin(), kernel.end(), std::int64_t{0});
}

std::optional<std::int32_t> parseCoefficient(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    if (text.size() > 1 && text[0] == '+' && text[1] != '-') // from_chars takes no '+'
        text.remove_prefix(1);
    std::int32_t value = 0;
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (status != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::string withMtxExtension(const std::string& chosen) {
    const std::string extension = upperCased(fileExtension(chosen));
    if (extension == ".MTX") return chosen;
    return chosen + (extension == "." ? "mtx" : ".mtx");
}

} // namespace tavlo
