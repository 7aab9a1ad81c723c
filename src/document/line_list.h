#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane::document {

// Where one line's bytes stand in the model's buffer (no terminator). Eight bytes a line keep the
// table of a ten-million-line model small; the price is that a model must stay below 4 GiB.
struct LineSpan {
  std::uint32_t offset = 0;
  std::uint32_t length = 0;
};

// The largest model the 32-bit spans can describe.
inline constexpr std::uint64_t kLargestModelSize = UINT32_MAX;

// The open model file as the program holds it: the file's bytes in one buffer, exactly as read, and
// one span and one check mark per line, in the lines' current order. Sorting reorders the spans and
// marks; the bytes themselves are never copied or changed, so a line is always exactly what was read,
// and copies of a list share them.
// The check-mark count is kept up to date so that asking for it is O(1) even on millions of lines.
class LineList {
 public:
  LineList() = default;
  // The texts laid end to end in a buffer of their own, one line each; every entry unchecked.
  explicit LineList(const std::vector<std::string>& texts);
  // Holds a buffer of no more than kLargestModelSize bytes with spans into it; every entry unchecked,
  // or, with `checks` (one per line), checked where its mark is not 0.
  LineList(std::shared_ptr<const char[]> bytes, std::vector<LineSpan> lines);
  LineList(std::shared_ptr<const char[]> bytes, std::vector<LineSpan> lines,
           std::vector<std::uint8_t> checks);

  std::size_t Size() const { return spans_.size(); }
  bool Empty() const { return spans_.empty(); }

  std::string_view Text(std::size_t index) const { return TextOf(spans_[index]); }
  std::string_view TextOf(LineSpan span) const { return {bytes_.get() + span.offset, span.length}; }

  LineSpan Span(std::size_t index) const { return spans_[index]; }
  // Puts another line of the same buffer at `index`; the check mark stays.
  void SetSpan(std::size_t index, LineSpan span) { spans_[index] = span; }

  // Puts a line and its mark at `index`, as one step of a reordering that moves marks between entries
  // without changing how many there are: the count is not touched, so reorderings of entries that do
  // not overlap may go on at once.
  void Place(std::size_t index, LineSpan span, bool checked) {
    spans_[index] = span;
    checked_[index] = checked ? 1 : 0;
  }

  bool IsChecked(std::size_t index) const { return checked_[index] != 0; }
  // Returns whether the mark really changed.
  bool SetChecked(std::size_t index, bool checked);
  std::size_t CheckedCount() const { return checkedCount_; }

  void Clear();

  // A copy of every line's text, in order, for comparisons.
  std::vector<std::string> Texts() const;

 private:
  std::shared_ptr<const char[]> bytes_;
  std::vector<LineSpan> spans_;
  std::vector<std::uint8_t> checked_;
  std::size_t checkedCount_ = 0;
};

}  // namespace kelvane::document
