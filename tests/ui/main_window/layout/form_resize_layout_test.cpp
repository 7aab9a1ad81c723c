#include "ui/main_window/layout/form_resize_layout.h"

#include <gmock/gmock.h>

#include <array>

namespace kelvane::ui {
namespace {

using enum settings::WindowState;
using ::testing::Each, ::testing::FloatNear, ::testing::Pointwise;
using Figures = std::array<float, 9>;

// Window, list, column left, logo top and width, Save and backup tops, in twips / unit.
Figures Layout(const ResizeInputs& inputs, float unit = 1) {
  const auto l = FormResizeLayout(inputs);
  if (!l) return {};
  EXPECT_THAT((std::array{l->selectBtnLeft, l->sortOptionsFrmLeft, l->saveFileBtnLeft, l->backupFilechkLeft}),
              Each(l->sortBtnLeft));
  return {l->width / unit,          l->height / unit,          l->datDataListWidth / unit,
          l->datDataListHeight / unit, l->sortBtnLeft / unit,   l->kelvaneLogoTop / unit,
          l->kelvaneLogoWidth / unit, l->saveFileBtnTop / unit, l->backupFilechkTop / unit};
}

TEST(FormResizeLayoutTest, FiguresOfTheDefaultWindowAndOfA400By300Drag) {
  const struct { float width, height, tpp; Figures figures; } cases[] = {
      {12000, 9000, 15, {12000, 9000, 9195, 7200, 9420, 7725, 11670, 7245, 6945}},
      {6000, 4500, 15, {9000, 8250, 6195, 6450, 6420, 6975, 8670, 6495, 6195}},
      {12000, 9000, 12, {12000, 9000, 9285, 7560, 9465, 7980, 11736, 7596, 7356}},
      {6000, 4500, 12, {7200, 6600, 4485, 5160, 4665, 5580, 6936, 5196, 4956}},
  };
  for (const auto& [w, h, tpp, figures] : cases) {
    for (const auto state : {kNormal, kMaximised}) EXPECT_EQ(Layout({w, h, state, tpp, tpp}), figures) << w;
  }
  EXPECT_FALSE(FormResizeLayout({12000, 9000, kMinimised}).has_value());
}

// Every margin is pixels times twips per pixel, and only a dimension under 600 x 550 is raised.
TEST(FormResizeLayoutTest, MarginsAndMinimumHoldInPixelsAtAnyResolution) {
  for (const float tpp : {20.0f, 15.0f, 1440.0f / 110.0f, 12.0f, 10.0f, 7.5f}) {
    for (const auto [w, h, frame, button] : {std::array{0.f, 0.f, 157.f, 157.f}, {400, 777, 200, 133},
             {599, 700, 157, 157}, {700, 549, 157, 157}, {600, 550, 250, 157}, {2560, 551, 157, 90}}) {
      const ResizeInputs inputs{w * tpp, h * tpp, kNormal, tpp, tpp, frame * tpp, button * tpp};
      const float W = w < 600 ? 600 : w, H = h < 550 ? 550 : h;
      const Figures pixels{W, H, W - 30 - frame, H - 120, W - 15 - button, H - 85, W - 22, H - 117, H - 137};
      EXPECT_THAT(Layout(inputs, tpp), Pointwise(FloatNear(1e-3f), pixels)) << w << '@' << tpp;
      EXPECT_EQ(FormResizeLayout(inputs)->Clamped(inputs), w < 600 || h < 550) << w << " x " << h;
    }
  }
}

}  // namespace
}  // namespace kelvane::ui
