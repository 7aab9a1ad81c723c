#include "document/line_list.h"

#include <cstring>
#include <stdexcept>

namespace kelvane::document {

LineList::LineList(const std::vector<std::string>& texts) {
  std::size_t size = 0;
  for (const std::string& text : texts) size += text.size();
  if (size > kLargestModelSize) throw std::length_error("a model of 4 GiB or more");
  auto bytes = std::make_unique_for_overwrite<char[]>(size);
  std::vector<LineSpan> spans;
  spans.reserve(texts.size());
  std::size_t offset = 0;
  for (const std::string& text : texts) {
    if (!text.empty()) std::memcpy(bytes.get() + offset, text.data(), text.size());
    spans.push_back({static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(text.size())});
    offset += text.size();
  }
  *this = LineList(std::move(bytes), std::move(spans));
}

LineList::LineList(std::shared_ptr<const char[]> bytes, std::vector<LineSpan> lines)
    : bytes_(std::move(bytes)), spans_(std::move(lines)), checked_(spans_.size(), 0) {}

LineList::LineList(std::shared_ptr<const char[]> bytes, std::vector<LineSpan> lines,
                   std::vector<std::uint8_t> checks)
    : bytes_(std::move(bytes)), spans_(std::move(lines)), checked_(std::move(checks)) {
  if (checked_.size() != spans_.size()) throw std::invalid_argument("one check mark per line");
  for (std::uint8_t& mark : checked_) {
    mark = mark != 0 ? 1 : 0;
    checkedCount_ += mark;
  }
}

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

void LineList::Clear() { *this = LineList(); }

std::vector<std::string> LineList::Texts() const {
  std::vector<std::string> texts;
  texts.reserve(Size());
  for (const LineSpan span : spans_) texts.emplace_back(TextOf(span));
  return texts;
}

}  // namespace kelvane::document
