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
  for (std::size_t i = 0, m = 0; i + 1 < keys.size(); ++i, m = i) {
    for (std::size_t j = i + 1; j < keys.size(); ++j)
      m = (direction == 1 ? keys[m] > keys[j] : keys[m] < keys[j]) ? j : m;
    std::swap(keys[i], keys[m]), std::swap(items[start + i], items[start + m]);
  }
}

// Key `k` of a line: 0 to 2 the coordinates (fields 3 to 5), 3 the part number (the file name after
// the 14th field, or the last field, less four characters), 4 the color (field 2).
inline double PlainValue(std::string_view view, int k) {
  const std::string line(view);
  static const std::regex kField("[^ \t]+"), kName("[ \t]*(?:[^ \t]+[ \t]+){14}(.*?)[ \t]*");
  const std::vector<std::string> fields(std::sregex_token_iterator(line.begin(), line.end(), kField), {});
  const std::size_t i = k < 3 ? 2 + k : 1;
  if (k != 3) return NumericValue(i < fields.size() ? fields[i] : "");
  std::smatch name;
  const std::string file = fields.size() >= 15 && std::regex_match(line, name, kName) ? name[1].str()
                           : fields.empty()                                           ? ""
                                                                                      : fields.back();
  return NumericValue(file.size() > 4 ? file.substr(0, file.size() - 4) : "");
}

// Sorts the items (list indices) of a section by each key in turn, each run of adjacent items whose
// lines agree on every key before it; the keys are the coordinates in key order, or one of part and color.
inline void PlainSortSection(const document::LineList& lines, std::vector<std::size_t>& items,
                             const SortOptions& o) {
  std::vector<int> keys(o.keyOrder.begin(), o.keyOrder.end());
  if (!std::is_permutation(keys.begin(), keys.end(), std::array{0, 1, 2}.begin())) keys = {1, 2, 0};
  if (o.sortKey != SortKey::kCoordinates) keys = {o.sortKey == SortKey::kColor ? 4 : 3};
  const bool ascending[] = {o.xAscending, o.yAscending, o.zAscending, o.partAscending, o.colorAscending};
  const auto value = [&](std::size_t i, int k) { return PlainValue(lines.Text(items[i]), k); };
  for (std::size_t n = 0; n < keys.size(); ++n)
    for (std::size_t start = 0, end = 0; start < items.size(); start = end) {
      const auto same = [&](int k) { return value(end, k) == value(start, k); };
      for (end = start + 1; end < items.size() && std::all_of(keys.begin(), keys.begin() + n, same);) ++end;
      std::vector<float> sortKeys;
      for (std::size_t i = start; i < end; ++i) sortKeys.push_back(SortKeyFromValue(value(i, keys[n])));
      PlainSelectionSort(sortKeys, items, start, ascending[keys[n]] ? 1 : 0);
    }
}

// Role 0: a step; 1: a fence, which closes a section whether steps count or not; 2: an attached meta.
inline bool PlainIs(int role, std::string_view view) {
  const std::string text(view);
  static const auto kRegex = [](const char* pattern) { return std::regex(pattern, std::regex::icase); };
  static const std::regex kRoles[] = {
      kRegex("(.*STEP)|([ \t]*0[ \t]+(ROT)?STEP([ \t].*)?)"),
      kRegex("[ \t]*0[ \t]+(FILE|NOFILE|!DATA|BUFEXCHG|MLCAD[ \t]+SKIP_(BEGIN|END)|"
             "(!?LPUB|!LEOCAD)[ \t]+[^ \t]+[ \t]+(BEGIN|END|DIVIDER))([ \t].*)?"),
      kRegex("[ \t]*0[ \t]+(BFC[ \t]+INVERTNEXT|MLCAD[ \t]+BTG|!LEOCAD[ \t]+PIECE)([ \t].*)?")};
  return std::regex_match(text, kRoles[role]);
}
inline bool PlainIsBoundary(std::string_view t, bool steps) {
  return (steps && PlainIs(0, t)) || PlainIs(1, t);
}

// Sorts the checked lines; each carries the metas directly before it. Returns how many checked
// places got another line.
inline std::size_t PlainSortCheckedLines(document::LineList& lines, const SortOptions& options) {
  std::vector<std::size_t> from(lines.Size()), at;  // per checked place the line sorted into it; the section
  for (std::size_t i = 0; i <= lines.Size(); ++i) {
    if (i < lines.Size() && lines.IsChecked(i)) at.push_back(i);
    if (i < lines.Size() && !PlainIsBoundary(lines.Text(i), options.betweenSteps)) continue;
    std::vector<std::size_t> items = at;
    PlainSortSection(lines, items, options);
    for (std::size_t k = 0; k < at.size(); ++k) from[at[k]] = items[k];
    at.clear();
  }
  std::vector<bool> attached(lines.Size()), checks;
  for (std::size_t i = lines.Size(); i-- > 1;)
    attached[i - 1] = (lines.IsChecked(i) || attached[i]) && !lines.IsChecked(i - 1) &&
                      PlainIs(2, lines.Text(i - 1)) &&
                      !PlainIsBoundary(lines.Text(i - 1), options.betweenSteps);
  std::vector<std::string> texts;
  std::size_t moved = 0;
  for (std::size_t i = 0; i < lines.Size(); ++i) {
    const std::size_t to = lines.IsChecked(i) ? from[i] : i;  // an unchecked line stays, alone
    std::size_t meta = to;
    while (meta > 0 && attached[meta - 1]) --meta;
    for (moved += to != i; !attached[i] && meta <= to; ++meta)
      texts.emplace_back(lines.Text(meta)), checks.push_back(meta == from[i] && lines.IsChecked(i));
  }
  lines = document::LineList(texts);
  for (std::size_t i = 0; i < checks.size(); ++i) lines.SetChecked(i, checks[i]);
  return moved;
}

}  // namespace kelvane::sorting::testing
