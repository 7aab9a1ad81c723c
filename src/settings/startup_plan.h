#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "settings/command_line.h"
#include "settings/settings_store.h"
#include "settings/window_state.h"
#include "sorting/sort_options.h"

namespace kelvane::settings {

// The screen as the start-up sequence sees it: twips per pixel and the screen's size in twips.
struct ScreenMetrics {
  float twipsPerPixelX = 15.0f;
  float twipsPerPixelY = 15.0f;
  float width = 0.0f;
  float height = 0.0f;
};

// Everything the start-up sequence needs besides the store.
struct StartupEnvironment {
  ScreenMetrics screen;
  // The window's outer size in twips as created, which it keeps when a stored size is refused.
  float windowWidth = 0.0f;
  float windowHeight = 0.0f;
  std::string commandLine;     // JoinArguments of the program's arguments
  std::string fallbackFolder;  // FallbackDatFolder(home)
  std::function<bool(const std::string&)> folderExists = FolderExists;
};

// The main window's outer bounds in its normal state, in twips; each is set only when it has a value.
struct WindowGeometry {
  std::optional<float> width;
  std::optional<float> height;
  std::optional<float> left;
  std::optional<float> top;
};

// What the window's load handler applies, in this order. A value that is missing was skipped (its
// stored text did not convert, or the control would refuse the value) and its target keeps the state
// the window was created with.
struct StartupPlan {
  // The stored folder, or the fallback when it does not exist; the command line's folder replaces it
  // when the command line names a model. Always set.
  std::string datPath;
  std::optional<bool> backupFile;  // "Backup existing .DAT file" checked
  std::optional<int> sortOption;   // the SortOptionRB button to select, 0..2
  // First, second and third coordinate key (axis 0 X, 1 Y, 2 Z); always a permutation.
  sorting::KeyOrder sortKeyOrder = sorting::kDefaultKeyOrder;
  // Per axis X, Y, Z, the index of the direction button that ends selected; nothing keeps the pair
  // as the window was created.
  std::array<std::optional<int>, 3> directionIndex;
  std::optional<bool> betweenSteps;  // "Sort Between Steps" checked
  std::optional<WindowState> windowState;
  WindowGeometry geometry;
  std::optional<std::string> fileToOpen;  // the file named on the command line
};

StartupPlan PlanStartup(const SettingsStore& store, const StartupEnvironment& environment);

// The entry of the file list to select once it is filled, which loads the first model: The file named on the
// command line when the list has it (compared without regard to letter case), else the first entry, else
// nothing.
std::optional<std::size_t> EntryToSelect(const std::vector<std::string>& entries,
                                         const std::optional<std::string>& fileToOpen);

// The largest outer length a window can have, in pixels (Qt's QWIDGETSIZE_MAX). Stored geometry
// beyond it, or a size that is not positive, is a value the window refuses.
inline constexpr float kLargestWindowPixels = 16777215.0f;

}  // namespace kelvane::settings
