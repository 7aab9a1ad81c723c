#pragma once

#include <string_view>

#include "document/line_list.h"
#include "text/blank_fields.h"

namespace kelvane::document {

inline constexpr const char* kSelectAllCaption = "Select All";
inline constexpr const char* kDeselectAllCaption = "Deselect All";

// Only part-reference lines may carry a check mark: lines whose first character after any leading
// spaces or tabs is "1" ("1 4 ...", "  1 4 ...", but also "10" or "1x").
inline bool IsCheckable(std::string_view text) {
  const std::string_view rest = text::TrimBlanks(text);
  return !rest.empty() && rest.front() == '1';
}

// Sorting needs two lines at least.
inline bool SortAllowed(const LineList& lines) { return lines.CheckedCount() >= 2; }

// The check-mark rule, applied after the mark of entry `index` changed: a mark on a line that is not
// a part reference is taken off again. Returns whether it took one off.
bool EnforceCheckRule(LineList& lines, std::size_t index);

// The "Select All" / "Deselect All" toggle. With the caption "Select All" every checkable entry is
// checked; with any other caption every mark is cleared. Either way entry 0 is then checked if it is
// checkable. An empty list changes nothing. Returns the caption the button shows afterwards.
std::string_view ToggleSelection(LineList& lines, std::string_view caption);

}  // namespace kelvane::document
