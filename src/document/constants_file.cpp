#include "constants_file.h"

#include "document.h"
#include "file_io.h"

#include <charconv>
#include <string_view>

namespace tavlo {

namespace {

std::string_view trimBlanks(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

// Nine or seven numbers with generous blanks fit many times over.
constexpr std::uint64_t kMaxConstantsFileBytes = std::uint64_t{1} << 20;

} // namespace

std::optional<std::int32_t> parseInteger(std::string_view text) {
    std::string_view digits = trimBlanks(text);
    if (digits.size() > 1 && digits[0] == '+' && digits[1] != '-') // from_chars takes no '+'
        digits.remove_prefix(1);
    std::int32_t value = 0;
    const auto [end, status] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || status != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

std::string withExtension(const std::string& chosen, std::string_view extension) {
    const std::string current = fileExtension(chosen); // empty or from the dot on
    const std::string wanted(extension);
    if (current == ".") return chosen + wanted;
    if (!current.empty() && upperCased(current.substr(1)) == upperCased(wanted)) return chosen;
    return chosen + '.' + wanted;
}

std::optional<std::vector<std::int32_t>> parseConstantsFile(std::span<const std::uint8_t> bytes,
                                                            std::size_t count, std::string& error) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::vector<std::int32_t> values;
    std::size_t at = 0;
    while (values.size() < count) {
        if (at >= text.size()) {
            error = "line " + std::to_string(values.size() + 1) + " is missing";
            return std::nullopt;
        }
        std::size_t end = text.find_first_of("\r\n", at);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(at, end - at);
        const auto value = parseInteger(line);
        if (!value) {
            const std::string shown(line.substr(0, 40));
            error =
                "line " + std::to_string(values.size() + 1) + " is not an integer: '" + shown + "'";
            return std::nullopt;
        }
        values.push_back(*value);
        at = end;
        if (at < text.size() && text[at] == '\r') ++at;
        if (at < text.size() && text[at] == '\n') ++at;
    }
    return values;
}

std::string formatConstantsFile(std::span<const std::int32_t> values) {
    std::string text;
    for (const std::int32_t value : values)
        text += std::to_string(value) + "\r\n";
    return text;
}

std::optional<std::vector<std::int32_t>> readConstantsFile(const std::filesystem::path& path,
                                                           std::size_t count, std::string& error) {
    ByteBuffer bytes;
    if (!readWholeFile(path, bytes, error, kMaxConstantsFileBytes)) return std::nullopt;
    return parseConstantsFile({bytes.data(), bytes.size()}, count, error);
}

} // namespace tavlo
