#include "document/text_format.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <limits>
#include <stdexcept>

namespace tavlo {

namespace {

// Widths and precisions beyond this are refused rather than allocated.
constexpr int kMaxFieldSize = 9999;

struct Placeholder {
    bool leftJustify = false;
    int width = -1;     // -1: none
    int precision = -1; // -1: none
    char type = 0;      // lower case
};

[[noreturn]] void fail(std::string_view format, const std::string& what) {
    throw std::invalid_argument("formatText(\"" + std::string(format) + "\"): " + what);
}

// Characters counted for width and precision of %s: UTF-8 code points, so that a Japanese text
// is neither cut inside a character nor padded by its byte count.
std::size_t codePointCount(std::string_view s) {
    std::size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

std::string_view firstCodePoints(std::string_view s, std::size_t count) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
            if (seen == count) return s.substr(0, i);
            ++seen;
        }
    }
    return s;
}

void appendPadded(std::string& out, std::string_view text, std::size_t textWidth,
                  const Placeholder& field) {
    const std::size_t width = field.width < 0 ? 0 : static_cast<std::size_t>(field.width);
    const std::size_t pad = width > textWidth ? width - textWidth : 0;
    if (!field.leftJustify) out.append(pad, ' ');
    out.append(text);
    if (field.leftJustify) out.append(pad, ' ');
}

// Zero-pads the digits to the precision (minimum digit count) and puts the sign in front.
std::string withMinimumDigits(bool negative, std::string digits, int precision) {
    if (precision > 0 && digits.size() < static_cast<std::size_t>(precision))
        digits.insert(0, static_cast<std::size_t>(precision) - digits.size(), '0');
    if (negative) digits.insert(0, 1, '-');
    return digits;
}

std::string formatDecimal(std::int64_t value, int precision) {
    const bool negative = value < 0;
    const std::uint64_t magnitude =
        negative ? ~static_cast<std::uint64_t>(value) + 1 : static_cast<std::uint64_t>(value);
    return withMinimumDigits(negative, std::to_string(magnitude), precision);
}

std::string formatHex(std::int64_t value, int precision) {
    // Negative values show as 32-bit two's complement; the texts only format non-negative ones.
    const std::uint64_t bits =
        value < 0 ? static_cast<std::uint32_t>(value) : static_cast<std::uint64_t>(value);
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string digits;
    std::uint64_t rest = bits;
    do {
        digits.insert(digits.begin(), kDigits[rest & 0xF]);
        rest >>= 4;
    } while (rest != 0);
    return withMinimumDigits(false, std::move(digits), precision);
}

// The exact decimal expansion of a finite, non-negative value as "integer.fraction" with at
// least minFraction fractional digits. glibc prints the exact value when asked for as many
// fractional digits as the value has fractional bits, so no rounding takes place.
std::string exactDecimal(long double magnitude, int minFraction) {
    int exponent = 0;
    std::frexp(magnitude, &exponent);
    // magnitude = M × 2^(exponent − LDBL_MANT_DIG) with an integer M.
    const int fractionalBits = magnitude == 0 ? 0 : LDBL_MANT_DIG - exponent;
    const int digits = std::max(minFraction, std::max(fractionalBits, 1));
    const int size = std::snprintf(nullptr, 0, "%.*Lf", digits, magnitude);
    if (size < 0) throw std::runtime_error("formatText: snprintf failed");
    std::string text(static_cast<std::size_t>(size), '\0');
    std::snprintf(text.data(), text.size() + 1, "%.*Lf", digits, magnitude); // "+ 1": the NUL
    return text;
}

// Fixed notation with the given number of decimals, rounded halves away from zero from the
// exact binary value; with thousands separators when grouped. A result that rounds to zero
// carries no minus sign.
std::string formatFixed(long double value, int precision, bool grouped) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";

    const bool negative = std::signbit(value);
    const std::string exact = exactDecimal(std::fabs(value), precision + 1);
    const std::size_t point = exact.find('.');
    std::string integerPart = exact.substr(0, point);
    std::string fraction = exact.substr(point + 1, static_cast<std::size_t>(precision));
    const bool roundUp = exact[point + 1 + static_cast<std::size_t>(precision)] >= '5';

    if (roundUp) {
        // Add one unit in the last kept place, carrying leftwards through the fraction and then
        // the integer part, which may gain a digit (999.995 → 1000.00).
        bool carry = true;
        for (auto it = fraction.rbegin(); carry && it != fraction.rend(); ++it) {
            if (*it == '9') {
                *it = '0';
            } else {
                ++*it;
                carry = false;
            }
        }
        for (auto it = integerPart.rbegin(); carry && it != integerPart.rend(); ++it) {
            if (*it == '9') {
                *it = '0';
            } else {
                ++*it;
                carry = false;
            }
        }
        if (carry) integerPart.insert(0, 1, '1');
    }

    const bool zero = integerPart.find_first_not_of('0') == std::string::npos &&
                      fraction.find_first_not_of('0') == std::string::npos;

    std::string out;
    if (negative && !zero) out += '-';
    if (grouped) {
        const std::size_t n = integerPart.size();
        for (std::size_t i = 0; i < n; ++i) {
            if (i != 0 && (n - i) % 3 == 0) out += ',';
            out += integerPart[i];
        }
    } else {
        out += integerPart;
    }
    if (precision > 0) {
        out += '.';
        out += fraction;
    }
    return out;
}

int parseNumber(std::string_view format, std::size_t& i) {
    int value = 0;
    while (i < format.size() && format[i] >= '0' && format[i] <= '9') {
        value = value * 10 + (format[i] - '0');
        if (value > kMaxFieldSize) fail(format, "width or precision too large");
        ++i;
    }
    return value;
}

const char* kindName(const FormatArg& arg) {
    switch (arg.index()) {
    case 0:
        return "an integer";
    case 1:
        return "a floating-point value";
    default:
        return "a string";
    }
}

} // namespace

std::string formatText(std::string_view format, std::initializer_list<FormatArg> args) {
    std::string out;
    out.reserve(format.size() + 16);
    auto nextArg = args.begin();

    std::size_t i = 0;
    while (i < format.size()) {
        const char c = format[i++];
        if (c != '%') {
            out += c;
            continue;
        }
        if (i < format.size() && format[i] == '%') {
            out += '%';
            ++i;
            continue;
        }

        Placeholder field;
        if (i < format.size() && format[i] == '-') {
            field.leftJustify = true;
            ++i;
        }
        if (i < format.size() && format[i] >= '0' && format[i] <= '9')
            field.width = parseNumber(format, i);
        if (i < format.size() && format[i] == '.') {
            ++i;
            field.precision = parseNumber(format, i); // "%.n": no digits, precision 0
        }
        if (i >= format.size()) fail(format, "directive cut off at the end");
        const char type = format[i++];
        field.type = (type >= 'A' && type <= 'Z') ? static_cast<char>(type - 'A' + 'a') : type;

        if (field.type != 'd' && field.type != 'x' && field.type != 's' && field.type != 'f' &&
            field.type != 'n')
            fail(format, std::string("unknown directive %") + type);
        if (nextArg == args.end()) fail(format, std::string("missing argument for %") + type);
        const FormatArg& arg = *nextArg++;

        switch (field.type) {
        case 'd':
        case 'x': {
            const auto* integer = std::get_if<std::int64_t>(&arg);
            if (!integer)
                fail(format, std::string("%") + type + " needs an integer, got " + kindName(arg));
            const std::string text = field.type == 'd' ? formatDecimal(*integer, field.precision)
                                                       : formatHex(*integer, field.precision);
            appendPadded(out, text, text.size(), field);
            break;
        }
        case 's': {
            const auto* text = std::get_if<std::string_view>(&arg);
            if (!text) fail(format, std::string("%s needs a string, got ") + kindName(arg));
            std::string_view shown = *text;
            if (field.precision >= 0)
                shown = firstCodePoints(shown, static_cast<std::size_t>(field.precision));
            appendPadded(out, shown, codePointCount(shown), field);
            break;
        }
        case 'f':
        case 'n': {
            long double value = 0;
            if (const auto* integer = std::get_if<std::int64_t>(&arg))
                value = static_cast<long double>(*integer);
            else if (const auto* floating = std::get_if<long double>(&arg))
                value = *floating;
            else
                fail(format, std::string("%") + type + " needs a number, got " + kindName(arg));
            const int precision = field.precision < 0 ? 2 : field.precision;
            const std::string text = formatFixed(value, precision, field.type == 'n');
            appendPadded(out, text, text.size(), field);
            break;
        }
        }
    }
    return out;
}

namespace {

std::int64_t toInt64(long double rounded, const char* what) {
    // 2^63 is exactly representable; every long double below it and at or above −2^63 fits.
    constexpr long double kLimit = 9223372036854775808.0L;
    if (!(rounded >= -kLimit && rounded < kLimit))
        throw std::out_of_range(std::string(what) + ": value outside the 64-bit integer range");
    return static_cast<std::int64_t>(rounded);
}

} // namespace

std::int64_t roundHalfEven(long double value) {
    // nearbyint rounds in the current mode, which the program leaves at the default
    // round-to-nearest, ties-to-even.
    return toInt64(std::nearbyint(value), "roundHalfEven");
}

std::int64_t truncToward0(long double value) {
    return toInt64(std::trunc(value), "truncToward0");
}

} // namespace tavlo
