#include "cli/line_ranges.h"

#include <algorithm>
#include <limits>

#include "document/check_rules.h"

namespace kelvane::cli {
namespace {

// Reads one run of ASCII digits from the front of text. A value past size_t's range saturates.
std::optional<std::size_t> TakeNumber(std::string_view& text) {
  constexpr std::size_t kMax = std::numeric_limits<std::size_t>::max();
  std::size_t digits = 0;
  std::size_t value = 0;
  while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
    const std::size_t digit = static_cast<std::size_t>(text[digits] - '0');
    value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    ++digits;
  }
  if (digits == 0) return std::nullopt;
  text.remove_prefix(digits);
  return value;
}

std::optional<LineRange> ParseOneRange(std::string_view item) {
  const auto first = TakeNumber(item);
  if (!first || *first == 0) return std::nullopt;
  if (item.empty()) return LineRange{*first, *first};
  if (item.front() != '-') return std::nullopt;
  item.remove_prefix(1);
  const auto last = TakeNumber(item);
  if (!last || !item.empty() || *last < *first) return std::nullopt;
  return LineRange{*first, *last};
}

}  // namespace

std::optional<std::vector<LineRange>> ParseLineRanges(std::string_view text) {
  std::vector<LineRange> ranges;
  for (;;) {
    const auto comma = text.find(',');
    const auto range = ParseOneRange(text.substr(0, comma));
    if (!range) return std::nullopt;
    ranges.push_back(*range);
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  return ranges;
}

void CheckPartLines(document::LineList& lines, const std::vector<LineRange>& ranges) {
  for (const LineRange& range : ranges) {
    // Only the part of a range that lies inside the file is walked, so "1-999999999" costs no more
    // than the file's length.
    const std::size_t end = std::min(range.last, lines.Size());
    for (std::size_t number = range.first; number <= end; ++number) {
      if (document::IsCheckable(lines.Text(number - 1))) lines.SetChecked(number - 1, true);
    }
  }
}

}  // namespace kelvane::cli
