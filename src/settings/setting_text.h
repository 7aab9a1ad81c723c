#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The settings store holds text only; these are the conversions between its texts and the values
// the window uses. A conversion that fails gives no value, and the start-up step that needed it is
// skipped.
namespace kelvane::settings {

// A number (blanks around it, an optional sign, digits with an optional fractional part) rounded to
// the nearest whole number, a half going to the even neighbour; it must lie in -32768..32767.
// The rounding works on the decimal digits themselves, so "2.5000000000000000001" rounds up.
std::optional<std::int16_t> ParseInteger(std::string_view text);

// "True" or "False" in any letter case, or a number: 0 is false, any other number true.
std::optional<bool> ParseBoolean(std::string_view text);

// A number written as for ParseInteger, as the nearest single-precision value. A number too large
// for a single fails; one too small to tell from zero is zero.
std::optional<float> ParseSingle(std::string_view text);

std::string FormatInteger(int value);
std::string FormatBoolean(bool value);  // "True" or "False"

// At most seven significant digits, never an exponent, a leading "-" when negative and no decimal
// point for a whole number: 12000 is "12000", 0.1 is "0.1", -7.25 is "-7.25". ParseSingle reads
// every text this writes.
std::string FormatSingle(float value);

}  // namespace kelvane::settings
