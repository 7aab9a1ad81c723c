#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kelvane::document {

// The open model file as the program holds it: one entry per line, in file order, each with the
// line's bytes exactly as read (no terminator) and a check mark. The check-mark count is kept up to
// date so that asking for it is O(1) even on files of millions of lines.
class LineList {
 public:
  LineList() = default;
  explicit LineList(std::vector<std::string> texts);

  std::size_t Size() const { return texts_.size(); }
  bool Empty() const { return texts_.empty(); }

  const std::string& Text(std::size_t index) const { return texts_[index]; }
  // Replaces the text; the check mark stays.
  void SetText(std::size_t index, std::string text) { texts_[index] = std::move(text); }
  // Exchanges the text with `text` without copying it; the check mark stays.
  void SwapText(std::size_t index, std::string& text) { texts_[index].swap(text); }

  bool IsChecked(std::size_t index) const { return checked_[index] != 0; }
  // Returns whether the mark really changed.
  bool SetChecked(std::size_t index, bool checked);
  std::size_t CheckedCount() const { return checkedCount_; }

  // Every entry unchecked, in file order.
  void Assign(std::vector<std::string> texts);
  void Clear();

  const std::vector<std::string>& Texts() const { return texts_; }

 private:
  std::vector<std::string> texts_;
  std::vector<std::uint8_t> checked_;
  std::size_t checkedCount_ = 0;
};

}  // namespace kelvane::document
