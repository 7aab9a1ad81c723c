#include "document/line_splitter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelvane::document {
namespace {

using Lines = std::vector<std::string>;
using namespace std::string_literals;

struct SplitCase {
  const char* name;
  std::string bytes;
  Lines lines;
};

class SplitLinesTest : public ::testing::TestWithParam<SplitCase> {};

// Whatever block boundaries the reader meets, the lines must be the same: a CR LF cut in two by a
// boundary, or by an empty read, is the classic way to get a phantom empty line.
TEST_P(SplitLinesTest, GivesTheLinesOfTheFileHoweverItIsCutIntoBlocks) {
  const std::string_view bytes = GetParam().bytes;
  EXPECT_EQ(SplitLines(bytes), GetParam().lines);
  for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
    LineSplitter splitter;
    splitter.Feed(bytes.substr(0, cut));
    splitter.Feed({});
    splitter.Feed(bytes.substr(cut));
    EXPECT_EQ(splitter.Finish(), GetParam().lines) << "cut at " << cut;
  }
}

INSTANTIATE_TEST_SUITE_P(
    LineRules, SplitLinesTest,
    ::testing::Values(
        SplitCase{"EmptyFile", "", {}},
        SplitCase{"CrLfWithFinalTerminator", "0 a\r\n1 b\r\n", {"0 a", "1 b"}},
        SplitCase{"CrLfWithoutFinalTerminator", "0 a\r\n1 b", {"0 a", "1 b"}},
        SplitCase{"LoneCr", "0 a\r1 b\r", {"0 a", "1 b"}},
        SplitCase{"LoneLf", "0 a\n1 b\n2 c", {"0 a", "1 b", "2 c"}},
        SplitCase{"MixedEndings", "a\r\nb\rc\nd\n\re", {"a", "b", "c", "d", "", "e"}},
        SplitCase{"LfCrIsTwoEnds", "a\n\rb", {"a", "", "b"}},
        SplitCase{"BlankLinesAreEntries", "\r\n\r\n0 STEP\r\n\r\n", {"", "", "0 STEP", ""}},
        SplitCase{"OnlyATerminator", "\r\n", {""}},
        SplitCase{"BlanksAndTabsKept", "  1 4\t0 0 \t\r\n\t\r\n", {"  1 4\t0 0 \t", "\t"}},
        SplitCase{"NulAndNonUtf8Kept", "0 \xe9t\xe9\0x\r\n1 \xff\xfe"s, {"0 \xe9t\xe9\0x"s, "1 \xff\xfe"}},
        SplitCase{"CrCrLf", "a\r\r\nb", {"a", "", "b"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kelvane::document
