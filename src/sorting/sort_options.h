#pragma once

#include <array>

namespace kelvane::sorting {

// What the lines are sorted by; the values are the indices of the window's sort-key buttons and of
// the stored "SortOption" setting.
enum class SortKey { kCoordinates = 0, kPartNumber = 1, kColor = 2 };

// Axis indices of keyOrder: 0 = X, 1 = Y, 2 = Z.
inline constexpr int kAxisX = 0;
inline constexpr int kAxisY = 1;
inline constexpr int kAxisZ = 2;

// Everything a sort run needs to know, as a plain value: the window reads it off its sort options
// panel, the batch tool off its command line. The defaults are the window's first-run defaults.
struct SortOptions {
  SortKey sortKey = SortKey::kCoordinates;
  std::array<int, 3> keyOrder{kAxisY, kAxisZ, kAxisX};  // first, second, third coordinate key
  bool xAscending = true;   // "-X to +X (L to R)": smallest x first
  bool yAscending = false;  // "+Y to -Y (B to T)": largest y first
  bool zAscending = false;  // "+Z to -Z (B to F)": largest z first
  bool partAscending = true;
  bool colorAscending = true;
  bool betweenSteps = true;  // "Sort Between Steps"
};

}  // namespace kelvane::sorting
