// The line reader keeps every byte that is not part of a line end, in order, ends a line at each
// CR LF, lone CR and lone LF, and marks each part line.
#include <fuzzer/FuzzedDataProvider.h>

#include "document/check_rules.h"
#include "document/line_splitter.h"
#include "fuzz_check.h"

using kelvane::document::LineSpan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::vector<std::uint8_t> marks;
  const auto lines = kelvane::document::SplitLines(bytes, &marks);
  FUZZ_CHECK(marks.size() == lines.size());

  // Each CR LF, lone CR and lone LF ends one line; only a last line without an end adds one more.
  std::string kept;
  std::size_t ends = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n' && i > 0 && bytes[i - 1] == '\r') continue;
    if (bytes[i] == '\r' || bytes[i] == '\n')
      ++ends;
    else
      kept += bytes[i];
  }
  const bool openLast = !bytes.empty() && bytes.back() != '\r' && bytes.back() != '\n';
  FUZZ_CHECK(lines.size() == ends + (openLast ? 1 : 0));
  std::string joined;
  std::size_t next = 0;  // lines follow each other through the buffer, one line end apart
  for (std::size_t k = 0; k < lines.size(); ++k) {
    const LineSpan line = lines[k];
    FUZZ_CHECK(line.offset >= next && line.offset <= next + 2 && line.offset + line.length <= bytes.size());
    joined.append(bytes, line.offset, line.length);
    const std::string_view text = std::string_view(bytes).substr(line.offset, line.length);
    FUZZ_CHECK(marks[k] == (kelvane::document::IsCheckable(text) ? 1 : 0));
    next = line.offset + line.length + 1;
  }
  FUZZ_CHECK(joined == kept);
  return 0;
}
