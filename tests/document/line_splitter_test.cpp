#include "document/line_splitter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelvane::document {
namespace {

using Lines = std::vector<std::string>;
using namespace std::string_literals;

// Blanks, tabs, NUL and bytes that are not UTF-8 are kept; LF then CR is two ends, CR CR LF too. The
// long case puts line ends on both sides of every eight-byte word the scanner reads.
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
  for (const auto& [bytes, lines] : cases) {
    Lines split;
    for (const LineSpan span : SplitLines(bytes)) split.push_back(bytes.substr(span.offset, span.length));
    EXPECT_EQ(split, lines) << '"' << bytes << '"';
  }
}

}  // namespace
}  // namespace kelvane::document
