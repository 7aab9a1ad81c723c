// The sort command written as plainly as possible, every value read afresh from its line with
// regular expressions: the oracle the engine's tests and benchmarks compare it with.
#pragma once

#include <algorithm>
#include <array>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "document/line_list.h"
#include "sorting/numeric_value.h"
#include "sorting/sort_options.h"

namespace kelvane::sorting::testing {

// The selection sort written out plainly, in O(n^2): sorts `keys`, exchanging items[start + k] along with
// keys[k]; direction 1 is ascending, anything else descending.
template <typename T>
void PlainSelectionSort(std::vector<float>& keys, std::vector<T>& items, std::size_t start, int direction) {
  for (std::size_t i = 0; i + 1 < keys.size(); ++i) {
    std::size_t m = i;
    for (std::size_t j = i + 1; j < keys.size(); ++j)
      if (direction == 1 ? keys[m] > keys[j] : keys[m] < keys[j]) m = j;
    std::swap(keys[i], keys[m]);
    std::swap(items[start + i], items[start + m]);
  }
}

// Key `k` of a line: 0 to 2 the coordinates (fields 3 to 5), 3 the part number (the file name after
// the 14th field, or the last field, less four characters), 4 the color (field 2).
inline double PlainValue(const std::string& line, int k) {
  static const std::regex kField("[^ \t]+");
  static const std::regex kName("[ \t]*(?:[^ \t]+[ \t]+){14}(.*?)[ \t]*");
  std::vector<std::string> fields;
  for (std::sregex_iterator it(line.begin(), line.end(), kField), end; it != end; ++it)
    fields.push_back(it->str());
  const auto field = [&](std::size_t i) { return i < fields.size() ? fields[i] : std::string(); };
  if (k != 3) return NumericValue(field(k < 3 ? 2 + k : 1));
  std::smatch name;
  std::string file = fields.empty() ? "" : fields.back();
  if (fields.size() >= 15 && std::regex_match(line, name, kName)) file = name[1];
  return NumericValue(file.size() > 4 ? file.substr(0, file.size() - 4) : "");
}

// Sorts by key `key` each run of adjacent items (list indices) whose lines agree on every key of `run`.
inline void PlainSortRuns(const document::LineList& lines, std::vector<std::size_t>& items,
                          const std::vector<int>& run, int key, bool ascending) {
  const auto value = [&](std::size_t i, int k) { return PlainValue(lines.Text(items[i]), k); };
  for (std::size_t start = 0, end = 0; start < items.size(); start = end) {
    const auto same = [&](int k) { return value(end, k) == value(start, k); };
    for (end = start + 1; end < items.size() && std::all_of(run.begin(), run.end(), same);) ++end;
    std::vector<float> keys;
    for (std::size_t i = start; i < end; ++i) keys.push_back(SortKeyFromValue(value(i, key)));
    PlainSelectionSort(keys, items, start, ascending ? 1 : 0);
  }
}

inline void PlainSortSection(const document::LineList& lines, std::vector<std::size_t>& items,
                             const SortOptions& o) {
  if (o.sortKey == SortKey::kPartNumber) return PlainSortRuns(lines, items, {}, 3, o.partAscending);
  if (o.sortKey == SortKey::kColor) return PlainSortRuns(lines, items, {}, 4, o.colorAscending);
  std::array<int, 3> k = o.keyOrder;
  if (!std::is_permutation(k.begin(), k.end(), std::array{0, 1, 2}.begin())) k = {1, 2, 0};
  const std::array<bool, 3> ascending{o.xAscending, o.yAscending, o.zAscending};
  for (int n = 0; n < 3; ++n) PlainSortRuns(lines, items, {k.begin(), k.begin() + n}, k[n], ascending[k[n]]);
}

inline bool PlainIsStep(const std::string& text) {
  static const std::regex kStep("(.*STEP)|([ \t]*0[ \t]+(ROT)?STEP([ \t].*)?)", std::regex::icase);
  return std::regex_match(text, kStep);
}
inline bool PlainIsFence(const std::string& text) {  // closes a section whether steps count or not
  static const std::regex kFence(
      "[ \t]*0[ \t]+(FILE|NOFILE|!DATA|BUFEXCHG|MLCAD[ \t]+SKIP_(BEGIN|END)|"
      "(!?LPUB|!LEOCAD)[ \t]+[^ \t]+[ \t]+(BEGIN|END|DIVIDER))([ \t].*)?",
      std::regex::icase);
  return std::regex_match(text, kFence);
}
inline bool PlainIsAttachedMeta(const std::string& text) {
  static const std::regex kMeta(
      "[ \t]*0[ \t]+(BFC[ \t]+INVERTNEXT|MLCAD[ \t]+BTG|!LEOCAD[ \t]+PIECE)([ \t].*)?", std::regex::icase);
  return std::regex_match(text, kMeta);
}

// Sorts the checked lines; each carries the metas directly before it. Returns how many checked
// places got another line.
inline std::size_t PlainSortCheckedLines(document::LineList& lines, const SortOptions& options) {
  if (lines.CheckedCount() < 2) return 0;
  std::vector<std::size_t> from(lines.Size());  // per checked place: the line sorted into it
  std::vector<std::size_t> at;                  // where the lines of the open section stand
  for (std::size_t i = 0; i <= lines.Size(); ++i) {
    if (i < lines.Size() && lines.IsChecked(i)) at.push_back(i);
    if (i < lines.Size() && !(options.betweenSteps && PlainIsStep(lines.Text(i))) &&
        !PlainIsFence(lines.Text(i)))
      continue;
    std::vector<std::size_t> items = at;
    PlainSortSection(lines, items, options);
    for (std::size_t k = 0; k < at.size(); ++k) from[at[k]] = items[k];
    at.clear();
  }
  std::vector<bool> attached(lines.Size());
  for (std::size_t i = lines.Size(); i-- > 1;) {
    const std::string& before = lines.Text(i - 1);
    attached[i - 1] = (lines.IsChecked(i) || attached[i]) && !lines.IsChecked(i - 1) &&
                      PlainIsAttachedMeta(before) && !(options.betweenSteps && PlainIsStep(before)) &&
                      !PlainIsFence(before);
  }
  std::vector<std::string> texts;
  std::vector<bool> checks;
  std::size_t moved = 0;
  for (std::size_t i = 0; i < lines.Size(); ++i) {
    if (attached[i]) continue;
    const std::size_t to = lines.IsChecked(i) ? from[i] : i;  // an unchecked line stays, alone
    std::size_t meta = to;
    while (lines.IsChecked(i) && meta > 0 && attached[meta - 1]) --meta;
    for (moved += to != i; meta <= to; ++meta)
      texts.push_back(lines.Text(meta)), checks.push_back(meta == from[i] && lines.IsChecked(i));
  }
  lines.Assign(texts);
  for (std::size_t i = 0; i < checks.size(); ++i) lines.SetChecked(i, checks[i]);
  return moved;
}

}  // namespace kelvane::sorting::testing
