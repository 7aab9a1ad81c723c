// The line reader gives the same lines however the file arrives in blocks, and keeps every byte that
// is not part of a line end.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>

#include "document/line_splitter.h"
#include "fuzz_check.h"

using kelvane::document::LineSplitter;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const auto blockSizes = input.ConsumeBytes<std::uint8_t>(input.ConsumeIntegralInRange(1, 8));
  const std::string bytes = input.ConsumeRemainingBytesAsString();

  LineSplitter whole;
  whole.Feed(bytes);
  const auto lines = whole.Finish();

  LineSplitter blocks;
  std::string_view rest = bytes;
  blocks.Feed({});
  for (std::size_t i = 0; !rest.empty(); ++i) {
    const std::size_t length = std::min<std::size_t>(rest.size(), 1 + blockSizes[i % blockSizes.size()]);
    blocks.Feed(rest.substr(0, length));
    rest.remove_prefix(length);
  }
  FUZZ_CHECK(blocks.Finish() == lines);

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
  for (const auto& line : lines) joined += line;
  FUZZ_CHECK(joined == kept);
  return 0;
}
