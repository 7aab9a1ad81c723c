#include "ui/main_window/layout/form_resize_layout.h"

#include <gmock/gmock.h>

#include <array>

namespace kelvane::ui {
namespace {

using enum settings::WindowState;

// Window, list, column left, logo top and width, Save and backup tops in twips, and whether the
// window must be resized, for a window that is 400 x 300 pixels or its default 800 x 600 and for one
// whose pixels are not square, beside a frame and a button of their own widths.
TEST(FormResizeLayoutTest, TheColumnAndTheLogoFollowTheEdgesAndAWindowBelow600By550IsRaised) {
  const std::pair<ResizeInputs, std::array<float, 10>> cases[] = {
      {{12000, 9000, kNormal, 15, 15}, {12000, 9000, 9195, 7200, 9420, 7725, 11670, 7245, 6945, 0}},
      {{6000, 4500, kNormal, 15, 15}, {9000, 8250, 6195, 6450, 6420, 6975, 8670, 6495, 6195, 1}},
      {{12000, 9000, kNormal, 12, 12}, {12000, 9000, 9285, 7560, 9465, 7980, 11736, 7596, 7356, 0}},
      {{7199, 9000, kNormal, 12, 15, 2000, 3000}, {7200, 9000, 4840, 7200, 4020, 7725, 6936, 7245, 6945, 1}},
  };
  for (const auto& [in, figures] : cases) {
    for (const auto state : {kNormal, kMaximised}) {
      auto inputs = in;
      inputs.windowState = state;
      const auto l = FormResizeLayout(inputs).value();
      EXPECT_THAT((std::array{l.selectBtnLeft, l.sortOptionsFrmLeft, l.saveFileBtnLeft, l.backupFilechkLeft}),
                  ::testing::Each(l.sortBtnLeft));
      EXPECT_EQ((std::array{l.width, l.height, l.datDataListWidth, l.datDataListHeight, l.sortBtnLeft,
                            l.kelvaneLogoTop, l.kelvaneLogoWidth, l.saveFileBtnTop, l.backupFilechkTop,
                            l.Clamped(inputs) ? 1.0f : 0.0f}),
                figures)
          << in.width << " @ " << in.twipsPerPixelX;
    }
  }
  EXPECT_FALSE(FormResizeLayout({9000, 8250, kNormal}).value().Clamped({9000, 8250, kNormal}));
  EXPECT_FALSE(FormResizeLayout({12000, 9000, kMinimised}).has_value());
}

}  // namespace
}  // namespace kelvane::ui
