#pragma once

namespace kelvane::settings {

// The main window's state as it is stored under "WindowState" and used by the resize layout.
enum class WindowState : int { kNormal = 0, kMinimised = 1, kMaximised = 2 };

}  // namespace kelvane::settings
