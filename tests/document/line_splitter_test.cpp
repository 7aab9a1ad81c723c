#include "document/line_splitter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "document/check_rules.h"

namespace kelvane::document {
namespace {

using Lines = std::vector<std::string>;
using namespace std::string_literals;

// Blanks, tabs, NUL and bytes that are not UTF-8 are kept; LF then CR is two ends, CR CR LF too. Each
// line's mark says whether it is a part line. The
// long cases put line ends, and the two bytes of a CR LF, on both sides of the blocks the scanner reads.
TEST(LineSplitterTest, CutsAtEachLineEndAndKeepsEveryOtherByte) {
  const std::string longLine(37, 'x');
  const std::pair<std::string, Lines> cases[] = {
      {"", {}},
      {"0 a\r1 b\r", {"0 a", "1 b"}},
      {"a\r\nb\rc\nd\n\re", {"a", "b", "c", "d", "", "e"}},
      {"\r\n\r\n0 STEP\r\n\r\n", {"", "", "0 STEP", ""}},
      {"a\r\r\nb", {"a", "", "b"}},
      {"  1 4\t0 \t\r\n\t\r\n0 \xe9\0x\r\n1 \xff"s, {"  1 4\t0 \t", "\t", "0 \xe9\0x"s, "1 \xff"}},
      {longLine + "\r\n" + longLine + "\n\x0c\x0e\r" + longLine, {longLine, longLine, "\x0c\x0e", longLine}}};
  std::vector<std::pair<std::string, Lines>> all(std::begin(cases), std::end(cases));
  const std::string ends[] = {"\r\n", "\r", "\n"};
  for (std::size_t shift = 0; shift < 3; ++shift) {
    auto& [bytes, lines] = all.emplace_back();
    for (std::size_t length = 0; length < 140; ++length) {
      lines.push_back(std::string(length, static_cast<char>('a' + length % 26)));
      bytes += lines.back() + ends[(length + shift) % 3];
    }
  }
  for (const auto& [bytes, lines] : all) {
    Lines split;
    std::vector<std::uint8_t> marks, expectedMarks;
    for (const LineSpan span : SplitLines(bytes, &marks)) {
      split.push_back(bytes.substr(span.offset, span.length));
      expectedMarks.push_back(IsCheckable(split.back()) ? 1 : 0);
    }
    EXPECT_EQ(split, lines) << '"' << bytes << '"';
    EXPECT_EQ(marks, expectedMarks) << '"' << bytes << '"';
  }
}

}  // namespace
}  // namespace kelvane::document
