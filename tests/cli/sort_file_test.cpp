#include "cli/sort_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "fake_sort.h"
#include "support/temporary_folder.h"

namespace kelvane::cli {
namespace {

using kelvane::testing::TemporaryFolder;

// Three part lines around a comment; reversed by the stand-in sort, they read c, b, a.
constexpr std::string_view kModel =
    "0 m\n1 1 0 0 0 1 0 0 0 1 0 0 0 1 a.dat\n1 2 0 0 0 1 0 0 0 1 0 0 0 1 b.dat\n0 x\r"
    "1 3 0 0 0 1 0 0 0 1 0 0 0 1 c.dat";
constexpr std::string_view kReversed =
    "0 m\r\n1 3 0 0 0 1 0 0 0 1 0 0 0 1 c.dat\r\n1 2 0 0 0 1 0 0 0 1 0 0 0 1 b.dat\r\n0 x\r\n"
    "1 1 0 0 0 1 0 0 0 1 0 0 0 1 a.dat\r\n";

class SortFileTest : public ::testing::Test {
 protected:
  FileOutcome Sort(const std::string& name, const RunSettings& settings) {
    return SortFile(folder_.File(name), settings, sort_.Function(), model_);
  }
  std::size_t EntryCount() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder_.Path()),
                                                  std::filesystem::directory_iterator()));
  }

  TemporaryFolder folder_;
  testing::ReversingSort sort_;
  document::LineList model_;
};

TEST_F(SortFileTest, ANameTooShortForABackupIsStillWritten) {
  folder_.Write("m.d", kModel);
  ASSERT_TRUE(Sort("m.d", RunSettings{}).done);
  EXPECT_EQ(folder_.Read("m.d"), kReversed);
  EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(SortFileTest, OnlyTheLinesOfTheRangesTakePart) {
  folder_.Write("m.dat", kModel);
  RunSettings settings;
  settings.lines = ParseLineRanges("1-3");  // lines 2 and 3 are part lines, line 5 stays out
  ASSERT_TRUE(Sort("m.dat", settings).done);
  EXPECT_EQ(folder_.Read("m.dat"),
            "0 m\r\n1 2 0 0 0 1 0 0 0 1 0 0 0 1 b.dat\r\n1 1 0 0 0 1 0 0 0 1 0 0 0 1 a.dat\r\n0 x\r\n"
            "1 3 0 0 0 1 0 0 0 1 0 0 0 1 c.dat\r\n");
}

TEST_F(SortFileTest, FewerThanTwoCheckedLinesStillWriteTheSavedForm) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", ""},
      {"0 only comments\n0 STEP", "0 only comments\r\n0 STEP\r\n"},
      {"0 a\r1 1 0 0 0 1 0 0 0 1 0 0 0 1 a.dat", "0 a\r\n1 1 0 0 0 1 0 0 0 1 0 0 0 1 a.dat\r\n"},
  };
  for (const auto& [input, written] : cases) {
    folder_.Write("m.dat", input);
    ASSERT_TRUE(Sort("m.dat", RunSettings{}).done);
    EXPECT_EQ(folder_.Read("m.dat"), written);
  }
}

TEST_F(SortFileTest, AFileThatCannotBeReadIsNamedWithTheReasonAndNothingIsWritten) {
  std::filesystem::create_directory(folder_.File("folder.dat"));
  struct Case {
    std::string path;
    std::string message;
  };
  const std::vector<Case> cases = {
      {folder_.File("missing.dat"), folder_.File("missing.dat") + ": No such file or directory"},
      {folder_.File("missing/m.dat"), folder_.File("missing/m.dat") + ": No such file or directory"},
      {folder_.File("folder.dat"), folder_.File("folder.dat") + ": Is a directory"},
      {"", ": No such file or directory"},
      // Opens, then fails on the first read, even for an administrator.
      {"/proc/self/mem", "/proc/self/mem: Input/output error"},
  };
  for (const Case& test : cases) {
    const FileOutcome outcome = SortFile(test.path, RunSettings{}, sort_.Function(), model_);
    EXPECT_FALSE(outcome.done) << test.path;
    EXPECT_EQ(outcome.message, test.message);
  }
  EXPECT_EQ(sort_.Calls(), 0);
  EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(SortFileTest, ABackupThatCannotBeMadeLeavesTheModelAsItWas) {
  folder_.Write("m.dat", kModel);
  std::filesystem::create_directories(folder_.File("m.bak/inside"));
  const FileOutcome outcome = Sort("m.dat", RunSettings{});
  EXPECT_FALSE(outcome.done);
  EXPECT_EQ(outcome.message.rfind(folder_.File("m.dat") + ": not saved: ", 0), 0u) << outcome.message;
  EXPECT_EQ(folder_.Read("m.dat"), kModel);
  EXPECT_EQ(EntryCount(), 2u);
}

}  // namespace
}  // namespace kelvane::cli
