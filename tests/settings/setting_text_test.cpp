#include "settings/setting_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace kelvane::settings {
namespace {

TEST(SettingTextTest, NumbersAndBooleansAsTheStoreHoldsThem) {
  // Integers round a half to the even neighbour, on the decimal digits, and must fit 16 bits.
  const std::pair<const char*, std::optional<int>> integers[] = {
      {" \t+7 ", 7},        {".5", 0},      {"1.5", 2},  {"-2.5", -2}, {"0032767", 32767}, {"32767.5", {}},
      {"-32768.5", -32768}, {"-32769", {}}, {"- 1", {}}, {".", {}},    {"1e3", {}},        {"", {}},
  };
  for (const auto& [text, value] : integers) EXPECT_EQ(ParseInteger(text), value) << text;
  EXPECT_EQ(ParseInteger("2.50000000000000000001"), 3);
  const std::pair<const char*, std::optional<bool>> booleans[] = {
      {"tRuE", true}, {" False\t", false}, {"0.0", false}, {"-1", true},
      {"0.4", true},  {"yes", {}},         {"True1", {}},  {"", {}},
  };
  for (const auto& [text, value] : booleans) EXPECT_EQ(ParseBoolean(text), value) << text;
  const std::pair<const char*, std::optional<float>> singles[] = {
      {" -7.25 ", -7.25f}, {"+3", 3}, {".5", 0.5f}, {"16777217", 16777216}, {"1e5", {}}, {"12 000", {}},
  };
  for (const auto& [text, value] : singles) EXPECT_EQ(ParseSingle(text), value) << text;
  EXPECT_EQ(ParseSingle("0.000000000000000000000000000000000000000000000000001"), 0.0f)
      << "too small to tell from 0";
  EXPECT_EQ(ParseSingle("340282346638528859811704183484516925440"), 3.40282347e38f);
  EXPECT_EQ(ParseSingle("1000000000000000000000000000000000000000000"), std::nullopt) << "too large";
  EXPECT_FALSE(std::signbit(*ParseSingle("-0.0")));
}

// Singles are written with at most seven significant digits, never an exponent, and read back.
TEST(SettingTextTest, EveryWrittenSingleReadsBackToItsSevenDigitValue) {
  const std::pair<float, const char*> written[] = {
      {-7.25f, "-7.25"},       {-0.0f, "0"},
      {12345678, "12345680"},  {1.0e10f, "10000000000"},
      {0.000125f, "0.000125"}, {9999999.5f, "10000000"},
  };
  for (const auto& [value, text] : written) EXPECT_EQ(FormatSingle(value), text) << value;
  std::mt19937 random(20260);
  std::uniform_int_distribution<int> exponent(-30, 30);
  std::uniform_real_distribution<float> mantissa(-2.0f, 2.0f);
  for (int i = 0; i < 5000; ++i) {
    const float value = std::ldexp(mantissa(random), exponent(random));
    const std::string text = FormatSingle(value);
    EXPECT_EQ(text.find_first_of("eE+"), std::string::npos) << text;
    const float back = ParseSingle(text).value_or(NAN);
    EXPECT_NEAR(back, value, std::fabs(value) * 1e-6f) << text;
    EXPECT_EQ(FormatSingle(back), text) << "writing what was read changes nothing";
  }
}

}  // namespace
}  // namespace kelvane::settings
