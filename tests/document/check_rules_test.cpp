#include "document/check_rules.h"

#include <gtest/gtest.h>

namespace kelvane::document {
namespace {

// The marks of a list as a text: "1" checked, "0" not.
std::string Marks(const LineList& lines) {
  std::string marks;
  for (std::size_t i = 0; i < lines.Size(); ++i) marks += lines.IsChecked(i) ? '1' : '0';
  return marks;
}

TEST(CheckRuleTest, OnlyLinesWhoseFirstNonBlankCharacterIsOneKeepAMark) {
  LineList lines(
      {"1 4 0 0 0", "10", "1x", "0 // comment", "", " 1 4 0 0 0", "\t 1", "2 24 0 0 0", " \t", "x1"});
  for (std::size_t i = 0; i < lines.Size(); ++i) {
    lines.SetChecked(i, true);
    EnforceCheckRule(lines, i);
  }
  EXPECT_EQ(Marks(lines), "1110011000");
  EXPECT_TRUE(SortAllowed(lines));
  for (const std::size_t i : {0, 1, 2, 5}) lines.SetChecked(i, false);
  EXPECT_FALSE(SortAllowed(lines));  // one checked line is nothing to sort
}

TEST(ToggleSelectionTest, ChecksEveryPartLineOrClearsAllButTheFirstAndFlipsTheCaption) {
  const struct {
    std::vector<std::string> texts;
    std::string marksBefore, captionBefore, marksAfter, captionAfter;
  } cases[] = {
      {{"0 a", "1 b", "", "1 c", " 1 d"}, "00000", "Select All", "01011", "Deselect All"},
      {{"0 a", "0 STEP"}, "00", "Select All", "00", "Deselect All"},        // nothing to check: caption flips
      {{"1 a", "1 b", "1 c"}, "111", "Deselect All", "100", "Select All"},  // entry 0 stays checked
      {{"0 a", "1 b"}, "01", "select all", "00", "Select All"},             // the caption is compared exactly
      {{}, "", "Deselect All", "", "Deselect All"},                         // an empty list changes nothing
  };
  for (const auto& c : cases) {
    LineList lines(c.texts);
    for (std::size_t i = 0; i < c.marksBefore.size(); ++i) lines.SetChecked(i, c.marksBefore[i] == '1');
    EXPECT_EQ(ToggleSelection(lines, c.captionBefore), c.captionAfter) << c.marksBefore;
    EXPECT_EQ(Marks(lines), c.marksAfter) << c.marksBefore << " " << c.captionBefore;
  }
}

}  // namespace
}  // namespace kelvane::document
