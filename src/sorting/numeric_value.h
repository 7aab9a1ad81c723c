#pragma once

#include <string_view>

namespace kelvane::sorting {

// The number a field begins with, read the way the sort keys have always been read:
// - spaces, tabs and line feeds are removed wherever they stand (no other character is);
// - "&H" or "&O" (any case) starts an unsigned hexadecimal or octal integer of any length, rounded once
//   to the nearest double; "&H" with no digit after it is 0;
// - otherwise the longest beginning that forms a decimal number counts: an optional sign, ASCII digits
//   with at most one ".", and an optional exponent ("E" or "D", any case, an optional sign and at least
//   one digit; "1e" and "1e+" read as 1). "." is the decimal point whatever the locale, and the text
//   is rounded correctly to the nearest double;
// - no digit at all gives 0; a value too large for a double gives plus or minus infinity, one too
//   small gives zero. The result is never NaN.
double NumericValue(std::string_view text);

// The 32-bit sort key of a value: rounded to the nearest float, and plus or minus infinity for values
// beyond the float range (a plain conversion of such a value is undefined behaviour in C++).
float SortKeyFromValue(double value);

}  // namespace kelvane::sorting
