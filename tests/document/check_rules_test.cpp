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
  LineList lines({"1 4 0 0 0", "10", "1x", "0 // comment", "", " 1 4 0", "\t 1", "2 24 0 0 0", " \t", "x1"});
  for (std::size_t i = 0; i < lines.Size(); ++i) {
    lines.SetChecked(i, true);
    EnforceCheckRule(lines, i);
  }
  EXPECT_EQ(Marks(lines), "1110011000");
}

// Most of it is seen through the session; here what it does not show.
TEST(ToggleSelectionTest, FlipsTheCaptionWhenNothingIsChecked) {
  LineList none({"0 a", "0 STEP"}), lines({"0 a", "1 b"});
  EXPECT_EQ(ToggleSelection(none, "Select All"), "Deselect All");  // nothing to check: the caption flips
  lines.SetChecked(1, true);
  EXPECT_EQ(ToggleSelection(lines, "select all"), "Select All");  // the caption is compared exactly
  EXPECT_EQ(Marks(lines), "00");
}

}  // namespace
}  // namespace kelvane::document
