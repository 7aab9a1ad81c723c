#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "document/line_list.h"

namespace kelvane::cli {

// A closed range of 1-based line numbers, first <= last.
struct LineRange {
  std::size_t first = 1;
  std::size_t last = 1;

  friend bool operator==(const LineRange&, const LineRange&) = default;
};

// Reads the value of --lines: comma-separated "A" or "A-B" with 1 <= A <= B, digits only, nothing
// empty between the commas. A number too large to hold means "to the end of any file" and is kept as
// the largest value, since numbers past the last line are ignored anyway. Returns nothing when the
// text is not such a list.
std::optional<std::vector<LineRange>> ParseLineRanges(std::string_view text);

// Checks the lines of --lines that take part in a sort run: those that can carry a check mark (they
// begin with "1") and whose numbers lie in a range. Numbers past the last line are ignored.
void CheckPartLines(document::LineList& lines, const std::vector<LineRange>& ranges);

}  // namespace kelvane::cli
