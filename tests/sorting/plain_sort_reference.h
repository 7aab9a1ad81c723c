#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "document/line_list.h"
#include "sorting/sort_options.h"

namespace kelvane::sorting::testing {

using ExchangeList = std::vector<std::pair<std::size_t, std::size_t>>;

// The selection sort exactly as it is defined, in O(n^2): sorts `keys`, exchanging lines[start + k]
// along with keys[k]; direction 1 is ascending, anything else descending. Records the exchanges made
// when `exchanges` is given.
void PlainSelectionSort(std::vector<float>& keys, std::vector<std::string>& lines, std::size_t start,
                        int direction, ExchangeList* exchanges = nullptr);

// The whole sort command written as plainly as possible: every value read from its line whenever it
// is needed, sections collected line by line, the plain selection sort, no storage kept between
// sorts. The oracle the engine is compared with.
void PlainSortCheckedLines(document::LineList& lines, const SortOptions& options);

}  // namespace kelvane::sorting::testing
