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
  PathStyle pathStyle = kNativePathStyle;
  std::function<bool(const std::string&)> folderExists = FolderExists;
};

// The main window's outer bounds in its normal state, in twips; each is set only when it has a value.
struct WindowGeometry {
  std::optional<float> width;
  std::optional<float> height;
  std::optional<float> left;
  std::optional<float> top;
};

// What the window's load handler applies, step by step. A step without a value was skipped (its
// stored text did not convert, or the control would refuse the value) and its target keeps the state
// the window was created with.
struct StartupPlan {
  // Steps 1-3: the stored folder, or the fallback when it does not exist; then step 11 may replace
  // it with the command line's folder. Always set.
  std::string datPath;
  std::optional<bool> backupFile;  // step 4: "Backup existing .DAT file" checked
  std::optional<int> sortOption;   // step 5: the SortOptionRB button to select, 0..2
  // Step 6: first, second and third coordinate key (axis 0 X, 1 Y, 2 Z); always a permutation.
  sorting::KeyOrder sortKeyOrder = sorting::kDefaultKeyOrder;
  // Step 7: per axis X, Y, Z, the index of the direction button that ends selected; nothing keeps
  // the pair as the window was created.
  std::array<std::optional<int>, 3> directionIndex;
  std::optional<bool> betweenSteps;         // step 8: "Sort Between Steps" checked
  std::optional<WindowState> windowState;   // step 9
  WindowGeometry geometry;                  // step 10
  std::optional<std::string> fileToOpen;    // step 11: the file named on the command line
};

StartupPlan PlanStartup(const SettingsStore& store, const StartupEnvironment& environment);

// Step 13: the entry of the file list to select once it is filled. The file named on the command
// line when the list has it (compared without regard to letter case), else the first entry, else
// nothing.
std::optional<std::size_t> EntryToSelect(const std::vector<std::string>& entries,
                                         const std::optional<std::string>& fileToOpen);

// The largest outer length a window can have, in pixels (Qt's QWIDGETSIZE_MAX). Stored geometry
// beyond it, or a size that is not positive, is a value the window refuses.
inline constexpr float kLargestWindowPixels = 16777215.0f;

}  // namespace kelvane::settings
