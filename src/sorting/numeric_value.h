#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
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

// Reads the ASCII digits at the start of the eight bytes at `p`, all at once: returns how many there
// are (0 to 8) and sets `value` to the number they make. The eight bytes must be readable.
inline unsigned ReadEightDigits(const char* p, std::uint64_t& value) {
  static_assert(std::endian::native == std::endian::little, "the bytes are read as a little-endian word");
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  // Digits become 0 to 9 in their bytes. A byte below '0' borrows from the bytes after it and one far
  // above '9' carries into them, but both are non-digits themselves: the first non-digit is found right.
  const std::uint64_t digits = word - 0x3030303030303030u;
  const std::uint64_t nonDigits = ((digits + 0x7676767676767676u) | digits) & 0x8080808080808080u;
  const unsigned count = nonDigits == 0 ? 8U : static_cast<unsigned>(std::countr_zero(nonDigits)) / 8U;
  if (count == 0) return 0;
  // The digits moved to the top, zeros before them, then added up in pairs, fours and the eight.
  std::uint64_t v = digits << (64 - 8 * count);
  v = v * 10 + (v >> 8);
  v = ((v & 0x000000FF000000FFu) * (100 + (1000000ull << 32)) +
       ((v >> 16) & 0x000000FF000000FFu) * (1 + (10000ull << 32))) >>
      32;
  value = static_cast<std::uint32_t>(v);
  return count;
}

// 10^count for the digit counts ReadEightDigits returns.
inline constexpr std::array<std::uint64_t, 9> kDigitScales{1,      10,      100,      1000,     10000,
                                                           100000, 1000000, 10000000, 100000000};

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
  // Signs come and go at random in a model's coordinates: stepping over one, and giving it to the
  // value, is done without a branch that would be mispredicted half of the time.
  const char sign = p != end ? *p : '\0';
  const bool negative = sign == '-';
  p += static_cast<int>(negative) | static_cast<int>(sign == '+');
  // Up to 19 digits cannot overflow; more are refused below anyway.
  std::uint64_t significand = 0;
  // Appends the digits at p to the significand and returns how many there were: eight at a time while
  // eight bytes are left (numbers in models are short, so that is usually all of them), then one by one.
  const auto readDigits = [&] {
    const char* const first = p;
    for (std::uint64_t eight = 0; end - p >= 8;) {
      const unsigned count = ReadEightDigits(p, eight);
      if (count == 0) break;
      significand = significand * kDigitScales[count] + eight;
      p += count;
      if (count < 8) return p - first;
    }
    for (unsigned digit = 0; p != end && (digit = static_cast<unsigned char>(*p) - '0') < 10; ++p)
      significand = significand * 10 + digit;
    return p - first;
  };
  std::ptrdiff_t digits = readDigits();
  std::ptrdiff_t fractionDigits = 0;
  if (p != end && *p == '.') {
    ++p;
    fractionDigits = readDigits();
    digits += fractionDigits;
  }
  if (digits == 0 || digits > kExactDigits) return 0;
  value = static_cast<double>(static_cast<std::int64_t>(significand));  // below 10^15, so signed is safe
  if (fractionDigits > 0) value /= kExactPowersOfTen[static_cast<std::size_t>(fractionDigits)];
  value = std::bit_cast<double>(std::bit_cast<std::uint64_t>(value) ^ std::uint64_t{negative} << 63);
  return static_cast<std::size_t>(p - text.data());
}

// The 32-bit sort key of a value: rounded to the nearest float, and plus or minus infinity for values
// beyond the float range (a plain conversion of such a value is undefined behaviour in C++).
inline float SortKeyFromValue(double value) {
  // Halfway between the largest float and 2^128: from here on, rounding to nearest gives infinity.
  constexpr double kOverflowThreshold = 0x1.ffffffp127;
  if (value >= kOverflowThreshold) return std::numeric_limits<float>::infinity();
  if (value <= -kOverflowThreshold) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(value);
}

}  // namespace kelvane::sorting
