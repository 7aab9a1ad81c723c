#include "ui/about/about_box_position.h"

#include <gtest/gtest.h>

namespace kelvane::ui {
namespace {

TEST(AboutBoxPositionTest, CentredOverTheOwnerByIntegerHalving) {
  const struct {
    const char* situation;
    TwipsBounds owner;
    float boxWidth, boxHeight;
    float left, top;
  } cases[] = {
      {"owner larger than the box", {1500, 1200, 12000, 9000}, 6075, 2070, 4462, 4665},
      {"same owner moved", {4500, 300, 12000, 9000}, 6075, 2070, 7462, 3765},
      {"owner 15 twips narrower and lower", {3000, 2000, 6060, 2055}, 6075, 2070, 2993, 1993},
      {"owner partly off the screen", {-9000, -450, 12000, 9000}, 6075, 2070, -6038, 3015},
      {"odd difference drops its half", {0, 0, 12001, 9001}, 6074, 2074, 2963, 3463},
      {"fraction rounds half to even", {0, 0, 12000.5f, 8998.5f}, 5985, 1650, 3008, 3674},
  };
  for (const auto& [situation, owner, boxWidth, boxHeight, left, top] : cases) {
    const auto position = AboutBoxPosition(owner, boxWidth, boxHeight);
    ASSERT_TRUE(position.has_value()) << situation;
    EXPECT_EQ(position->left, left) << situation;
    EXPECT_EQ(position->top, top) << situation;
  }
}

TEST(AboutBoxPositionTest, OverflowGivesNoPosition) {
  EXPECT_FALSE(AboutBoxPosition({0, 0, 1.0e20f, 9000}, 5985, 1650).has_value());
}

TEST(AboutBoxPositionTest, VersionLineIsPlainDecimals) {
  EXPECT_EQ(VersionLine(1, 0, 1), "Version 1.0.1");
  EXPECT_EQ(VersionLine(12, 0, 305), "Version 12.0.305");
}

}  // namespace
}  // namespace kelvane::ui
