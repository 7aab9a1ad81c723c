#include "sorting/numeric_value.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <string>

namespace kelvane::sorting {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

struct ValueCase {
  std::string text;
  double value;
};

class NumericValueTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(NumericValueTest, ReadsTheNumberTheTextBeginsWith) {
  const double value = NumericValue(GetParam().text);
  EXPECT_EQ(value, GetParam().value) << "text \"" << GetParam().text << "\"";
  EXPECT_EQ(std::signbit(value), std::signbit(GetParam().value)) << "text \"" << GetParam().text << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Decimal, NumericValueTest,
    ::testing::Values(ValueCase{" 4", 4}, ValueCase{" -20", -20}, ValueCase{" 2.5", 2.5},
                      ValueCase{" -0.5", -0.5}, ValueCase{"973", 973}, ValueCase{"973p01", 973},
                      ValueCase{"4-4edge", 4}, ValueCase{"s\\973s01", 0}, ValueCase{"stud", 0},
                      ValueCase{"", 0}, ValueCase{"+5", 5}, ValueCase{"5.", 5}, ValueCase{".5", 0.5},
                      ValueCase{"-.5", -0.5}, ValueCase{"1..5", 1}, ValueCase{"--5", 0}, ValueCase{"+-5", 0},
                      ValueCase{".", 0}, ValueCase{"+", 0}, ValueCase{"-", 0}, ValueCase{"-0", -0.0},
                      ValueCase{"0x2FF0000", 0}, ValueCase{"0.1", 0.1},
                      ValueCase{"9007199254740993", 9007199254740992.0},
                      ValueCase{"123456789012345678901234567890", 1.2345678901234568e29}));

INSTANTIATE_TEST_SUITE_P(
    Exponents, NumericValueTest,
    ::testing::Values(ValueCase{" 1e-005", 0.00001}, ValueCase{" 1.5E2", 150}, ValueCase{"1.5D2", 150},
                      ValueCase{"2d-1", 0.2}, ValueCase{"1e", 1}, ValueCase{"1e+", 1}, ValueCase{"1E-x", 1},
                      ValueCase{"1.5e3.5", 1500}, ValueCase{"1e999", kInfinity},
                      ValueCase{"-1e999", -kInfinity}, ValueCase{"1e99999999999999999999", kInfinity},
                      ValueCase{"0.001e311", 1e308}, ValueCase{"1e-999", 0.0}, ValueCase{"-1e-999", -0.0},
                      ValueCase{"0e999", 0.0}, ValueCase{"1000e-326", 1e-323}));

INSTANTIATE_TEST_SUITE_P(HexadecimalAndOctal, NumericValueTest,
                         ::testing::Values(ValueCase{"&H1F", 31}, ValueCase{"&h1f", 31},
                                           ValueCase{"&HFFFF", 65535}, ValueCase{"&O17", 15},
                                           ValueCase{"&o777", 511}, ValueCase{"&H", 0}, ValueCase{"&O", 0},
                                           ValueCase{"&O8", 0}, ValueCase{"&H1G", 1}, ValueCase{"&X1", 0},
                                           ValueCase{"-&H1", 0},
                                           // 2^80 - 1 and 2^64 - 1 round once, to 2^80 and 2^64.
                                           ValueCase{"&HFFFFFFFFFFFFFFFFFFFF", 0x1p80},
                                           ValueCase{"&O1777777777777777777777", 0x1p64},
                                           ValueCase{"&H" + std::string(300, 'F'), kInfinity}));

// Only space, tab and line feed are removed, anywhere; a carriage return or a no-break space ends the
// number, and only ASCII digits are digits.
INSTANTIATE_TEST_SUITE_P(RemovedCharacters, NumericValueTest,
                         ::testing::Values(ValueCase{"1 2 3", 123}, ValueCase{"\t-\n1\t.\n5", -1.5},
                                           ValueCase{"1 e 2", 100}, ValueCase{"& H 1F", 31},
                                           ValueCase{"1\r2", 1},
                                           ValueCase{"1\xC2\xA0"
                                                     "2",
                                                     1},
                                           ValueCase{"\xD9\xA1", 0},
                                           ValueCase{std::string("1\0"
                                                                 "2",
                                                                 3),
                                                     1}));

TEST(NumericValueTest, RoundsDecimalTextCorrectly) {
  // The standard library's conversion is correctly rounded; compare with it over numbers on both
  // sides of every shortcut: up to 25 digits, powers of ten far beyond the exact ones.
  std::mt19937_64 random(5);
  for (int trial = 0; trial < 100000; ++trial) {
    std::string text = random() % 2 ? "-" : "";
    const std::size_t digits = 1 + random() % 25;
    const std::size_t point = random() % (digits + 1);
    for (std::size_t i = 0; i < digits; ++i) {
      if (i == point) text += '.';
      text += static_cast<char>('0' + random() % 10);
    }
    if (random() % 2) {
      text += 'e';
      text += std::to_string(static_cast<int>(random() % 80) - 40);
    }
    double expected = 0;
    std::from_chars(text.data(), text.data() + text.size(), expected);
    ASSERT_EQ(NumericValue(text), expected) << text;
  }
}

struct KeyCase {
  double value;
  float key;
};

class SortKeyFromValueTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(SortKeyFromValueTest, RoundsToTheNearestFloatOrToInfinity) {
  EXPECT_EQ(SortKeyFromValue(GetParam().value), GetParam().key) << GetParam().value;
}

constexpr float kFloatMax = std::numeric_limits<float>::max();
constexpr float kFloatInfinity = std::numeric_limits<float>::infinity();
// From here on rounding to nearest leaves the float range.
constexpr double kHalfwayToInfinity = 0x1.ffffffp127;

INSTANTIATE_TEST_SUITE_P(Values, SortKeyFromValueTest,
                         ::testing::Values(KeyCase{1.00000001, 1.0F}, KeyCase{1.00000002, 1.0F},
                                           KeyCase{-8, -8.0F}, KeyCase{kFloatMax, kFloatMax},
                                           KeyCase{std::nextafter(kHalfwayToInfinity, 0.0), kFloatMax},
                                           KeyCase{kHalfwayToInfinity, kFloatInfinity},
                                           KeyCase{-kHalfwayToInfinity, -kFloatInfinity},
                                           KeyCase{1e300, kFloatInfinity}, KeyCase{-1e300, -kFloatInfinity},
                                           KeyCase{kInfinity, kFloatInfinity}, KeyCase{1e-300, 0.0F}));

}  // namespace
}  // namespace kelvane::sorting
