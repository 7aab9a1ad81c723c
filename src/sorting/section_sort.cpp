// How one section is ordered: by coordinates (three key sorts, each refining the ties of the one
// before), by part number or by color.
#include <algorithm>
#include <iterator>

#include "sorting/sort_run.h"

namespace kelvane::sorting {

std::array<int, 3> EffectiveKeyOrder(const std::array<int, 3>& keyOrder) {
  std::array<int, 3> sorted = keyOrder;
  std::sort(sorted.begin(), sorted.end());
  if (sorted == std::array<int, 3>{kAxisX, kAxisY, kAxisZ}) return keyOrder;
  return {kAxisY, kAxisZ, kAxisX};
}

int SortRun::AxisDirection(int axis) const {
  const bool ascending = axis == kAxisX ? options_.xAscending : axis == kAxisY ? options_.yAscending : options_.zAscending;
  return ascending ? kAscending : kDescending;
}

void SortRun::SortSection() {
  switch (options_.sortKey) {
    case SortKey::kCoordinates: {
      const auto [first, second, third] = options_.keyOrder;
      SortByKey(first, AxisDirection(first));
      SortBySecondKey(first, second, AxisDirection(second));
      SortByThirdKey(first, second, third, AxisDirection(third));
      break;
    }
    case SortKey::kPartNumber:
      SortByKey(kKeyPartNumber, options_.partAscending ? kAscending : kDescending);
      break;
    case SortKey::kColor:
    default:
      SortByKey(kKeyColor, options_.colorAscending ? kAscending : kDescending);
      break;
  }
  std::move(SectionLines.begin(), SectionLines.end(), SortLines.begin() + static_cast<std::ptrdiff_t>(SectionStart));
}

}  // namespace kelvane::sorting
