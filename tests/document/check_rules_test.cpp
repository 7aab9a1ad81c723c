#include "document/check_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelvane::document {
namespace {

std::vector<bool> Marks(const LineList& lines) {
  std::vector<bool> marks;
  for (std::size_t i = 0; i < lines.Size(); ++i) marks.push_back(lines.IsChecked(i));
  return marks;
}

TEST(CheckRuleTest, OnlyLinesWhoseFirstCharacterIsOneKeepAMark) {
  LineList lines({"1 4 0 0 0", "10", "1x", "0 // comment", "", " 1 4 0 0 0", "\t1", "2 24 0 0 0",
                  "0 STEP"});
  for (std::size_t i = 0; i < lines.Size(); ++i) {
    lines.SetChecked(i, true);
    EnforceCheckRule(lines, i);
  }
  EXPECT_EQ(Marks(lines), (std::vector<bool>{true, true, true, false, false, false, false, false, false}));
  EXPECT_EQ(lines.CheckedCount(), 3u);
  EXPECT_TRUE(SortAllowed(lines));
  lines.SetChecked(0, false);
  lines.SetChecked(1, false);
  EXPECT_FALSE(SortAllowed(lines));  // one checked line is nothing to sort
}

struct ToggleCase {
  const char* name;
  std::vector<std::string> texts;
  std::vector<bool> marksBefore;
  std::string captionBefore;
  std::vector<bool> marksAfter;
  std::string captionAfter;
};

class ToggleSelectionTest : public ::testing::TestWithParam<ToggleCase> {};

TEST_P(ToggleSelectionTest, FollowsTheSelectAllTable) {
  const ToggleCase& c = GetParam();
  LineList lines(c.texts);
  for (std::size_t i = 0; i < c.marksBefore.size(); ++i) lines.SetChecked(i, c.marksBefore[i]);
  EXPECT_EQ(ToggleSelection(lines, c.captionBefore), c.captionAfter);
  EXPECT_EQ(Marks(lines), c.marksAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ToggleSelectionTest,
    ::testing::Values(
        ToggleCase{"SelectAllChecksEveryPartLine", {"0 a", "1 b", "", "1 c", " 1 d"}, {},
                   "Select All", {false, true, false, true, false}, "Deselect All"},
        ToggleCase{"SelectAllWithoutPartLinesStillFlipsTheCaption", {"0 a", "0 STEP"}, {},
                   "Select All", {false, false}, "Deselect All"},
        ToggleCase{"SelectAllWithOnePartLine", {"0 a", "1 b"}, {}, "Select All", {false, true},
                   "Deselect All"},
        ToggleCase{"DeselectAllKeepsEntryZeroWhenItIsAPartLine", {"1 a", "1 b", "1 c"},
                   {true, true, true}, "Deselect All", {true, false, false}, "Select All"},
        ToggleCase{"DeselectAllClearsEverythingAfterAComment", {"0 a", "1 b"}, {false, true},
                   "Deselect All", {false, false}, "Select All"},
        // The caption is the toggle's only state, compared exactly: any other text deselects.
        ToggleCase{"AnyOtherCaptionDeselects", {"0 a", "1 b"}, {false, true}, "select all",
                   {false, false}, "Select All"},
        ToggleCase{"EmptyListChangesNothing", {}, {}, "Deselect All", {}, "Deselect All"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kelvane::document
