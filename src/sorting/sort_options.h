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

// The first, second and third coordinate key, as axis indices.
using KeyOrder = std::array<int, 3>;
// Y, then Z, then X: the order before anything is chosen or stored.
inline constexpr KeyOrder kDefaultKeyOrder{kAxisY, kAxisZ, kAxisX};

// The key order to sort coordinates by: `keyOrder` itself when it is a permutation of 0, 1 and 2,
// otherwise the default Y, Z, X. Only a hand-edited setting can bring another order, and skipping or
// repeating an axis would give a half-sorted result.
KeyOrder EffectiveKeyOrder(const KeyOrder& keyOrder);

// Everything a sort run needs to know, as a plain value: the window reads it off its sort options
// panel, the batch tool off its command line. The defaults are the window's first-run defaults.
struct SortOptions {
  SortKey sortKey = SortKey::kCoordinates;
  KeyOrder keyOrder = kDefaultKeyOrder;
  bool xAscending = true;   // "-X to +X (L to R)": smallest x first
  bool yAscending = false;  // "+Y to -Y (B to T)": largest y first
  bool zAscending = false;  // "+Z to -Z (B to F)": largest z first
  bool partAscending = true;
  bool colorAscending = true;
  bool betweenSteps = true;  // "Sort Between Steps"
};

}  // namespace kelvane::sorting
