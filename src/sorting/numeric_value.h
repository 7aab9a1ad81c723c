#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
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

// The powers of ten a double holds exactly: a significand of at most 53 bits multiplied or divided by
// one of them is rounded correctly, with no need for the general conversion.
inline constexpr std::array<double, 23> kExactPowersOfTen{1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                          1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                          1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The numbers models are made of ("-120", "0.5", "+8.") read straight off the text, for NumericValue
// and the coordinate reader: an optional sign and at most 15 digits with at most one point at the very
// start of `text`. Returns how many characters make the number, with its value (exact, or correctly
// rounded by one division) in `value`; 0 when the text does not start with such a number (no digit,
// or more digits than a double holds exactly). Whether the number really ends where this stopped (not
// at an exponent, say) is for the caller to tell.
inline std::size_t ReadPlainDecimal(std::string_view text, double& value) {
  constexpr std::ptrdiff_t kExactDigits = 15;  // 10^15 < 2^53: the digits make an exact double
  const char* p = text.data();
  const char* const end = p + text.size();
  const bool negative = p != end && *p == '-';
  if (negative || (p != end && *p == '+')) ++p;
  // Up to 19 digits cannot overflow; more are refused below anyway.
  std::uint64_t significand = 0;
  const char* const whole = p;
  for (unsigned digit = 0; p != end && (digit = static_cast<unsigned char>(*p) - '0') < 10; ++p)
    significand = significand * 10 + digit;
  std::ptrdiff_t digits = p - whole;
  std::ptrdiff_t fractionDigits = 0;
  if (p != end && *p == '.') {
    const char* const fraction = ++p;
    for (unsigned digit = 0; p != end && (digit = static_cast<unsigned char>(*p) - '0') < 10; ++p)
      significand = significand * 10 + digit;
    fractionDigits = p - fraction;
    digits += fractionDigits;
  }
  if (digits == 0 || digits > kExactDigits) return 0;
  value = static_cast<double>(significand);
  if (fractionDigits > 0) value /= kExactPowersOfTen[static_cast<std::size_t>(fractionDigits)];
  if (negative) value = -value;
  return static_cast<std::size_t>(p - text.data());
}

// The 32-bit sort key of a value: rounded to the nearest float, and plus or minus infinity for values
// beyond the float range (a plain conversion of such a value is undefined behaviour in C++).
float SortKeyFromValue(double value);

}  // namespace kelvane::sorting
