// The key sorts of a run: each fills SortKeys with the keys of a range of SectionLines and sorts it.
#include <span>
#include <stdexcept>
#include <utility>

#include "sorting/line_fields.h"
#include "sorting/sort_run.h"

namespace kelvane::sorting {

double KeyValue(std::string_view line, int key) {
  switch (key) {
    case kKeyX:
    case kKeyY:
    case kKeyZ:
      return NumericValue(CoordinateField(line, key));
    case kKeyPartNumber:
      return NumericValue(PartNameField(line));
    case kKeyColor:
      return NumericValue(ColorField(line));
    default:
      return 0.0;
  }
}

double SortRun::LineValue(std::size_t index, int key) const {
  if (coordinatesRead_ && key >= kKeyX && key <= kKeyZ)
    return sectionCoordinates_[index][static_cast<std::size_t>(key)];
  return KeyValue(lines_->TextOf(SectionLines[index]), key);
}

void SortRun::SortKeyedLines(int direction, std::size_t start) {
  if (start > SectionLines.size() || SortKeys.size() > SectionLines.size() - start) {
    throw std::out_of_range("more keys than section lines");
  }
  for (const auto& exchange : sorter_.Exchanges(SortKeys, direction == kAscending)) {
    std::swap(SortKeys[exchange.first], SortKeys[exchange.second]);
    const std::size_t first = start + exchange.first;
    const std::size_t second = start + exchange.second;
    std::swap(SectionLines[first], SectionLines[second]);
    std::swap(origins_[first], origins_[second]);
    if (coordinatesRead_) std::swap(sectionCoordinates_[first], sectionCoordinates_[second]);
  }
}

void SortRun::SortByKey(int key, int direction) {
  SortKeys.assign(SectionLines.size(), 0.0F);
  if (key < kKeyX || key > kKeyColor) return;
  for (std::size_t i = 0; i < SectionLines.size(); ++i) SortKeys[i] = SortKeyFromValue(LineValue(i, key));
  SortKeyedLines(direction, 0);
}

void SortRun::SortBySecondKey(int firstAxis, int axis, int direction) {
  runNumbers_.resize(SectionLines.size());
  std::uint32_t run = 0;
  double previous = 0.0;
  for (std::size_t i = 0; i < SectionLines.size(); ++i) {
    const double value = LineValue(i, firstAxis);
    if (i > 0 && value != previous) ++run;
    runNumbers_[i] = run;
    previous = value;
  }
  SortRuns(axis, direction);
}

void SortRun::SortByThirdKey(int firstAxis, int secondAxis, int axis, int direction) {
  runNumbers_.resize(SectionLines.size());
  std::uint32_t run = 0;
  double previousFirst = 0.0;
  double previousSecond = 0.0;
  for (std::size_t i = 0; i < SectionLines.size(); ++i) {
    const double first = LineValue(i, firstAxis);
    const double second = LineValue(i, secondAxis);
    if (i > 0 && (first != previousFirst || second != previousSecond)) ++run;
    runNumbers_[i] = run;
    previousFirst = first;
    previousSecond = second;
  }
  SortRuns(axis, direction);
}

void SortRun::SortRuns(int axis, int direction) {
  // Runs are told apart by the values the lines hold before any of them is sorted. That stays true:
  // sorting a run only moves lines inside it, and all of them share the run's values.
  const std::size_t count = SectionLines.size();
  std::size_t start = 0;
  for (std::size_t i = 1; i <= count; ++i) {
    if (i < count && runNumbers_[i] == runNumbers_[i - 1]) continue;
    if (i - start > 1) {
      SortKeys.resize(i - start);
      for (std::size_t k = 0; k < SortKeys.size(); ++k) {
        SortKeys[k] = SortKeyFromValue(LineValue(start + k, axis));
      }
      SortKeyedLines(direction, start);
    }
    start = i;
  }
}

}  // namespace kelvane::sorting
