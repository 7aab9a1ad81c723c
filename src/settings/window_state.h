#pragma once

namespace kelvane::settings {

// The main window's state as it is stored under "WindowState" and used by the resize layout.
enum class WindowState : int { kNormal = 0, kMinimised = 1, kMaximised = 2 };

// The smallest outer size of the main window, in pixels: the controls need it.
inline constexpr float kMinimumWindowWidthPixels = 600.0f;
inline constexpr float kMinimumWindowHeightPixels = 550.0f;

}  // namespace kelvane::settings
