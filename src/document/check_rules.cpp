#include "document/check_rules.h"

namespace kelvane::document {

bool EnforceCheckRule(LineList& lines, std::size_t index) {
  if (!lines.IsChecked(index) || IsCheckable(lines.Text(index))) return false;
  return lines.SetChecked(index, false);
}

std::string_view ToggleSelection(LineList& lines, std::string_view caption) {
  if (lines.Empty()) return caption;
  const bool selectAll = caption == kSelectAllCaption;
  for (std::size_t i = 0; i < lines.Size(); ++i) {
    lines.SetChecked(i, selectAll && IsCheckable(lines.Text(i)));
  }
  if (IsCheckable(lines.Text(0))) lines.SetChecked(0, true);
  return selectAll ? kDeselectAllCaption : kSelectAllCaption;
}

}  // namespace kelvane::document
