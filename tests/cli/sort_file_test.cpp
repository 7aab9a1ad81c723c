#include "cli/sort_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "fake_sort.h"
#include "support/temporary_folder.h"

namespace kelvane::cli {
namespace {

using namespace std::string_literals;

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

TEST_F(SortFileTest, OverwritesTheFileWithCrLfAndKeepsTheOldOneAsBackup) {
  folder_.Write("m.ldr", kModel);
  const FileOutcome outcome = Sort("m.ldr", RunSettings{});
  ASSERT_TRUE(outcome.done) << outcome.message;
  EXPECT_EQ(folder_.Read("m.ldr"), kReversed);
  EXPECT_EQ(folder_.Read("m.bak"), kModel);
  EXPECT_EQ(EntryCount(), 2u);
}

TEST_F(SortFileTest, WithoutBackupLeavesAnOlderBackupAlone) {
  folder_.Write("m.dat", kModel);
  folder_.Write("m.bak", "older");
  RunSettings settings;
  settings.backup = false;
  ASSERT_TRUE(Sort("m.dat", settings).done);
  EXPECT_EQ(folder_.Read("m.dat"), kReversed);
  EXPECT_EQ(folder_.Read("m.bak"), "older");
}

TEST_F(SortFileTest, ANameTooShortForABackupIsStillWritten) {
  folder_.Write("m.d", kModel);
  ASSERT_TRUE(Sort("m.d", RunSettings{}).done);
  EXPECT_EQ(folder_.Read("m.d"), kReversed);
  EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(SortFileTest, OutputGoesToTheOtherFileAndLeavesTheModelAndNoBackup) {
  folder_.Write("m.dat", kModel);
  RunSettings settings;
  settings.output = folder_.File("sorted.dat");
  ASSERT_TRUE(Sort("m.dat", settings).done);
  EXPECT_EQ(folder_.Read("sorted.dat"), kReversed);
  EXPECT_EQ(folder_.Read("m.dat"), kModel);
  EXPECT_EQ(EntryCount(), 2u);

  // An existing output file is replaced, and no backup is made of it either.
  folder_.Write("m.dat", "1 only one\n");
  ASSERT_TRUE(Sort("m.dat", settings).done);
  EXPECT_EQ(folder_.Read("sorted.dat"), "1 only one\r\n");
  EXPECT_EQ(EntryCount(), 2u);
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

TEST_F(SortFileTest, EveryByteOfEveryLineIsKept) {
  const std::string first = "1\t7 0 0 0 1 0 0 0 1 0 0 0 1 \xff\xfe.dat"s;
  const std::string second = "1 7 0 0 \0 1 0 0 0 1 0 0 0 1 caf\xc3\xa9.dat "s;
  const std::string comment = "0 \x80\x81 latin-1 \xe9"s;
  folder_.Write("m.dat", first + "\r\n" + comment + "\r\n" + second + "\r\n");
  ASSERT_TRUE(Sort("m.dat", RunSettings{}).done);
  EXPECT_EQ(folder_.Read("m.dat"), second + "\r\n" + comment + "\r\n" + first + "\r\n");
}

TEST_F(SortFileTest, TheSortGetsTheOptionsOfTheCommandLine) {
  folder_.Write("m.dat", kModel);
  RunSettings settings;
  settings.sort.sortKey = sorting::SortKey::kColor;
  settings.sort.keyOrder = {2, 0, 1};
  settings.sort.colorAscending = false;
  settings.sort.betweenSteps = false;
  ASSERT_TRUE(Sort("m.dat", settings).done);
  EXPECT_EQ(sort_.Options().sortKey, sorting::SortKey::kColor);
  EXPECT_EQ(sort_.Options().keyOrder, (std::array<int, 3>{2, 0, 1}));
  EXPECT_FALSE(sort_.Options().colorAscending);
  EXPECT_FALSE(sort_.Options().betweenSteps);
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

TEST_F(SortFileTest, AnOutputThatCannotBeWrittenIsNamedAndTheModelStaysIntact) {
  folder_.Write("m.dat", kModel);
  std::filesystem::create_directory(folder_.File("taken.dat"));
  for (const std::string& output : {folder_.File("no/such/folder.dat"), folder_.File("taken.dat")}) {
    RunSettings settings;
    settings.output = output;
    const FileOutcome outcome = Sort("m.dat", settings);
    EXPECT_FALSE(outcome.done);
    EXPECT_EQ(outcome.message.rfind(output + ": not saved: ", 0), 0u) << outcome.message;
  }
  EXPECT_EQ(folder_.Read("m.dat"), kModel);
  EXPECT_EQ(EntryCount(), 2u);  // no temporary file left behind
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
