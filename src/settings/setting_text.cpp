#include "settings/setting_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "text/ascii_case.h"

namespace kelvane::settings {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The parts of a number text: sign, the digits before and after the decimal point.
struct DecimalText {
  bool negative = false;
  std::string_view whole;
  std::string_view fraction;
};

std::string_view TakeDigits(std::string_view& text) {
  std::size_t n = 0;
  while (n < text.size() && IsDigit(text[n])) ++n;
  const std::string_view digits = text.substr(0, n);
  text.remove_prefix(n);
  return digits;
}

std::optional<DecimalText> ScanDecimal(std::string_view text) {
  text = TrimBlanks(text);
  DecimalText number;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    number.negative = text.front() == '-';
    text.remove_prefix(1);
  }
  number.whole = TakeDigits(text);
  if (!text.empty() && text.front() == '.') {
    text.remove_prefix(1);
    number.fraction = TakeDigits(text);
  }
  if (!text.empty() || (number.whole.empty() && number.fraction.empty())) return std::nullopt;
  return number;
}

std::string_view WithoutLeadingZeros(std::string_view digits) {
  while (!digits.empty() && digits.front() == '0') digits.remove_prefix(1);
  return digits;
}

bool HasNonZeroDigit(std::string_view digits) {
  return digits.find_first_not_of('0') != std::string_view::npos;
}

}  // namespace

std::optional<std::int16_t> ParseInteger(std::string_view text) {
  const auto number = ScanDecimal(text);
  if (!number) return std::nullopt;
  const std::string_view whole = WithoutLeadingZeros(number->whole);
  if (whole.size() > 5) return std::nullopt;  // 100000 and more: far outside the range
  long value = 0;
  for (const char digit : whole) value = value * 10 + (digit - '0');

  const std::string_view fraction = number->fraction;
  if (!fraction.empty()) {
    const char first = fraction.front();
    const bool aboveHalf = first > '5' || (first == '5' && HasNonZeroDigit(fraction.substr(1)));
    const bool exactlyHalf = first == '5' && !HasNonZeroDigit(fraction.substr(1));
    if (aboveHalf || (exactlyHalf && value % 2 != 0)) ++value;
  }
  if (number->negative) value = -value;
  if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int16_t>(value);
}

std::optional<bool> ParseBoolean(std::string_view text) {
  const std::string_view word = TrimBlanks(text);
  if (text::EqualIgnoringAsciiCase(word, "true")) return true;
  if (text::EqualIgnoringAsciiCase(word, "false")) return false;
  const auto number = ScanDecimal(word);
  if (!number) return std::nullopt;
  return HasNonZeroDigit(number->whole) || HasNonZeroDigit(number->fraction);
}

std::optional<float> ParseSingle(std::string_view text) {
  const auto number = ScanDecimal(text);
  if (!number) return std::nullopt;
  // from_chars takes neither a "+" nor a number without digits before the point.
  std::string plain = number->negative ? std::string("-") : std::string();
  plain += number->whole.empty() ? std::string_view("0") : number->whole;
  if (!number->fraction.empty()) {
    plain += '.';
    plain += number->fraction;
  }
  float value = 0.0f;
  const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (error == std::errc::result_out_of_range) {
    if (HasNonZeroDigit(number->whole)) return std::nullopt;  // too large for a single
    return 0.0f;                                              // too small to tell from zero
  }
  if (error != std::errc() || end != plain.data() + plain.size()) return std::nullopt;
  return value == 0.0f ? 0.0f : value;  // no "-0"
}

std::string FormatInteger(int value) { return std::to_string(value); }

std::string FormatBoolean(bool value) { return value ? "True" : "False"; }

std::string FormatSingle(float value) {
  if (!std::isfinite(value)) return std::isnan(value) ? "NaN" : (value < 0 ? "-Infinity" : "Infinity");
  if (value == 0.0f) return "0";

  // Seven significant digits, correctly rounded, as d.dddddde+XX; then spelled out without exponent.
  char scientific[32];
  std::snprintf(scientific, sizeof scientific, "%.6e", static_cast<double>(std::fabs(value)));
  std::string digits;
  digits += scientific[0];
  digits.append(scientific + 2, 6);
  const int exponent = std::atoi(scientific + 9);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string text = value < 0 ? std::string("-") : std::string();
  if (exponent < 0) {
    text += "0.";
    text.append(static_cast<std::size_t>(-exponent - 1), '0');
    text += digits;
  } else if (digits.size() <= static_cast<std::size_t>(exponent) + 1) {
    text += digits;
    text.append(static_cast<std::size_t>(exponent) + 1 - digits.size(), '0');
  } else {
    text += digits.substr(0, static_cast<std::size_t>(exponent) + 1);
    text += '.';
    text += digits.substr(static_cast<std::size_t>(exponent) + 1);
  }
  return text;
}

}  // namespace kelvane::settings
