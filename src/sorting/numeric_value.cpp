#include "sorting/numeric_value.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <system_error>

#include "text/ascii_case.h"

namespace kelvane::sorting {

namespace {

bool IsRemoved(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsOctalDigit(char c) { return c >= '0' && c <= '7'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// Walks the text as if the removed characters were not there.
class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) { SkipRemoved(); }

  bool AtEnd() const { return position_ >= text_.size(); }
  // Peeking past the end gives NUL, which matches nothing a number is made of.
  char Peek() const { return AtEnd() ? '\0' : text_[position_]; }
  void Advance() {
    ++position_;
    SkipRemoved();
  }

 private:
  void SkipRemoved() {
    while (position_ < text_.size() && IsRemoved(text_[position_])) ++position_;
  }

  std::string_view text_;
  std::size_t position_ = 0;
};

// The characters of the number as std::from_chars wants them. Fields are short, so they stay in
// place; only a number longer than the inline room goes to the heap.
class NumberText {
 public:
  void Append(char c) {
    if (size_ < inline_.size()) {
      inline_[size_++] = c;
      return;
    }
    if (overflow_.empty()) overflow_.assign(inline_.data(), size_);
    overflow_.push_back(c);
    ++size_;
  }
  std::size_t Size() const { return size_; }
  const char* Begin() const { return overflow_.empty() ? inline_.data() : overflow_.data(); }
  const char* End() const { return Begin() + size_; }

 private:
  std::array<char, 64> inline_{};
  std::string overflow_;
  std::size_t size_ = 0;
};

// Reads digits of an "&H" or "&O" number; rounding them once needs a single conversion of the whole
// integer, which std::from_chars does on a hexadecimal significand.
double UnsignedValue(Reader& reader, bool octal) {
  NumberText octalDigits;
  NumberText hexDigits;
  while (octal ? IsOctalDigit(reader.Peek()) : IsHexDigit(reader.Peek())) {
    (octal ? octalDigits : hexDigits).Append(reader.Peek());
    reader.Advance();
  }
  if (octal) {
    // Three bits per octal digit, regrouped into four per hexadecimal digit; zero bits in front make
    // the count a multiple of four.
    static constexpr char kHex[] = "0123456789abcdef";
    const std::size_t bits = 3 * octalDigits.Size();
    int pendingBits = static_cast<int>((4 - bits % 4) % 4);
    unsigned pending = 0;
    for (const char* digit = octalDigits.Begin(); digit != octalDigits.End(); ++digit) {
      const unsigned value = static_cast<unsigned>(*digit - '0');
      for (int bit = 2; bit >= 0; --bit) {
        pending = pending * 2 + ((value >> bit) & 1U);
        if (++pendingBits == 4) {
          hexDigits.Append(kHex[pending]);
          pending = 0;
          pendingBits = 0;
        }
      }
    }
  }
  if (hexDigits.Size() == 0) return 0.0;
  double value = 0.0;
  const auto result = std::from_chars(hexDigits.Begin(), hexDigits.End(), value, std::chars_format::hex);
  if (result.ec == std::errc::result_out_of_range) return std::numeric_limits<double>::infinity();
  return value;
}

// Whether a decimal number that std::from_chars found out of range lies above the double range
// (rather than below it): the power of ten of its first significant digit decides.
bool IsBeyondLargest(std::string_view digits, long long exponent) {
  const auto point = digits.find('.');
  const std::string_view whole = digits.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view{} : digits.substr(point + 1);
  long long magnitude = 0;
  const auto firstWhole = whole.find_first_not_of('0');
  if (firstWhole != std::string_view::npos) {
    magnitude = static_cast<long long>(whole.size() - firstWhole) - 1;
  } else {
    const auto firstFraction = fraction.find_first_not_of('0');
    if (firstFraction == std::string_view::npos) return false;  // zero is never out of range
    magnitude = -static_cast<long long>(firstFraction) - 1;
  }
  return magnitude + exponent > 0;
}

// Most fields are short numbers such as "-120" or "0.5". When all digits fit a double's significand
// exactly and the power of ten is one of kExactPowersOfTen, a single multiplication or division
// rounds correctly.
constexpr std::uint64_t kExactSignificandLimit = std::uint64_t{1} << 53;

double DecimalValue(Reader& reader) {
  NumberText text;
  bool negative = false;
  if (reader.Peek() == '+' || reader.Peek() == '-') {
    negative = reader.Peek() == '-';
    reader.Advance();
  }
  if (negative) text.Append('-');
  const std::size_t digitsStart = text.Size();
  bool sawDigit = false;
  bool sawPoint = false;
  std::uint64_t significand = 0;  // the digits as one integer, while they fit
  bool significandExact = true;
  long long fractionDigits = 0;
  for (;;) {
    const char c = reader.Peek();
    if (IsDigit(c)) {
      sawDigit = true;
      if (significand < kExactSignificandLimit / 10) {
        significand = significand * 10 + static_cast<std::uint64_t>(c - '0');
      } else {
        significandExact = false;
      }
      if (sawPoint) ++fractionDigits;
    } else if (c == '.' && !sawPoint) {
      sawPoint = true;
    } else {
      break;
    }
    text.Append(c);
    reader.Advance();
  }
  if (!sawDigit) return 0.0;
  const std::size_t digitsEnd = text.Size();

  // An exponent counts only with at least one digit; "D" is the old double-precision marker.
  long long exponent = 0;
  const char marker = text::UpperAscii(reader.Peek());
  if (marker == 'E' || marker == 'D') {
    Reader afterMarker = reader;
    afterMarker.Advance();
    bool exponentNegative = false;
    if (afterMarker.Peek() == '+' || afterMarker.Peek() == '-') {
      exponentNegative = afterMarker.Peek() == '-';
      afterMarker.Advance();
    }
    if (IsDigit(afterMarker.Peek())) {
      text.Append('e');
      if (exponentNegative) text.Append('-');
      constexpr long long kSaturated = 1'000'000'000'000LL;
      while (IsDigit(afterMarker.Peek())) {
        const char c = afterMarker.Peek();
        text.Append(c);
        if (exponent < kSaturated) exponent = exponent * 10 + (c - '0');
        afterMarker.Advance();
      }
      if (exponentNegative) exponent = -exponent;
    }
  }

  const long long powerOfTen = exponent - fractionDigits;
  if (significandExact && powerOfTen >= -22 && powerOfTen <= 22) {
    const double whole = static_cast<double>(significand);
    const double value = powerOfTen < 0 ? whole / kExactPowersOfTen[static_cast<std::size_t>(-powerOfTen)]
                                        : whole * kExactPowersOfTen[static_cast<std::size_t>(powerOfTen)];
    return negative ? -value : value;
  }

  double value = 0.0;
  const auto result = std::from_chars(text.Begin(), text.End(), value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    const std::string_view digits(text.Begin() + digitsStart, digitsEnd - digitsStart);
    value = IsBeyondLargest(digits, exponent) ? std::numeric_limits<double>::infinity() : 0.0;
    if (negative) value = -value;
  }
  return value;
}

// Nearly every field is a plain number such as "-120" or "0.5": read straight off the field, without
// the general reader. Anything else (blanks inside the number, an exponent, many digits, no digit at
// all) is left to the general reading by returning nothing.
std::optional<double> PlainDecimalValue(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && IsRemoved(text[start])) ++start;
  double value = 0.0;
  const std::size_t length = ReadPlainDecimal(text.substr(start), value);
  if (length == 0) return std::nullopt;
  if (start + length < text.size()) {
    const char stop = text::UpperAscii(text[start + length]);
    if (IsRemoved(stop) || stop == 'E' || stop == 'D') return std::nullopt;
  }
  return value;
}

}  // namespace

double NumericValue(std::string_view text) {
  if (const auto plain = PlainDecimalValue(text)) return *plain;
  Reader reader(text);
  if (reader.Peek() == '&') {
    Reader afterAmpersand = reader;
    afterAmpersand.Advance();
    const char base = text::UpperAscii(afterAmpersand.Peek());
    if (base == 'H' || base == 'O') {
      afterAmpersand.Advance();
      return UnsignedValue(afterAmpersand, base == 'O');
    }
  }
  return DecimalValue(reader);
}

}  // namespace kelvane::sorting
