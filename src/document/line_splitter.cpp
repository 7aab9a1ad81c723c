#include "document/line_splitter.h"

#include <cstdint>

#include "document/check_rules.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace kelvane::document {
namespace {

// Appends the lines of `bytes` to `lines`, line end by line end.
class Splitter {
 public:
  Splitter(std::string_view bytes, std::vector<LineSpan>& lines, std::vector<std::uint8_t>* partLines)
      : begin_(bytes.data()),
        end_(begin_ + bytes.size()),
        lineStart_(begin_),
        lines_(lines),
        partLines_(partLines) {}

  void Run() {
    const char* p = begin_;
#ifdef __SSE2__
    // Sixty-four bytes at a time, one bit per CR or LF: a line costs one step, not one per byte and
    // not one library call per kind of line end.
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const auto lineEndBits = [&](const char* at) {
      const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
      const int bits = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf)));
      return static_cast<std::uint64_t>(static_cast<std::uint16_t>(bits));
    };
    for (; end_ - p >= 64; p += 64) {
      std::uint64_t bits =
          lineEndBits(p) | lineEndBits(p + 16) << 16 | lineEndBits(p + 32) << 32 | lineEndBits(p + 48) << 48;
      for (; bits != 0; bits &= bits - 1) LineEndAt(p + __builtin_ctzll(bits));
    }
#endif
    for (; p != end_; ++p) {
      if (*p == '\r' || *p == '\n') LineEndAt(p);
    }
    if (lineStart_ != end_) Add(end_);
  }

 private:
  void LineEndAt(const char* at) {
    if (at < lineStart_) return;  // the LF of a CR LF, passed with its CR
    Add(at);
    lineStart_ = at + 1;
    if (*at == '\r' && lineStart_ != end_ && *lineStart_ == '\n') ++lineStart_;
  }
  void Add(const char* stop) {
    const auto length = static_cast<std::size_t>(stop - lineStart_);
    lines_.push_back({static_cast<std::uint32_t>(lineStart_ - begin_), static_cast<std::uint32_t>(length)});
    if (partLines_ != nullptr) partLines_->push_back(IsCheckable({lineStart_, length}) ? 1 : 0);
  }

  const char* const begin_;
  const char* const end_;
  const char* lineStart_;
  std::vector<LineSpan>& lines_;
  std::vector<std::uint8_t>* const partLines_;
};

}  // namespace

std::vector<LineSpan> SplitLines(std::string_view bytes, std::vector<std::uint8_t>* partLines) {
  std::vector<LineSpan> lines;
  // Model lines are rarely shorter than this; a good guess saves most of the vector's regrowth.
  const std::size_t expected = bytes.size() / 40 + 1;
  lines.reserve(expected);
  if (partLines != nullptr) {
    partLines->clear();
    partLines->reserve(expected);
  }
  Splitter(bytes, lines, partLines).Run();
  return lines;
}

}  // namespace kelvane::document
