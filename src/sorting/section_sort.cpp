// How one section is ordered: by coordinates (three key sorts, each refining the ties of the one
// before), by part number or by color.

#include "sorting/line_fields.h"
#include "sorting/sort_run.h"

namespace kelvane::sorting {

int SortRun::AxisDirection(int axis) const {
  const bool ascending = axis == kAxisX   ? options_.xAscending
                         : axis == kAxisY ? options_.yAscending
                                          : options_.zAscending;
  return ascending ? kAscending : kDescending;
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
