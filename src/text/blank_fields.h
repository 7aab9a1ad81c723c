#pragma once

#include <string_view>

namespace kelvane::text {

// Model lines separate their fields by runs of blanks: spaces and tabs, as editors that align columns
// write them. Nothing else is a blank; a line feed or a no-break space is part of a field.
constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }

constexpr std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Reads the fields of a line from left to right; blanks before the first field are skipped.
class FieldReader {
 public:
  constexpr explicit FieldReader(std::string_view line) : line_(line) {}

  // The next field, or an empty view once the line has no more.
  constexpr std::string_view Next() {
    while (position_ < line_.size() && IsBlank(line_[position_])) ++position_;
    const std::size_t start = position_;
    while (position_ < line_.size() && !IsBlank(line_[position_])) ++position_;
    return line_.substr(start, position_ - start);
  }

  // Everything after the fields read so far, without the blanks around it.
  constexpr std::string_view Rest() const { return TrimBlanks(line_.substr(position_)); }

 private:
  std::string_view line_;
  std::size_t position_ = 0;
};

}  // namespace kelvane::text
