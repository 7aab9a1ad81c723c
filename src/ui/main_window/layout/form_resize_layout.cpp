#include "ui/main_window/layout/form_resize_layout.h"

namespace kelvane::ui {
namespace {

// Margins of the layout in pixels.
constexpr float kListHeightAllowance = 120.0f;
constexpr float kListWidthAllowance = 30.0f;
constexpr float kColumnRightMargin = 15.0f;
constexpr float kLogoOffsetFromBottom = 85.0f;
constexpr float kLogoWidthAllowance = 22.0f;
constexpr float kSaveButtonAboveLogo = 32.0f;
constexpr float kBackupBoxAboveSaveButton = 20.0f;

}  // namespace

MinimumSize MinimumWindowSize(float twipsPerPixelX, float twipsPerPixelY) {
  return {settings::kMinimumWindowWidthPixels * twipsPerPixelX,
          settings::kMinimumWindowHeightPixels * twipsPerPixelY};
}

std::optional<ResizeLayout> FormResizeLayout(const ResizeInputs& inputs) {
  if (inputs.windowState == settings::WindowState::kMinimised) return std::nullopt;
  const float tx = inputs.twipsPerPixelX;
  const float ty = inputs.twipsPerPixelY;

  // A window exactly at the minimum is left alone.
  ResizeLayout layout;
  const MinimumSize minimum = MinimumWindowSize(tx, ty);
  layout.width = minimum.width > inputs.width ? minimum.width : inputs.width;
  layout.height = minimum.height > inputs.height ? minimum.height : inputs.height;

  layout.datDataListHeight = layout.height - kListHeightAllowance * ty;
  layout.datDataListWidth = layout.width - (kListWidthAllowance * tx + inputs.sortOptionsFrmWidth);
  layout.sortBtnLeft = layout.width - (kColumnRightMargin * tx + inputs.sortBtnWidth);
  layout.selectBtnLeft = layout.sortBtnLeft;
  layout.sortOptionsFrmLeft = layout.sortBtnLeft;
  layout.kelvaneLogoTop = layout.height - kLogoOffsetFromBottom * ty;
  layout.kelvaneLogoWidth = layout.width - kLogoWidthAllowance * tx;
  layout.saveFileBtnLeft = layout.sortBtnLeft;
  layout.saveFileBtnTop = layout.kelvaneLogoTop - kSaveButtonAboveLogo * ty;
  layout.backupFilechkLeft = layout.saveFileBtnLeft;
  layout.backupFilechkTop = layout.saveFileBtnTop - kBackupBoxAboveSaveButton * ty;
  return layout;
}

}  // namespace kelvane::ui
