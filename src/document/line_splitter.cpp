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

void LineSplitter::Feed(std::string_view bytes) {
  if (bytes.empty()) return;
  const char* p = bytes.data();
  const char* const end = p + bytes.size();
  if (lastWasCr_ && *p == '\n') ++p;  // the LF of a CR LF split across two blocks
  lastWasCr_ = false;
  while (p != end) {
    const char* const stop = FindLineEnd(p, end);
    if (stop == end) {
      current_.append(p, stop);
      return;
    }
    if (current_.empty()) {
      lines_.emplace_back(p, stop);
    } else {
      current_.append(p, stop);
      lines_.push_back(std::move(current_));
      current_.clear();
    }
    p = stop + 1;
    if (*stop == '\r') {
      if (p == end) {
        lastWasCr_ = true;
        return;
      }
      if (*p == '\n') ++p;
    }
  }
}

std::vector<std::string> LineSplitter::Finish() {
  // A last line without a terminator is still a line.
  if (!current_.empty()) lines_.push_back(std::move(current_));
  current_.clear();
  lastWasCr_ = false;
  return std::move(lines_);
}

}  // namespace kelvane::document
