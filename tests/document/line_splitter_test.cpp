#include "document/line_splitter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelvane::document {
namespace {

using Lines = std::vector<std::string>;
using namespace std::string_literals;

// Whatever block boundaries the reader meets, the lines must be the same: a CR LF cut in two by a
// boundary, or by an empty read, is the classic way to get a phantom empty line. Blanks, tabs, NUL and
// bytes that are not UTF-8 are kept; LF then CR is two ends.
TEST(LineSplitterTest, GivesTheLinesOfTheFileHoweverItIsCutIntoBlocks) {
  const std::pair<std::string, Lines> cases[] = {
      {"", {}},
      {"0 a\r1 b\r", {"0 a", "1 b"}},
      {"a\r\nb\rc\nd\n\re", {"a", "b", "c", "d", "", "e"}},
      {"\r\n\r\n0 STEP\r\n\r\n", {"", "", "0 STEP", ""}},
      {"a\r\r\nb", {"a", "", "b"}},
      {"  1 4\t0 \t\r\n\t\r\n0 \xe9\0x\r\n1 \xff"s, {"  1 4\t0 \t", "\t", "0 \xe9\0x"s, "1 \xff"}}};
  for (const auto& [bytes, lines] : cases)
    for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
      LineSplitter splitter;
      splitter.Feed(std::string_view(bytes).substr(0, cut));
      splitter.Feed({});
      splitter.Feed(std::string_view(bytes).substr(cut));
      EXPECT_EQ(splitter.Finish(), lines) << "cut at " << cut << " of \"" << bytes << "\"";
    }
}

}  // namespace
}  // namespace kelvane::document
