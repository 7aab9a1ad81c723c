#pragma once

#include <array>

#include "sorting/sort_options.h"

namespace kelvane::ui {

// The sort options panel as plain values: which of its controls are enabled for a sort key, how the
// swap buttons change the coordinate key order, where the axis frames stand for an order, and what
// the panel's selections mean to the sorting engine. The window only applies these answers.

using sorting::KeyOrder;

// What the enabling rule switches on for a sort key index (0 coordinates, 1 part number, 2 color).
// The rectangle round the coordinate controls is outlined in black exactly when they are enabled.
struct PanelEnabling {
  bool coordinateControls = false;  // the six axis buttons and the four swap buttons
  bool partNumberPair = false;
  bool colorPair = false;
  friend bool operator==(const PanelEnabling&, const PanelEnabling&) = default;
};
PanelEnabling EnablingForSortKey(int sortKeyIndex);

// Swap button 0 or 1 exchanges the 1st and 2nd keys, button 2 or 3 the 2nd and 3rd. Any other index
// leaves the order as it is.
KeyOrder SwapSortKeys(KeyOrder order, int buttonIndex);

// The three slots of the axis frames inside the panel: slot k (the (k+1)-th key) at 600 * (k + 1).
inline constexpr int kKeySlotSpacingTwips = 600;

// The Top of each axis frame, indexed by axis, for a key order. An order that is not a permutation
// of 0, 1 and 2 (only a hand-edited setting gives one) stands as the engine sorts it: Y, Z, X.
std::array<int, 3> CoordFrameTopsTwips(const KeyOrder& order);

// The panel's selections as the sort reads them. Only button 0 of each pair counts; when it is not
// selected the other one is taken to be. Color sorting is whatever is neither of the first two keys.
struct PanelSelections {
  bool byCoordinates = true;       // SortOptionRB(0)
  bool byPartNumber = false;       // SortOptionRB(1)
  bool partFirstSelected = true;   // SortPartOptRB(0) "Ascending"
  bool colorFirstSelected = true;  // SortColorOptRB(0) "Ascending"
  bool xFirstSelected = true;      // XSortOptRB(0) "+X to -X (R to L)": largest x first
  bool yFirstSelected = true;      // YSortOptRB(0) "+Y to -Y (B to T)": largest y first
  bool zFirstSelected = true;      // ZSortOptRB(0) "+Z to -Z (B to F)": largest z first
  bool betweenSteps = false;       // SortBtwnStpChk
  KeyOrder keyOrder = sorting::kDefaultKeyOrder;
};
sorting::SortOptions ReadSortOptions(const PanelSelections& selections);

}  // namespace kelvane::ui
