#include "sorting/line_fields.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace kelvane::sorting {
namespace {

struct FieldsCase {
  const char* line;
  const char* color;
  const char* x;
  const char* y;
  const char* z;
  const char* partName;
};

class LineFieldsTest : public ::testing::TestWithParam<FieldsCase> {};

TEST_P(LineFieldsTest, CutsTheFieldsAtTheCountedSpaces) {
  const FieldsCase& c = GetParam();
  EXPECT_EQ(GetColor(c.line), c.color);
  EXPECT_EQ(GetCoordinate(c.line, 0), c.x);
  EXPECT_EQ(GetCoordinate(c.line, 1), c.y);
  EXPECT_EQ(GetCoordinate(c.line, 2), c.z);
  EXPECT_EQ(GetPartName(c.line), c.partName);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LineFieldsTest,
    ::testing::Values(FieldsCase{"1 16 10 -8 20 1 0 0 0 1 0 0 0 1 s\\973s01.dat", " 16", " 10", " -8", " 20",
                                 "s\\973s01"},
                      FieldsCase{"1 4 10 -8 20 1 0 0 0 1 0 0 0 1 973.dat", " 4", " 10", " -8", " 20", "973"},
                      // A second space after the line type shifts every field by one.
                      FieldsCase{"1  4 10 -8 20 1 0 0 0 1 0 0 0 1 973.DAT", " ", " 4", " 10", " -8", "973"},
                      // Other line types are cut the same way.
                      FieldsCase{"0 // a comment line", " //", " a", " comment", "", ""},
                      // A tab is an ordinary character; a space in the first place is never counted.
                      FieldsCase{"1\t4 10 -8 20 0 973p01.dat", "\t4", " -8", " 20", " 0", "973p01"},
                      FieldsCase{" 1 4 10 -8 20 x.dat", "1", " 10", " -8", " 20", "x"},
                      // Fields that cannot be found come back empty: too few spaces, a coordinate that ends
                      // the line, four characters or fewer after the last space.
                      FieldsCase{"1 4 10 -8 20", " 4", " 10", " -8", "", ""},
                      FieldsCase{"1 4", "", "", "", "", ""}, FieldsCase{"1", "", "", "", "", ""},
                      FieldsCase{"", "", "", "", "", ""},
                      FieldsCase{"1 4 0 0 0 1 0 0 0 1 0 0 0 1 ", " 4", " 0", " 0", " 0", ""}));

TEST(LineFieldsTest, AnAxisOutsideZeroToTwoFindsNothing) {
  EXPECT_EQ(GetCoordinate("1 4 10 -8 20 1 0 0 0 1 0 0 0 1 973.dat", -1), "");
  EXPECT_EQ(GetCoordinate("1 4 10 -8 20 1 0 0 0 1 0 0 0 1 973.dat", 3), "");
}

TEST(LineFieldsTest, CoordinateValuesReadWhatCoordinateFieldFinds) {
  // Lines made of few characters hit every corner of the space counting.
  std::mt19937 random(11);
  const std::string alphabet = "  1-.e5\t";
  for (int trial = 0; trial < 20000; ++trial) {
    std::string line;
    const std::size_t length = random() % 24;
    for (std::size_t i = 0; i < length; ++i) line += alphabet[random() % alphabet.size()];
    const auto values = CoordinateValues(line);
    for (int axis = 0; axis < 3; ++axis) {
      ASSERT_EQ(values[axis], NumericValue(CoordinateField(line, axis)))
          << "line \"" << line << "\" axis " << axis;
    }
  }
}

}  // namespace
}  // namespace kelvane::sorting
