#include "document/line_splitter.h"

#include <cstring>

namespace kelvane::document {
namespace {

// The first `c` in [p, end), or end.
const char* Find(const char* p, const char* end, char c) {
  const void* found = std::memchr(p, c, static_cast<std::size_t>(end - p));
  return found == nullptr ? end : static_cast<const char*>(found);
}

}  // namespace

std::vector<LineSpan> SplitLines(std::string_view bytes) {
  std::vector<LineSpan> lines;
  // Model lines are rarely shorter than this; a good guess saves most of the vector's regrowth.
  lines.reserve(bytes.size() / 40 + 1);
  const char* const begin = bytes.data();
  const char* const end = begin + bytes.size();
  // The next CR and the next LF, each looked for with memchr only once the line start has passed the
  // last one found: every byte is scanned once per kind of end, however the two kinds are mixed.
  const char* nextCr = Find(begin, end, '\r');
  const char* nextLf = Find(begin, end, '\n');
  for (const char* p = begin; p != end;) {
    const char* const stop = nextCr < nextLf ? nextCr : nextLf;
    lines.push_back({static_cast<std::uint32_t>(p - begin), static_cast<std::uint32_t>(stop - p)});
    if (stop == end) break;
    p = stop + 1;
    if (*stop == '\r' && p != end && *p == '\n') ++p;
    if (nextCr < p) nextCr = Find(p, end, '\r');
    if (nextLf < p) nextLf = Find(p, end, '\n');
  }
  return lines;
}

}  // namespace kelvane::document
