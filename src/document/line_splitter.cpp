#include "document/line_splitter.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace kelvane::document {
namespace {

// The first CR or LF in [p, end), or end. Looks at eight bytes at a time: a word holds a byte below
// 14 (CR is 13, LF 10) exactly when (x - 0x0E...) & ~x & 0x80... is not zero, and its lowest such
// byte is the first one; that byte is then looked at on its own, since tabs and other control
// bytes pass the test too. A large model is read several times faster this way than byte by byte.
const char* FindLineEnd(const char* p, const char* const end) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull;
  constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
  while (end - p >= 8) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    if constexpr (std::endian::native != std::endian::little) word = __builtin_bswap64(word);
    const std::uint64_t below14 = (word - kOnes * 14) & ~word & kHighBits;
    if (below14 == 0) {
      p += 8;
      continue;
    }
    p += __builtin_ctzll(below14) / 8;
    if (*p == '\r' || *p == '\n') return p;
    ++p;
  }
  while (p != end && *p != '\r' && *p != '\n') ++p;
  return p;
}

}  // namespace

std::vector<LineSpan> SplitLines(std::string_view bytes) {
  std::vector<LineSpan> lines;
  // Model lines are rarely shorter than this; a good guess saves most of the vector's regrowth.
  lines.reserve(bytes.size() / 40 + 1);
  const char* const begin = bytes.data();
  const char* const end = begin + bytes.size();
  for (const char* p = begin; p != end;) {
    const char* const stop = FindLineEnd(p, end);
    lines.push_back({static_cast<std::uint32_t>(p - begin), static_cast<std::uint32_t>(stop - p)});
    if (stop == end) break;
    p = stop + 1;
    if (*stop == '\r' && p != end && *p == '\n') ++p;
  }
  return lines;
}

}  // namespace kelvane::document
