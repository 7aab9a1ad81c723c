#include "cli/line_ranges.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace kelvane::cli {
namespace {

constexpr std::size_t kHuge = std::numeric_limits<std::size_t>::max();

struct GoodRanges {
  std::string text;
  std::vector<LineRange> expected;
};

class LineRangesAccepted : public ::testing::TestWithParam<GoodRanges> {};

TEST_P(LineRangesAccepted, GivesTheRanges) {
  const auto ranges = ParseLineRanges(GetParam().text);
  ASSERT_TRUE(ranges.has_value()) << GetParam().text;
  EXPECT_EQ(*ranges, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, LineRangesAccepted,
                         ::testing::Values(GoodRanges{"1", {{1, 1}}}, GoodRanges{"52", {{52, 52}}},
                                           GoodRanges{"3-40", {{3, 40}}},
                                           GoodRanges{"3-40,52", {{3, 40}, {52, 52}}},
                                           GoodRanges{"7-7", {{7, 7}}}, GoodRanges{"007-010", {{7, 10}}},
                                           GoodRanges{"9,2,5-6", {{9, 9}, {2, 2}, {5, 6}}},
                                           GoodRanges{"1-5,3-8", {{1, 5}, {3, 8}}},
                                           // Past what a number can hold is past every file's end.
                                           GoodRanges{"2-99999999999999999999999", {{2, kHuge}}},
                                           GoodRanges{"18446744073709551615", {{kHuge, kHuge}}}));

class LineRangesRejected : public ::testing::TestWithParam<std::string> {};

TEST_P(LineRangesRejected, GivesNothing) { EXPECT_FALSE(ParseLineRanges(GetParam()).has_value()); }

INSTANTIATE_TEST_SUITE_P(Table, LineRangesRejected,
                         ::testing::Values("", "0", "0-3", "5-3", "1,,2", ",1", "1,", "x", "1x", "1-", "-3",
                                           "1--3", "1-2-3", " 1", "1 ", "1, 2", "+1", "1.5", "1-x",
                                           "\xd9\xa3"));  // an Arabic-Indic three

document::LineList Lines(const std::vector<std::string>& texts) { return document::LineList(texts); }

std::vector<bool> Marks(const document::LineList& lines) {
  std::vector<bool> marks;
  for (std::size_t i = 0; i < lines.Size(); ++i) marks.push_back(lines.IsChecked(i));
  return marks;
}

const std::vector<std::string> kModel = {
    "0 model",
    "1 4 0 0 0 1 0 0 0 1 0 0 0 1 a.dat",
    " 1 4 0 0 0 1 0 0 0 1 0 0 0 1 b.dat",
    "0 STEP",
    "1 1 0 0 0 1 0 0 0 1 0 0 0 1 c.dat",
    "1",
    "",
    "2 24 0 0 0 1 1 1",
    "1 2 0 0 0 1 0 0 0 1 0 0 0 1 d.dat",
};

TEST(CheckPartLines, WithoutRangesChecksEveryLineBeginningWithOne) {
  auto lines = Lines(kModel);
  CheckPartLines(lines, std::nullopt);
  EXPECT_EQ(Marks(lines), (std::vector<bool>{false, true, false, false, true, true, false, false, true}));
}

TEST(CheckPartLines, RangesCheckOnlyTheirPartLines) {
  struct Case {
    std::string ranges;
    std::vector<bool> marks;
  };
  const std::vector<Case> cases = {
      {"1-3", {false, true, false, false, false, false, false, false, false}},
      {"5,9", {false, false, false, false, true, false, false, false, true}},
      {"4", {false, false, false, false, false, false, false, false, false}},
      {"6-7,2,2", {false, true, false, false, false, true, false, false, false}},
      {"8-1000000", {false, false, false, false, false, false, false, false, true}},
      {"10-20", {false, false, false, false, false, false, false, false, false}},
      {"1-99999999999999999999", {false, true, false, false, true, true, false, false, true}},
  };
  for (const Case& test : cases) {
    auto lines = Lines(kModel);
    CheckPartLines(lines, ParseLineRanges(test.ranges));
    EXPECT_EQ(Marks(lines), test.marks) << test.ranges;
  }
}

TEST(CheckPartLines, EmptyFileStaysEmpty) {
  document::LineList lines;
  CheckPartLines(lines, ParseLineRanges("1-3"));
  CheckPartLines(lines, std::nullopt);
  EXPECT_EQ(lines.CheckedCount(), 0u);
}

}  // namespace
}  // namespace kelvane::cli
