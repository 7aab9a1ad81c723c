#include "settings/setting_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace kelvane::settings {
namespace {

using I = std::pair<const char*, std::optional<int>>;
using B = std::pair<const char*, std::optional<bool>>;
using S = std::pair<const char*, std::optional<float>>;
using W = std::pair<float, const char*>;

TEST(SettingTextTest, NumbersAndBooleansAsTheStoreHoldsThem) {
  // Integers round a half to the even neighbour, on the decimal digits, and must fit 16 bits.
  for (const auto& [text, value] :
       {I{" \t+7 ", 7}, I{".5", 0}, I{"1.5", 2}, I{"-2.5", -2}, I{"0032767", 32767}, I{"32767.5", {}},
        I{"-32768.5", -32768}, I{"-32769", {}}, I{"- 1", {}}, I{".", {}}, I{"1e3", {}}, I{"", {}},
        I{"2.50000000000000000001", 3}})
    EXPECT_EQ(ParseInteger(text), value) << text;
  for (const auto& [text, value] : {B{"tRuE", true}, B{" False\t", false}, B{"0.0", false}, B{"-1", true},
                                    B{"0.4", true}, B{"yes", {}}, B{"True1", {}}, B{"", {}}})
    EXPECT_EQ(ParseBoolean(text), value) << text;
  // Too small to tell from 0, the largest single, too large.
  for (const auto& [text, value] :
       {S{" -7.25 ", -7.25f}, S{"+3", 3}, S{".5", 0.5f}, S{"16777217", 16777216}, S{"1e5", {}},
        S{"12 000", {}}, S{"0.000000000000000000000000000000000000000000000000001", 0.0f},
        S{"340282346638528859811704183484516925440", 3.40282347e38f},
        S{"1000000000000000000000000000000000000000000", {}}})
    EXPECT_EQ(ParseSingle(text), value) << text;
  EXPECT_FALSE(std::signbit(*ParseSingle("-0.0")));
}

// Singles are written with at most seven significant digits, never an exponent, and read back.
TEST(SettingTextTest, EveryWrittenSingleReadsBackToItsSevenDigitValue) {
  for (const auto& [value, text] :
       {W{-7.25f, "-7.25"}, W{-0.0f, "0"}, W{12345678, "12345680"}, W{1.0e10f, "10000000000"},
        W{0.000125f, "0.000125"}, W{9999999.5f, "10000000"}})
    EXPECT_EQ(FormatSingle(value), text) << value;
  std::mt19937 random(20260);
  for (int i = 0; i < 5000; ++i) {
    const float value = std::ldexp(std::uniform_real_distribution<float>(-2, 2)(random),
                                   static_cast<int>(random() % 61) - 30);
    const std::string text = FormatSingle(value);
    EXPECT_EQ(text.find_first_of("eE+"), std::string::npos) << text;
    const float back = ParseSingle(text).value_or(NAN);
    EXPECT_NEAR(back, value, std::fabs(value) * 1e-6f) << text;
    EXPECT_EQ(FormatSingle(back), text) << "writing what was read changes nothing";
  }
}

}  // namespace
}  // namespace kelvane::settings
