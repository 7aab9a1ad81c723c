#pragma once

#include "document/line_list.h"
#include "sorting/sort_options.h"

namespace kelvane::sorting {

// The "Sort File" command, shared by the window and the batch tool. Sorts the checked lines among
// their own positions, section by section (sections end at model boundaries, and at STEP lines when
// options.betweenSteps is set); unchecked lines and all check marks stay where they are. With fewer
// than two checked lines it returns false and changes nothing; otherwise it returns true.
// A key order that is not a permutation of 0, 1, 2 is taken as Y, Z, X.
bool SortCheckedLines(document::LineList& lines, const SortOptions& options);

}  // namespace kelvane::sorting
