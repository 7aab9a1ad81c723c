#include "app/settings/setting_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <random>
#include <string>

#include "app/settings/integer_halving.h"

namespace kelvane::app {
namespace {

struct IntegerCase {
  const char* text;
  std::optional<int> value;
};

TEST(SettingTextTest, IntegersRoundHalvesToEvenAndStayInSixteenBits) {
  const IntegerCase cases[] = {
      {"0", 0},          {"5", 5},          {"-3", -3},       {"+12", 12},      {"  7 ", 7},      {"\t2\t", 2},
      {"007", 7},        {"0.5", 0},        {"1.5", 2},       {"2.5", 2},       {"3.5", 4},       {"-2.5", -2},
      {"-0.5", 0},       {"-1.5", -2},      {"2.4999", 2},    {"2.5001", 3},    {"2.6", 3},       {".5", 0},
      {"1.", 1},         {"2.50000000000000000001", 3},         {"32767", 32767}, {"-32768", -32768},
      {"32767.5", std::nullopt},            {"32767.49", 32767},                {"-32768.5", -32768},
      {"-32768.51", std::nullopt},          {"32768", std::nullopt},            {"-32769", std::nullopt},
      {"0000000000000032767", 32767},       {"1000000", std::nullopt},          {"", std::nullopt},
      {" ", std::nullopt}, {"abc", std::nullopt}, {"1a", std::nullopt},       {"1 2", std::nullopt},
      {"- 1", std::nullopt}, {"--1", std::nullopt}, {".", std::nullopt},      {"+", std::nullopt},
      {"1e3", std::nullopt}, {"1,5", std::nullopt}, {"True", std::nullopt},
  };
  for (const auto& [text, value] : cases) {
    const auto parsed = ParseInteger(text);
    EXPECT_EQ(parsed.has_value(), value.has_value()) << '"' << text << '"';
    if (parsed && value) {
      EXPECT_EQ(*parsed, *value) << '"' << text << '"';
    }
  }
}

TEST(SettingTextTest, BooleansAreTrueFalseInAnyCaseOrANumber) {
  const struct {
    const char* text;
    std::optional<bool> value;
  } cases[] = {
      {"True", true},   {"False", false},  {"TRUE", true},    {"false", false}, {"tRuE", true},
      {" True ", true}, {"0", false},      {"1", true},       {"-1", true},     {"0.0", false},
      {"0.4", true},    {"00", false},     {"99999999", true}, {"yes", std::nullopt},
      {"", std::nullopt}, {"Tru", std::nullopt}, {"True1", std::nullopt}, {"T", std::nullopt},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseBoolean(text), value) << '"' << text << '"';
}

TEST(SettingTextTest, SinglesReadNumbersOnly) {
  const struct {
    const char* text;
    std::optional<float> value;
  } cases[] = {
      {"12000", 12000.0f},  {"-7.25", -7.25f}, {" 0.1 ", 0.1f},   {"+3", 3.0f},      {".5", 0.5f},
      {"-0", 0.0f},         {"16777217", 16777216.0f},           {"0.000000000000000000000000000000000000000000000000001", 0.0f},
      {"340282346638528859811704183484516925440", 3.40282347e38f},
      {"1000000000000000000000000000000000000000000", std::nullopt},
      {"1e5", std::nullopt}, {"", std::nullopt}, {"twelve", std::nullopt}, {"12 000", std::nullopt},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseSingle(text), value) << '"' << text << '"';
  EXPECT_FALSE(std::signbit(*ParseSingle("-0.0")));
}

TEST(SettingTextTest, SinglesAreWrittenWithAtMostSevenSignificantDigits) {
  const struct {
    float value;
    const char* text;
  } cases[] = {
      {12000.0f, "12000"},     {9000.0f, "9000"},        {-105.0f, "-105"},       {0.0f, "0"},
      {-0.0f, "0"},            {0.1f, "0.1"},            {-7.25f, "-7.25"},       {1234567.0f, "1234567"},
      {12345678.0f, "12345680"}, {1.0e10f, "10000000000"}, {0.000125f, "0.000125"}, {3.14159265f, "3.141593"},
      {9999999.5f, "10000000"}, {10472.727f, "10472.73"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(FormatSingle(value), text) << value;
}

// Digits from the first non-zero one on; the zeros that end a whole number only hold places.
std::size_t SignificantDigits(std::string text) {
  if (text.find('.') == std::string::npos) {
    while (!text.empty() && text.back() == '0') text.pop_back();
  }
  std::size_t count = 0;
  bool started = false;
  for (const char c : text) {
    if (c < '0' || c > '9') continue;
    started = started || c != '0';
    if (started) ++count;
  }
  return count;
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
    const auto back = ParseSingle(text);
    ASSERT_TRUE(back.has_value()) << text;
    EXPECT_NEAR(*back, value, std::fabs(value) * 1e-6f) << text;
    EXPECT_EQ(FormatSingle(*back), text) << "writing what was read changes nothing";
  }
}

TEST(IntegerHalfTest, RoundsHalvesToEvenThenDropsTheRemainderTowardZero) {
  const struct {
    double value;
    std::optional<std::int32_t> half;
  } cases[] = {
      {-15.0, -7}, {15.0, 7},   {6015.0, 3007}, {-1.0, 0},     {0.0, 0},     {2.5, 1},  {3.5, 2},
      {-2.5, -1},  {1.5, 1},    {0.5, 0},       {4.4, 2},      {4.6, 2},     {5.5, 3},  {-5.5, -3},
      {-3.49, -1}, {2147483647.0, 1073741823},  {-2147483648.0, -1073741824},
      {2147483647.6, std::nullopt}, {1.0e30, std::nullopt}, {NAN, std::nullopt}, {INFINITY, std::nullopt},
  };
  for (const auto& [value, half] : cases) EXPECT_EQ(IntegerHalf(value), half) << value;
}

}  // namespace
}  // namespace kelvane::app
