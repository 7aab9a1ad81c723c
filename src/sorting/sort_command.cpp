#include "sorting/sort_command.h"

#include "sorting/sort_run.h"

namespace kelvane::sorting {

bool SortCheckedLines(document::LineList& lines, const SortOptions& options) {
  if (lines.CheckedCount() < 2) return false;
  SortRun run(options);
  run.SortList(lines);
  return true;
}

}  // namespace kelvane::sorting
