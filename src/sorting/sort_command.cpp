#include "sorting/sort_command.h"

#include "sorting/sort_run.h"

namespace kelvane::sorting {

std::size_t SortCheckedLines(document::LineList& lines, const SortOptions& options) {
  if (lines.CheckedCount() < 2) return 0;
  SortRun run(options);
  return run.SortList(lines);
}

}  // namespace kelvane::sorting
