#include "ui/main_window/sort_panel_rules.h"

#include <utility>

#include "sorting/sort_options.h"

namespace kelvane::ui {

PanelEnabling EnablingForSortKey(int sortKeyIndex) {
  return PanelEnabling{sortKeyIndex == 0, sortKeyIndex == 1, sortKeyIndex == 2};
}

KeyOrder SwapSortKeys(KeyOrder order, int buttonIndex) {
  if (buttonIndex == 0 || buttonIndex == 1) std::swap(order[0], order[1]);
  if (buttonIndex == 2 || buttonIndex == 3) std::swap(order[1], order[2]);
  return order;
}

std::array<int, 3> CoordFrameTopsTwips(const KeyOrder& order) {
  const KeyOrder usable = sorting::EffectiveKeyOrder(order);
  std::array<int, 3> tops{};
  for (int slot = 0; slot < 3; ++slot) tops[usable[slot]] = kKeySlotSpacingTwips * (slot + 1);
  return tops;
}

sorting::SortOptions ReadSortOptions(const PanelSelections& selections) {
  sorting::SortOptions options;
  options.sortKey = selections.byCoordinates  ? sorting::SortKey::kCoordinates
                    : selections.byPartNumber ? sorting::SortKey::kPartNumber
                                              : sorting::SortKey::kColor;
  options.keyOrder = sorting::EffectiveKeyOrder(selections.keyOrder);
  // Button 0 of each axis pair runs from the plus side: the largest coordinate first.
  options.xAscending = !selections.xFirstSelected;
  options.yAscending = !selections.yFirstSelected;
  options.zAscending = !selections.zFirstSelected;
  options.partAscending = selections.partFirstSelected;
  options.colorAscending = selections.colorFirstSelected;
  options.betweenSteps = selections.betweenSteps;
  return options;
}

}  // namespace kelvane::ui
