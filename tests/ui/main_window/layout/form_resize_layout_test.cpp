#include "ui/main_window/layout/form_resize_layout.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kelvane::ui {
namespace {

using app::WindowState;

ResizeInputs Outer(float width, float height, float twipsPerPixel = 15.0f,
                   WindowState state = WindowState::kNormal) {
  ResizeInputs inputs;
  inputs.width = width;
  inputs.height = height;
  inputs.windowState = state;
  inputs.twipsPerPixelX = twipsPerPixel;
  inputs.twipsPerPixelY = twipsPerPixel;
  return inputs;
}

struct Expected {
  float width, height, listWidth, listHeight, columnLeft, logoTop, logoWidth, saveTop, backupTop;
};

void ExpectLayout(const ResizeInputs& inputs, const Expected& expected) {
  const auto layout = FormResizeLayout(inputs);
  ASSERT_TRUE(layout.has_value());
  EXPECT_EQ(layout->width, expected.width);
  EXPECT_EQ(layout->height, expected.height);
  EXPECT_EQ(layout->datDataListWidth, expected.listWidth);
  EXPECT_EQ(layout->datDataListHeight, expected.listHeight);
  for (const float left : {layout->sortBtnLeft, layout->selectBtnLeft, layout->sortOptionsFrmLeft,
                           layout->saveFileBtnLeft, layout->backupFilechkLeft}) {
    EXPECT_EQ(left, expected.columnLeft);
  }
  EXPECT_EQ(layout->kelvaneLogoTop, expected.logoTop);
  EXPECT_EQ(layout->kelvaneLogoWidth, expected.logoWidth);
  EXPECT_EQ(layout->saveFileBtnTop, expected.saveTop);
  EXPECT_EQ(layout->backupFilechkTop, expected.backupTop);
}

TEST(FormResizeLayoutTest, ControlsFollowTheWindowsEdges) {
  SCOPED_TRACE("12000 x 9000 twips");
  ExpectLayout(Outer(12000, 9000), {12000, 9000, 9195, 7200, 9420, 7725, 11670, 7245, 6945});
}

TEST(FormResizeLayoutTest, DragBelowTheMinimumEndsAt600By550Pixels) {
  const ResizeInputs dragged = Outer(400 * 15, 300 * 15);
  ExpectLayout(dragged, {9000, 8250, 6195, 6450, 6420, 6975, 8670, 6495, 6195});
  EXPECT_TRUE(FormResizeLayout(dragged)->Clamped(dragged));
  // SelectBtn (Top 5220, Height 315) still ends above the backup box.
  EXPECT_LE(5220.0f + 315.0f, FormResizeLayout(dragged)->backupFilechkTop);
}

TEST(FormResizeLayoutTest, OnlyTheDimensionBelowTheMinimumIsRaised) {
  const struct {
    float widthPixels, heightPixels, expectedWidthPixels, expectedHeightPixels;
  } cases[] = {
      {599, 700, 600, 700}, {700, 549, 700, 550}, {600, 550, 600, 550}, {601, 551, 601, 551}, {0, 0, 600, 550},
  };
  for (const auto& [width, height, expectedWidth, expectedHeight] : cases) {
    const ResizeInputs inputs = Outer(width * 15, height * 15);
    const auto layout = FormResizeLayout(inputs);
    ASSERT_TRUE(layout.has_value());
    EXPECT_EQ(layout->width, expectedWidth * 15) << width << " x " << height;
    EXPECT_EQ(layout->height, expectedHeight * 15) << width << " x " << height;
    EXPECT_EQ(layout->Clamped(inputs), width != expectedWidth || height != expectedHeight);
  }
}

TEST(FormResizeLayoutTest, MinimisedWindowChangesNothingAndMaximisedIsLaidOutAsAnyOther) {
  EXPECT_FALSE(FormResizeLayout(Outer(12000, 9000, 15, WindowState::kMinimised)).has_value());
  EXPECT_FALSE(FormResizeLayout(Outer(100, 100, 15, WindowState::kMinimised)).has_value());
  ExpectLayout(Outer(12000, 9000, 15, WindowState::kMaximised), {12000, 9000, 9195, 7200, 9420, 7725, 11670, 7245, 6945});
}

TEST(FormResizeLayoutTest, AtTwelveTwipsPerPixelEveryMarginShrinksInTwips) {
  EXPECT_EQ(MinimumWindowSize(12, 12).width, 7200.0f);
  EXPECT_EQ(MinimumWindowSize(12, 12).height, 6600.0f);
  ExpectLayout(Outer(12000, 9000, 12), {12000, 9000, 9285, 7560, 9465, 7980, 11736, 7596, 7356});
  ExpectLayout(Outer(6000, 4500, 12), {7200, 6600, 4485, 5160, 4665, 5580, 6936, 5196, 4956});
}

TEST(FormResizeLayoutTest, WiderColumnControlsNarrowTheList) {
  ResizeInputs inputs = Outer(12000, 9000);
  inputs.sortOptionsFrmWidth = 3000;
  inputs.sortBtnWidth = 2000;
  const auto layout = FormResizeLayout(inputs);
  ASSERT_TRUE(layout.has_value());
  EXPECT_EQ(layout->datDataListWidth, 8550.0f);
  EXPECT_EQ(layout->sortBtnLeft, 9775.0f);
  EXPECT_EQ(layout->sortOptionsFrmLeft, 9775.0f);
}

TEST(FormResizeLayoutTest, LayoutKeepsItsProportionsInPixelsAtAnyResolution) {
  for (const float dotsPerInch : {72.0f, 96.0f, 110.0f, 120.0f, 144.0f, 192.0f}) {
    const float tpp = 1440.0f / dotsPerInch;
    for (const float widthPixels : {400.0f, 600.0f, 1023.0f, 2560.0f}) {
      ResizeInputs inputs = Outer(widthPixels * tpp, 777.0f * tpp, tpp);
      inputs.sortOptionsFrmWidth = 157.0f * tpp;
      inputs.sortBtnWidth = 157.0f * tpp;
      const auto layout = FormResizeLayout(inputs);
      ASSERT_TRUE(layout.has_value());
      const float width = std::max(widthPixels, 600.0f);
      const auto pixels = [tpp](float twips) { return twips / tpp; };
      SCOPED_TRACE(::testing::Message() << dotsPerInch << " dpi, " << widthPixels << " pixels");
      EXPECT_NEAR(pixels(layout->width), width, 1e-3);
      EXPECT_NEAR(pixels(layout->datDataListWidth), width - 30 - 157, 1e-3);
      EXPECT_NEAR(pixels(layout->datDataListHeight), 777 - 120, 1e-3);
      EXPECT_NEAR(pixels(layout->sortBtnLeft), width - 15 - 157, 1e-3);
      EXPECT_NEAR(pixels(layout->kelvaneLogoTop), 777 - 85, 1e-3);
      EXPECT_NEAR(pixels(layout->kelvaneLogoWidth), width - 22, 1e-3);
      EXPECT_NEAR(pixels(layout->saveFileBtnTop), 777 - 85 - 32, 1e-3);
      EXPECT_NEAR(pixels(layout->backupFilechkTop), 777 - 85 - 32 - 20, 1e-3);
    }
  }
}

}  // namespace
}  // namespace kelvane::ui
