// kelvane-sort --lines: any text is either refused or read as ranges that print and read back the
// same, and checking lines by them marks exactly the part lines inside a range, however large.
#include <algorithm>
#include <string>

#include "cli/line_ranges.h"
#include "fuzz_check.h"

namespace cli = kelvane::cli;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto ranges = cli::ParseLineRanges(text);
  if (!ranges) return 0;
  FUZZ_CHECK(text.find_first_not_of("0123456789,-") == std::string_view::npos);

  std::string printed;
  for (const auto& range : *ranges) {
    FUZZ_CHECK(1 <= range.first && range.first <= range.last);
    printed += (printed.empty() ? "" : ",") + std::to_string(range.first) + "-" + std::to_string(range.last);
  }
  FUZZ_CHECK(cli::ParseLineRanges(printed) == ranges);

  kelvane::document::LineList lines(
      {"0 model", "1 16 0 0 0", "1 4 0 0 0", "0 STEP", "1 1 0 0 0", "1 2 0 0 0"});
  cli::CheckPartLines(lines, *ranges);
  for (std::size_t i = 0; i < lines.Size(); ++i) {
    const bool inRange = std::any_of(ranges->begin(), ranges->end(), [&](const cli::LineRange& r) {
      return r.first <= i + 1 && i + 1 <= r.last;
    });
    FUZZ_CHECK(lines.IsChecked(i) == (inRange && lines.Text(i)[0] == '1'));
  }
  return 0;
}
