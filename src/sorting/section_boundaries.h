#pragma once

#include <string_view>

namespace kelvane::sorting {

// Whether a line closes the open section, so that no part moves across it. Meta words compare
// without regard to ASCII case; fields are separated by runs of spaces and tabs.
// Always:
// - model boundaries: "0 FILE", "0 NOFILE", "0 !DATA" (parts never move from one sub-model into
//   another);
// - bracket metas that enclose parts: "0 !LPUB", "0 LPUB" or "0 !LEOCAD", any word, then "BEGIN",
//   "END" or "DIVIDER" ("0 !LPUB PLI BEGIN IGN", "0 !LEOCAD GROUP END"); "0 MLCAD SKIP_BEGIN" and
//   "0 MLCAD SKIP_END"; "0 BUFEXCHG ...". Moving a part across one would change the parts list,
//   a group or what an instruction tool skips.
// With `betweenSteps`, building steps too: a line whose last four characters are "STEP" ("0 STEP",
// but also "0 // next step"), and a line whose first two fields are "0" and "STEP" or "ROTSTEP"
// ("0 STEP " with a trailing blank, "0 ROTSTEP 0 90 0 ABS").
bool ClosesSection(std::string_view text, bool betweenSteps);

// A meta that belongs to the part line right after it: "0 BFC INVERTNEXT", "0 MLCAD BTG ..." (group
// membership) and "0 !LEOCAD PIECE ..." (piece settings). When that part moves, they move with it.
bool IsAttachedMetaLine(std::string_view text);

}  // namespace kelvane::sorting
