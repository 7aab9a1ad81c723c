// The sort command written as plainly as possible, every value read afresh from its line: the oracle
// the engine's tests and benchmarks compare it with.
#pragma once

#include <algorithm>
#include <array>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "document/line_list.h"
#include "sorting/line_fields.h"
#include "sorting/sort_options.h"

namespace kelvane::sorting::testing {

using ExchangeList = std::vector<std::pair<std::size_t, std::size_t>>;

// The selection sort as defined, in O(n^2): sorts `keys`, exchanging lines[start + k] along with
// keys[k]; direction 1 is ascending, anything else descending.
inline void PlainSelectionSort(std::vector<float>& keys, std::vector<std::string>& lines, std::size_t start,
                               int direction, ExchangeList* exchanges = nullptr) {
  for (std::size_t i = 0; i + 1 < keys.size(); ++i) {
    std::size_t m = i;
    for (std::size_t j = i + 1; j < keys.size(); ++j) {
      if (direction == 1 ? keys[m] > keys[j] : keys[m] < keys[j]) m = j;
    }
    if (m == i) continue;
    std::swap(keys[i], keys[m]);
    std::swap(lines[start + i], lines[start + m]);
    if (exchanges != nullptr) exchanges->emplace_back(i, m);
  }
}

// Sorts by key `key` (0 to 2 the coordinates, 3 the part number, 4 the color) each run of adjacent
// lines whose values agree on every key of `run`.
inline void PlainSortRuns(std::vector<std::string>& lines, const std::vector<int>& run, int key,
                          bool ascending) {
  const auto value = [&](std::size_t i, int k) {
    const std::string& s = lines[i];
    return NumericValue(k < 3 ? GetCoordinate(s, k) : k == 3 ? GetPartName(s) : GetColor(s));
  };
  for (std::size_t start = 0, end = 0; start < lines.size(); start = end) {
    const auto same = [&](int k) { return value(end, k) == value(start, k); };
    for (end = start + 1; end < lines.size() && std::all_of(run.begin(), run.end(), same);) ++end;
    std::vector<float> keys;
    for (std::size_t i = start; i < end; ++i) keys.push_back(SortKeyFromValue(value(i, key)));
    PlainSelectionSort(keys, lines, start, ascending ? 1 : 0);
  }
}

inline void PlainSortSection(std::vector<std::string>& lines, const SortOptions& o) {
  if (o.sortKey == SortKey::kPartNumber) return PlainSortRuns(lines, {}, 3, o.partAscending);
  if (o.sortKey == SortKey::kColor) return PlainSortRuns(lines, {}, 4, o.colorAscending);
  std::array<int, 3> k = o.keyOrder;
  if (!std::is_permutation(k.begin(), k.end(), std::array{0, 1, 2}.begin())) k = {1, 2, 0};
  const std::array<bool, 3> ascending{o.xAscending, o.yAscending, o.zAscending};
  for (int n = 0; n < 3; ++n) PlainSortRuns(lines, {k.begin(), k.begin() + n}, k[n], ascending[k[n]]);
}

inline void PlainSortCheckedLines(document::LineList& lines, const SortOptions& options) {
  static const std::regex kStep("STEP$", std::regex::icase);
  static const std::regex kModel("[ \t]*0[ \t]+(FILE|NOFILE|!DATA)([ \t].*)?", std::regex::icase);
  if (lines.CheckedCount() < 2) return;
  std::vector<std::size_t> at;  // where the lines of the open section stand
  for (std::size_t i = 0; i <= lines.Size(); ++i) {
    if (i < lines.Size() && lines.IsChecked(i)) at.push_back(i);
    if (i < lines.Size() && !(options.betweenSteps && std::regex_search(lines.Text(i), kStep)) &&
        !std::regex_match(lines.Text(i), kModel))
      continue;
    std::vector<std::string> section;
    for (const std::size_t k : at) section.push_back(lines.Text(k));
    PlainSortSection(section, options);
    for (std::size_t k = 0; k < at.size(); ++k) lines.SetText(at[k], section[k]);
    at.clear();
  }
}

}  // namespace kelvane::sorting::testing
