#include "cli/run_tool.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "fake_sort.h"
#include "support/temporary_folder.h"

namespace kelvane::cli {
namespace {

using kelvane::testing::TemporaryFolder;

constexpr std::string_view kModel = "1 1 a\n0 STEP\n1 2 b\n1 3 c\n";
constexpr std::string_view kReversed = "1 3 c\r\n0 STEP\r\n1 2 b\r\n1 1 a\r\n";

struct ToolRun {
  int status = -1;
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
    run.err = err.str();
    return run;
  }

  TemporaryFolder folder_;
  testing::ReversingSort sort_;
};

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

}  // namespace
}  // namespace kelvane::cli
