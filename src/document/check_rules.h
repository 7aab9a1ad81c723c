#pragma once

#include <string_view>

#include "document/line_list.h"

namespace kelvane::document {

inline constexpr const char* kSelectAllCaption = "Select All";
inline constexpr const char* kDeselectAllCaption = "Deselect All";

// Only part-reference lines, whose very first character is "1", may carry a check mark. A line that
// begins with blanks before its "1" is not one.
inline bool IsCheckable(std::string_view text) { return !text.empty() && text.front() == '1'; }

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
