#include "cli/run_tool.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "fake_sort.h"
#include "kelvane/version.h"
#include "support/temporary_folder.h"

namespace kelvane::cli {
namespace {

using kelvane::testing::TemporaryFolder;

constexpr std::string_view kModel = "1 1 a\n0 STEP\n1 2 b\n1 3 c\n";
constexpr std::string_view kReversed = "1 3 c\r\n0 STEP\r\n1 2 b\r\n1 1 a\r\n";

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

class RunToolTest : public ::testing::Test {
 protected:
  ToolRun Tool(const std::vector<std::string>& arguments) {
    const std::vector<std::string_view> views(arguments.begin(), arguments.end());
    std::ostringstream out;
    std::ostringstream err;
    ToolRun run;
    document::LineList model;
    run.status = RunTool(views, sort_.Function(), out, err, model);
    run.out = out.str();
    run.err = err.str();
    return run;
  }

  TemporaryFolder folder_;
  testing::ReversingSort sort_;
};

TEST_F(RunToolTest, SortsEveryFileAndSaysNothing) {
  folder_.Write("a.dat", kModel);
  folder_.Write("b.ldr", kModel);
  const ToolRun run = Tool({folder_.File("a.dat"), "--no-backup", folder_.File("b.ldr")});
  EXPECT_EQ(run.status, kExitSuccess);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(folder_.Read("a.dat"), kReversed);
  EXPECT_EQ(folder_.Read("b.ldr"), kReversed);
  EXPECT_FALSE(folder_.Exists("a.bak"));
}

TEST_F(RunToolTest, AFailedFileIsReportedAndTheOthersAreStillDone) {
  folder_.Write("a.dat", kModel);
  folder_.Write("c.dat", kModel);
  const ToolRun run = Tool({folder_.File("a.dat"), folder_.File("b.dat"), folder_.File("c.dat")});
  EXPECT_EQ(run.status, kExitFileFailed);
  EXPECT_EQ(run.err, "kelvane-sort: " + folder_.File("b.dat") + ": No such file or directory\n");
  EXPECT_EQ(folder_.Read("a.dat"), kReversed);
  EXPECT_EQ(folder_.Read("c.dat"), kReversed);
  EXPECT_EQ(sort_.Calls(), 2);
}

TEST_F(RunToolTest, AFileNamedTwiceIsSortedOnceAndItsBackupKeepsTheOriginal) {
  folder_.Write("a.dat", kModel);
  std::filesystem::create_symlink(folder_.File("a.dat"), folder_.File("link.dat"));
  // The stand-in sort reverses, so a second pass would turn the file back.
  const ToolRun run = Tool({folder_.File("a.dat"), folder_.Path() + "./a.dat", folder_.File("link.dat")});
  EXPECT_EQ(run.status, kExitSuccess) << run.err;
  EXPECT_EQ(sort_.Calls(), 1);
  EXPECT_EQ(folder_.Read("a.dat"), kReversed);
  EXPECT_EQ(folder_.Read("a.bak"), kModel);
}

TEST_F(RunToolTest, AUsageErrorPrintsOneLineAndAHintAndTouchesNothing) {
  folder_.Write("a.dat", kModel);
  const std::vector<std::vector<std::string>> commandLines = {
      {folder_.File("a.dat"), "--by", "size"},
      {"--lines", "0", folder_.File("a.dat")},
      {"-o", folder_.File("out.dat"), folder_.File("a.dat"), folder_.File("a.dat")},
      {folder_.File("a.dat"), "--unknown"},
      {},
  };
  for (const auto& arguments : commandLines) {
    const ToolRun run = Tool(arguments);
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_EQ(run.out, "");
    ASSERT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2) << run.err;
    EXPECT_EQ(run.err.rfind("kelvane-sort: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find("\nTry 'kelvane-sort --help' for more information.\n"), std::string::npos);
  }
  EXPECT_EQ(sort_.Calls(), 0);
  EXPECT_EQ(folder_.Read("a.dat"), kModel);
  EXPECT_FALSE(folder_.Exists("a.bak"));
  EXPECT_FALSE(folder_.Exists("out.dat"));
}

TEST_F(RunToolTest, HelpListsEveryOptionAndVersionNamesTheBuild) {
  folder_.Write("a.dat", kModel);
  const ToolRun help = Tool({"--help", folder_.File("a.dat")});
  EXPECT_EQ(help.status, kExitSuccess);
  EXPECT_EQ(help.err, "");
  EXPECT_EQ(help.out.rfind("Usage: kelvane-sort [OPTIONS] FILE...\n", 0), 0u);
  for (const char* option :
       {"--by", "--order", "--x", "--y", "--z", "--part", "--color", "--steps", "--no-steps", "--lines",
        "--backup", "--no-backup", "-o, --output", "-h, --help", "--version"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }

  const ToolRun version = Tool({"--version"});
  EXPECT_EQ(version.status, kExitSuccess);
  EXPECT_EQ(version.out, std::string("kelvane-sort ") + kVersionText + "\n");
  EXPECT_EQ(sort_.Calls(), 0);
  EXPECT_EQ(folder_.Read("a.dat"), kModel);
}

}  // namespace
}  // namespace kelvane::cli
