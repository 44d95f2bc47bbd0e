// Number formatting as the program's texts use it, and its rounding rules.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace tavlo {

using FormatArg = std::variant<std::int64_t, long double, std::string_view>;

// printf-like formatting with these directives:
//   %d   integer; a width pads with blanks on the left, a precision with zeros (%4d, %.2d → "05")
//   %x   integer in upper-case hexadecimal; a negative value shows its 32-bit two's complement
//   %s   string; a precision cuts it to that many characters (UTF-8 code points)
//   %.Nf fixed notation with N decimals
//   %.Nn as %f, with "," every three integer digits and "." as decimal point
//   %%   a percent sign
// %f and %n take integers and floating values and have two decimals without a precision;
// "%.n" (no digits) means none, and leading zeros do not count ("%.01n" has one). A "-" flag
// left-justifies in the width (%-8.5n). Directive letters may be upper case. Widths and
// precisions count characters and are limited to 9999.
// Floating values are rounded from their exact binary value, halves away from zero
// (0.125 → "0.13" at %.2f); a result that shows as zero has no minus sign ("0.00" for -0.0001).
// Infinities and NaN read "INF", "-INF" and "NAN".
// Arguments beyond those the format uses are ignored.
// Throws std::invalid_argument on a directive it does not know, a missing argument or an
// argument of the wrong kind (%d and %x need integers, %s a string).
std::string formatText(std::string_view format, std::initializer_list<FormatArg> args);

// Round: to the nearest integer, halves to even (std::nearbyint in the default rounding mode).
// Throws std::out_of_range when the result does not fit in 64 bits or the value is NaN.
std::int64_t roundHalfEven(long double value);

// Trunc: toward zero. Throws std::out_of_range as roundHalfEven.
std::int64_t truncToward0(long double value);

} // namespace tavlo
