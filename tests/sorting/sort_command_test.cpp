#include "sorting/sort_command.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "sorting/plain_sort_reference.h"

namespace kelvane::sorting {
namespace {

using Texts = std::vector<std::string>;

// A part line of one color; sorting by color orders such lines without ties.
std::string C(int color) {
  return std::string("1 ") + std::to_string(color) + " 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat";
}
const std::string kUnchecked = "1 0 0 0 0 1 0 0 0 1 0 0 0 1 unchecked.dat";

// Every line that begins with "1" is checked, except kUnchecked.
document::LineList Checked(const Texts& texts) {
  document::LineList lines(texts);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (texts[i].starts_with('1') && texts[i] != kUnchecked) lines.SetChecked(i, true);
  }
  return lines;
}

std::vector<bool> Marks(const document::LineList& lines) {
  std::vector<bool> marks;
  for (std::size_t i = 0; i < lines.Size(); ++i) marks.push_back(lines.IsChecked(i));
  return marks;
}

SortOptions ByColor(bool betweenSteps) {
  SortOptions options;
  options.sortKey = SortKey::kColor;
  options.betweenSteps = betweenSteps;
  return options;
}

struct CommandCase {
  const char* name;
  bool betweenSteps;
  Texts texts;
  Texts expected;
};

void PrintTo(const CommandCase& c, std::ostream* out) { *out << c.name; }

class SortCheckedLinesTest : public ::testing::TestWithParam<CommandCase> {};

TEST_P(SortCheckedLinesTest, SortsEachSectionInItsOwnPositions) {
  const CommandCase& c = GetParam();
  document::LineList lines = Checked(c.texts);
  const std::vector<bool> marks = Marks(lines);
  EXPECT_TRUE(SortCheckedLines(lines, ByColor(c.betweenSteps)));
  EXPECT_EQ(lines.Texts(), c.expected);
  EXPECT_EQ(Marks(lines), marks);
}

INSTANTIATE_TEST_SUITE_P(
    Sections, SortCheckedLinesTest,
    ::testing::Values(
        // A STEP line closes a section of a single line too, so that line stays in its step.
        CommandCase{"OneLinePerStepStaysPut", true, {C(2), "0 STEP", C(1)}, {C(2), "0 STEP", C(1)}},
        CommandCase{"WithoutStepsOneSection", false, {C(2), "0 STEP", C(1)}, {C(1), "0 STEP", C(2)}},
        CommandCase{"TwoStepsOfThree",
                    true,
                    {C(6), C(5), C(4), "0 STEP", C(3), C(2), C(1)},
                    {C(4), C(5), C(6), "0 STEP", C(1), C(2), C(3)}},
        CommandCase{"TwoStepsOfThreeWithoutSteps",
                    false,
                    {C(6), C(5), C(4), "0 STEP", C(3), C(2), C(1)},
                    {C(1), C(2), C(3), "0 STEP", C(4), C(5), C(6)}},
        CommandCase{"UncheckedLinesStayWhereTheyAre",
                    true,
                    {C(3), "0 // note", kUnchecked, C(2), "", C(1)},
                    {C(1), "0 // note", kUnchecked, C(2), "", C(3)}},
        CommandCase{"LowerCaseStepClosesALastSingleLineStays",
                    true,
                    {C(2), C(1), "0 step", C(0)},
                    {C(1), C(2), "0 step", C(0)}},
        CommandCase{"StepWithTrailingSpaceDoesNotClose",
                    true,
                    {C(2), C(1), "0 STEP ", C(0)},
                    {C(0), C(1), "0 STEP ", C(2)}},
        CommandCase{"EmptyStepsCloseNothing",
                    true,
                    {"0 STEP", C(2), C(1), "0 STEP", "0 STEP", C(4), C(3)},
                    {"0 STEP", C(1), C(2), "0 STEP", "0 STEP", C(3), C(4)}},
        // The test runs after the line has joined the section.
        CommandCase{"ACheckedStepLineClosesItsOwnSection",
                    true,
                    {C(3), "1 2 0 0 0 1 0 0 0 1 0 0 0 1 ROTSTEP", C(1)},
                    {"1 2 0 0 0 1 0 0 0 1 0 0 0 1 ROTSTEP", C(3), C(1)}},
        CommandCase{"ModelsNeverExchangeParts",
                    false,
                    {"0 FILE main.ldr", C(5), C(4), "0 FILE sub.ldr", C(2), C(1), "0 NOFILE", C(9), C(0)},
                    {"0 FILE main.ldr", C(4), C(5), "0 FILE sub.ldr", C(1), C(2), "0 NOFILE", C(0), C(9)}},
        CommandCase{"DataBlockClosesALoneLine",
                    false,
                    {C(3), "0 !DATA logo.png", C(1)},
                    {C(3), "0 !DATA logo.png", C(1)}},
        CommandCase{"ModelBoundariesCloseWithStepsToo",
                    true,
                    {C(3), " 0 file sub.ldr", C(2), C(1)},
                    {C(3), " 0 file sub.ldr", C(1), C(2)}}),
    [](const auto& info) { return info.param.name; });

TEST(SortCheckedLinesTest, FewerThanTwoCheckedLinesChangeNothing) {
  for (const std::size_t checked : {0U, 1U}) {
    document::LineList lines({C(2), C(1), C(0)});
    for (std::size_t i = 0; i < checked; ++i) lines.SetChecked(i, true);
    const Texts before = lines.Texts();
    EXPECT_FALSE(SortCheckedLines(lines, ByColor(false)));
    EXPECT_EQ(lines.Texts(), before);
  }
}

// Random models full of ties, boundaries of every kind, unchecked part lines and odd lines.
document::LineList RandomModel(std::mt19937& random) {
  static const Texts kCoordinates{"0", "10", "-10", "10.0", "1e1", "20", "1.00000001", "1.00000002", "-0"};
  static const Texts kOtherLines{"0 STEP",   "0 step",        "0 STEP ",        "0 FILE sub.ldr",
                                 "0 NOFILE", "0 !DATA a.png", "0 // a comment", "",
                                 "1",        "1  4 0 0 0"};
  const auto pick = [&](const Texts& texts) { return texts[random() % texts.size()]; };
  document::LineList lines;
  Texts texts(random() % 120);
  for (std::string& text : texts) {
    if (random() % 6 == 0) {
      text = pick(kOtherLines);
    } else {
      text = std::string("1 ") + std::to_string(random() % 4) + " " + pick(kCoordinates) + " " +
             pick(kCoordinates) + " " + pick(kCoordinates) + " 1 0 0 0 1 0 0 0 1 " +
             std::to_string(random() % 3) + "p.dat";
    }
  }
  lines.Assign(texts);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (texts[i].starts_with('1') && random() % 8 != 0) lines.SetChecked(i, true);
  }
  return lines;
}

SortOptions RandomOptions(std::mt19937& random) {
  SortOptions options;
  options.sortKey = static_cast<SortKey>(random() % 3);
  options.keyOrder = {static_cast<int>(random() % 3), static_cast<int>(random() % 3),
                      static_cast<int>(random() % 3)};
  options.xAscending = random() % 2;
  options.yAscending = random() % 2;
  options.zAscending = random() % 2;
  options.partAscending = random() % 2;
  options.colorAscending = random() % 2;
  options.betweenSteps = random() % 2;
  return options;
}

TEST(SortCheckedLinesTest, SortsLikeThePlainDefinition) {
  std::mt19937 random(9);
  for (int trial = 0; trial < 3000; ++trial) {
    document::LineList lines = RandomModel(random);
    const SortOptions options = RandomOptions(random);
    document::LineList expected = lines;
    testing::PlainSortCheckedLines(expected, options);
    SortCheckedLines(lines, options);
    ASSERT_EQ(lines.Texts(), expected.Texts()) << "trial " << trial;
    ASSERT_EQ(Marks(lines), Marks(expected)) << "trial " << trial;
    // An ordered section makes no exchange, so a second sort changes nothing.
    SortCheckedLines(lines, options);
    ASSERT_EQ(lines.Texts(), expected.Texts()) << "trial " << trial << ", sorted again";
  }
}

}  // namespace
}  // namespace kelvane::sorting
