#include "document/line_list.h"

namespace kelvane::document {

LineList::LineList(std::vector<std::string> texts) { Assign(std::move(texts)); }

bool LineList::SetChecked(std::size_t index, bool checked) {
  if (IsChecked(index) == checked) return false;
  checked_[index] = checked ? 1 : 0;
  if (checked) {
    ++checkedCount_;
  } else {
    --checkedCount_;
  }
  return true;
}

void LineList::Assign(std::vector<std::string> texts) {
  texts_ = std::move(texts);
  checked_.assign(texts_.size(), 0);
  checkedCount_ = 0;
}

void LineList::Clear() { Assign({}); }

}  // namespace kelvane::document
