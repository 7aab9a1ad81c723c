#pragma once

#include <cstddef>

#include "document/line_list.h"
#include "sorting/sort_options.h"

namespace kelvane::sorting {

// The "Sort File" command, shared by the window and the batch tool. Sorts the checked lines among
// their own positions, section by section: sections end at model boundaries and bracket metas, and
// at building steps when options.betweenSteps is set. A checked line's attached metas move with it;
// every other line keeps its order relative to the checked lines' places, and each line keeps its
// check mark. Returns how many checked lines took another one's place: 0 when the list is exactly
// as it was, as it always is with fewer than two checked lines. A key order that is not a
// permutation of 0, 1, 2 is taken as Y, Z, X. A large list is cut into parts at section ends, which
// are sorted on threads of their own. Should anything fail (memory), every section is either sorted
// or exactly as it was, and the exception is passed on.
std::size_t SortCheckedLines(document::LineList& lines, const SortOptions& options);

}  // namespace kelvane::sorting
