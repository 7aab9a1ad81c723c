#pragma once

#include <cstddef>
#include <functional>

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
//
// `progress`, when given, is told how many lines from the start of the list are in their final places
// each time that count grows, so that they can be written out while the rest is still being sorted:
// from any of the sorting threads, one call at a time, the last time with the list's size unless the
// sort fails. Lines before the count are never touched again; lines after it may change at any time.
using SortProgress = std::function<void(std::size_t finalLines)>;
std::size_t SortCheckedLines(document::LineList& lines, const SortOptions& options,
                             const SortProgress& progress = {});

}  // namespace kelvane::sorting
