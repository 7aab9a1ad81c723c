#include "settings/setting_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace kelvane::settings {
namespace {

template <typename Value, typename Parse>
void ExpectParsed(Parse parse, std::initializer_list<std::pair<const char*, std::optional<Value>>> cases) {
  for (const auto& [text, value] : cases) EXPECT_EQ(parse(text), value) << '"' << text << '"';
}

TEST(SettingTextTest, IntegersRoundHalvesToEvenAndStayInSixteenBits) {
  ExpectParsed<int>(ParseInteger, {
      {"-3", -3}, {"+12", 12}, {" \t7 ", 7}, {".5", 0}, {"1.", 1}, {"1.5", 2}, {"2.5", 2}, {"-2.5", -2},
      {"-1.5", -2}, {"2.4999", 2}, {"2.5001", 3}, {"2.50000000000000000001", 3}, {"000000000032767", 32767},
      {"32767", 32767}, {"32767.49", 32767}, {"32767.5", {}}, {"32768", {}}, {"-32768", -32768},
      {"-32768.5", -32768}, {"-32768.51", {}}, {"-32769", {}}, {"", {}}, {"1a", {}}, {"1 2", {}}, {"- 1", {}},
      {"--1", {}}, {".", {}}, {"+", {}}, {"1e3", {}}, {"1,5", {}}});
}

TEST(SettingTextTest, BooleansAreTrueFalseInAnyCaseOrANumber) {
  ExpectParsed<bool>(ParseBoolean, {
      {"True", true}, {"False", false}, {"tRuE", true}, {"false", false}, {" True ", true}, {"0", false},
      {"1", true}, {"-1", true}, {"0.0", false}, {"0.4", true}, {"99999999", true}, {"yes", {}}, {"", {}},
      {"Tru", {}}, {"True1", {}}});
}

TEST(SettingTextTest, SinglesReadNumbersOnlyAndAreWrittenWithAtMostSevenSignificantDigits) {
  ExpectParsed<float>(ParseSingle, {
      {"12000", 12000}, {"-7.25", -7.25f}, {" 0.1 ", 0.1f}, {"+3", 3}, {".5", 0.5f}, {"-0", 0},
      {"16777217", 16777216}, {"0.000000000000000000000000000000000000000000000000001", 0},
      {"340282346638528859811704183484516925440", 3.40282347e38f},
      {"1000000000000000000000000000000000000000000", {}}, {"1e5", {}}, {"", {}}, {"12 000", {}}});
  EXPECT_FALSE(std::signbit(*ParseSingle("-0.0")));
  for (const auto& [value, text] : {std::pair{-7.25f, "-7.25"}, {-105, "-105"}, {-0.0f, "0"}, {0.1f, "0.1"},
                                    {12345678, "12345680"}, {1.0e10f, "10000000000"}, {0.000125f, "0.000125"},
                                    {3.14159265f, "3.141593"}, {9999999.5f, "10000000"}}) {
    EXPECT_EQ(FormatSingle(value), text) << value;
  }
}

// Digits from the first non-zero one on, without the zeros that only hold places in a whole number.
std::size_t SignificantDigits(std::string text) {
  if (text.find('.') == std::string::npos) text.erase(text.find_last_not_of('0') + 1);
  std::erase_if(text, [](char c) { return c < '0' || c > '9'; });
  return text.size() - std::min(text.size(), text.find_first_not_of('0'));
}

TEST(SettingTextTest, EveryWrittenSingleReadsBackToItsSevenDigitValue) {
  std::mt19937 random(20260);
  std::uniform_int_distribution<int> exponent(-30, 30);
  std::uniform_real_distribution<float> mantissa(-2.0f, 2.0f);
  for (int i = 0; i < 5000; ++i) {
    const float value = std::ldexp(mantissa(random), exponent(random));
    const std::string text = FormatSingle(value);
    EXPECT_EQ(text.find_first_of("eE+"), std::string::npos) << text;
    EXPECT_LE(SignificantDigits(text), 7u) << text;
    const float back = ParseSingle(text).value_or(NAN);
    EXPECT_NEAR(back, value, std::fabs(value) * 1e-6f) << text;
    EXPECT_EQ(FormatSingle(back), text) << "writing what was read changes nothing";
  }
}

}  // namespace
}  // namespace kelvane::settings
