#include "sorting/plain_sort_reference.h"

#include <algorithm>
#include <array>
#include <regex>

#include "sorting/line_fields.h"

namespace kelvane::sorting::testing {

namespace {

float Key(const std::string& line, int key) {
  switch (key) {
    case 0:
    case 1:
    case 2:
      return SortKeyFromValue(NumericValue(GetCoordinate(line, key)));
    case 3:
      return SortKeyFromValue(NumericValue(GetPartName(line)));
    default:
      return SortKeyFromValue(NumericValue(GetColor(line)));
  }
}

double Coordinate(const std::string& line, int axis) { return NumericValue(GetCoordinate(line, axis)); }

// Sorts the runs of adjacent lines that agree on every axis of `runAxes` by `axis`.
void SortRunsBy(std::vector<std::string>& section, const std::vector<int>& runAxes, int axis, int direction) {
  std::vector<float> keys;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= section.size(); ++i) {
    const bool continues =
        i > 0 && i < section.size() && std::all_of(runAxes.begin(), runAxes.end(), [&](int a) {
          return Coordinate(section[i], a) == Coordinate(section[i - 1], a);
        });
    if (i > 0 && !continues) {
      if (keys.size() > 1) PlainSelectionSort(keys, section, start, direction);
      keys.clear();
      start = i;
    }
    if (i < section.size()) keys.push_back(Key(section[i], axis));
  }
}

void SortSectionPlainly(std::vector<std::string>& section, const SortOptions& options) {
  const auto direction = [&](int axis) {
    return (axis == 0 ? options.xAscending : axis == 1 ? options.yAscending : options.zAscending) ? 1 : 0;
  };
  if (options.sortKey == SortKey::kCoordinates) {
    std::array<int, 3> order = options.keyOrder;
    if (!std::is_permutation(order.begin(), order.end(), std::array<int, 3>{0, 1, 2}.begin()))
      order = {1, 2, 0};
    std::vector<float> keys;
    for (const std::string& line : section) keys.push_back(Key(line, order[0]));
    PlainSelectionSort(keys, section, 0, direction(order[0]));
    SortRunsBy(section, {order[0]}, order[1], direction(order[1]));
    SortRunsBy(section, {order[0], order[1]}, order[2], direction(order[2]));
    return;
  }
  const bool part = options.sortKey == SortKey::kPartNumber;
  std::vector<float> keys;
  for (const std::string& line : section) keys.push_back(Key(line, part ? 3 : 4));
  PlainSelectionSort(keys, section, 0, (part ? options.partAscending : options.colorAscending) ? 1 : 0);
}

bool EndsSection(const std::string& text, bool betweenSteps) {
  static const std::regex kStep("STEP$", std::regex::icase);
  static const std::regex kModelBoundary("[ \t]*0[ \t]+(FILE|NOFILE|!DATA)([ \t].*)?", std::regex::icase);
  const std::string lastFour = text.size() >= 4 ? text.substr(text.size() - 4) : "";
  return (betweenSteps && std::regex_match(lastFour, kStep)) || std::regex_match(text, kModelBoundary);
}

}  // namespace

void PlainSelectionSort(std::vector<float>& keys, std::vector<std::string>& lines, std::size_t start,
                        int direction, ExchangeList* exchanges) {
  for (std::size_t i = 0; i + 1 < keys.size(); ++i) {
    std::size_t m = i;
    for (std::size_t j = i + 1; j < keys.size(); ++j) {
      if (direction == 1 ? keys[m] > keys[j] : keys[m] < keys[j]) m = j;
    }
    if (m != i) {
      std::swap(keys[i], keys[m]);
      std::swap(lines[start + i], lines[start + m]);
      if (exchanges != nullptr) exchanges->emplace_back(i, m);
    }
  }
}

void PlainSortCheckedLines(document::LineList& lines, const SortOptions& options) {
  if (lines.CheckedCount() < 2) return;
  std::vector<std::string> sorted;
  std::vector<std::string> section;
  const auto closeSection = [&] {
    if (section.size() > 1) SortSectionPlainly(section, options);
    sorted.insert(sorted.end(), section.begin(), section.end());
    section.clear();
  };
  for (std::size_t i = 0; i < lines.Size(); ++i) {
    if (lines.IsChecked(i)) section.push_back(lines.Text(i));
    if (EndsSection(lines.Text(i), options.betweenSteps)) closeSection();
  }
  closeSection();
  std::size_t next = 0;
  for (std::size_t i = 0; i < lines.Size(); ++i) {
    if (lines.IsChecked(i)) lines.SetText(i, sorted[next++]);
  }
}

}  // namespace kelvane::sorting::testing
