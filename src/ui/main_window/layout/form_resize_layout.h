#pragma once

#include <optional>

#include "settings/window_state.h"

namespace kelvane::ui {

// What the resize handler reads, in twips: the window's outer size (borders, title bar and menu bar
// included), its state, the screen's twips per pixel and the current widths of the two controls
// whose widths the column is laid out by.
struct ResizeInputs {
  float width = 0.0f;
  float height = 0.0f;
  settings::WindowState windowState = settings::WindowState::kNormal;
  float twipsPerPixelX = 15.0f;
  float twipsPerPixelY = 15.0f;
  float sortOptionsFrmWidth = 2355.0f;
  float sortBtnWidth = 2355.0f;
};

// The window's outer size after the minimum was enforced, and every position and size the layout
// sets, in twips relative to the window's inner area. The line list, the command column and the
// logo follow the window's edges; everything not named here keeps its place from creation.
struct ResizeLayout {
  float width = 0.0f;
  float height = 0.0f;
  float datDataListWidth = 0.0f;
  float datDataListHeight = 0.0f;
  float sortBtnLeft = 0.0f;
  float selectBtnLeft = 0.0f;
  float sortOptionsFrmLeft = 0.0f;
  float kelvaneLogoTop = 0.0f;
  float kelvaneLogoWidth = 0.0f;
  float saveFileBtnLeft = 0.0f;
  float saveFileBtnTop = 0.0f;
  float backupFilechkLeft = 0.0f;
  float backupFilechkTop = 0.0f;

  // Whether the window must be resized to `width` x `height` (it was below the minimum).
  bool Clamped(const ResizeInputs& inputs) const { return width != inputs.width || height != inputs.height; }
};

// The smallest outer size of the main window: 600 x 550 pixels, in twips.
struct MinimumSize {
  float width;
  float height;
};
MinimumSize MinimumWindowSize(float twipsPerPixelX, float twipsPerPixelY);

// `Form_Resize`'s arithmetic. Nothing while the window is minimised: the controls keep the layout of
// the last normal or maximised size. Every margin is a number of pixels times twips per pixel, and
// the products are singles, so the layout keeps its proportions in pixels at any resolution.
std::optional<ResizeLayout> FormResizeLayout(const ResizeInputs& inputs);

}  // namespace kelvane::ui
