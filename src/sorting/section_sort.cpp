// How one section is ordered: by coordinates (three key sorts, each refining the ties of the one
// before), by part number or by color.

#include <algorithm>

#include "sorting/line_fields.h"
#include "sorting/sort_run.h"

namespace kelvane::sorting {

int SortRun::AxisDirection(int axis) const {
  const bool ascending = axis == kAxisX   ? options_.xAscending
                         : axis == kAxisY ? options_.yAscending
                                          : options_.zAscending;
  return ascending ? kAscending : kDescending;
}

bool SortRun::SortByAllAxesAtOnce() {
  const auto [first, second, third] = options_.keyOrder;
  const std::size_t count = SectionLines.size();
  if (count > UINT32_MAX) return false;
  const bool ascending[] = {AxisDirection(kAxisX) == kAscending, AxisDirection(kAxisY) == kAscending,
                            AxisDirection(kAxisZ) == kAscending};
  const auto rank = [&](std::size_t i, int axis) {
    const auto a = static_cast<std::size_t>(axis);
    return PlacementRank(SortKeyFromValue(sectionCoordinates_[i][a]), ascending[a]);
  };
  rankedLines_.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    rankedLines_[i] = {std::uint64_t{rank(i, first)} << 32 | rank(i, second),
                       std::uint64_t{rank(i, third)} << 32 | i};
  }
  std::sort(rankedLines_.begin(), rankedLines_.end());
  // Neighbours in key order are enough to look at: lines tied on the first key, or on the first two,
  // stand together.
  const auto value = [&](const RankedLine& line, int axis) {
    return sectionCoordinates_[line.second & UINT32_MAX][static_cast<std::size_t>(axis)];
  };
  for (std::size_t k = 1; k < count; ++k) {
    const RankedLine& a = rankedLines_[k - 1];
    const RankedLine& b = rankedLines_[k];
    if (a.first >> 32 != b.first >> 32) continue;
    if (value(a, first) != value(b, first)) return false;
    if (a.first != b.first) continue;
    if (value(a, second) != value(b, second) || a.second >> 32 == b.second >> 32) return false;
  }
  reorderedLines_.resize(count);
  reorderedOrigins_.resize(count);
  for (std::size_t k = 0; k < count; ++k) {
    const std::size_t from = rankedLines_[k].second & UINT32_MAX;
    reorderedLines_[k] = SectionLines[from];
    reorderedOrigins_[k] = origins_[from];
  }
  SectionLines.swap(reorderedLines_);
  origins_.swap(reorderedOrigins_);
  return true;
}

void SortRun::SortSection() {
  switch (options_.sortKey) {
    case SortKey::kCoordinates: {
      // The three key sorts would read each line's coordinates up to six times; read them once, in
      // one pass over the line, and let them travel with the lines.
      struct ForgetCoordinates {
        bool& read;
        ~ForgetCoordinates() { read = false; }
      } forget{coordinatesRead_};
      sectionCoordinates_.resize(SectionLines.size());
      for (std::size_t i = 0; i < SectionLines.size(); ++i) {
        sectionCoordinates_[i] = CoordinateValues(lines_->TextOf(SectionLines[i]));
      }
      coordinatesRead_ = true;
      if (SortByAllAxesAtOnce()) break;
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
}

}  // namespace kelvane::sorting
