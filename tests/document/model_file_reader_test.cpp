#include "document/model_file_reader.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "support/temporary_folder.h"

namespace kelvane::document {
namespace {

using Status = ReadResult::Status;
using testing::TemporaryFolder;

TEST(ReadModelFileTest, ReadsEveryLineOfARealModelWithItsBytes) {
  // 137 lines, CR LF, the last one without a terminator.
  const ReadResult result = ReadModelFile(testing::TestDataPath("omr_4489_atat_mini_noeol.mpd"));
  ASSERT_EQ(result.status, Status::kLoaded);
  ASSERT_EQ(result.lines.size(), 137u);
  EXPECT_EQ(result.lines.front().substr(0, 7), "0 FILE ");
  for (const std::string& line : result.lines) {
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
  }
}

TEST(ReadModelFileTest, SplitsAFileWithMixedEndingsAtEveryTerminator) {
  // 334 CR LF ends and 32338 lone LF ends: 32672 lines.
  const ReadResult result =
      ReadModelFile(testing::TestDataPath("omr_10174_atst_ucs_packed_mixedeol.mpd"));
  ASSERT_EQ(result.status, Status::kLoaded);
  EXPECT_EQ(result.lines.size(), 32672u);
}

TEST(ReadModelFileTest, AnythingThatIsNotAFileLeavesNoLinesAndNoReason) {
  TemporaryFolder folder;
  ::mkdir(folder.File("sub.dat").c_str(), 0755);
  for (const std::string& path : {std::string(), folder.File("missing.dat"), folder.File("sub.dat"),
                                  folder.Path(), folder.File("no-such-folder/model.dat")}) {
    const ReadResult result = ReadModelFile(path);
    EXPECT_EQ(result.status, Status::kNotAFile) << path;
    EXPECT_TRUE(result.lines.empty()) << path;
    EXPECT_TRUE(result.reason.empty()) << path;
  }
}

TEST(ReadModelFileTest, AFileThatExistsButCannotBeReadIsReportedWithTheReason) {
  // Opening one's own memory works, reading it from offset 0 fails: a read error even for root.
  const ReadResult result = ReadModelFile("/proc/self/mem");
  EXPECT_EQ(result.status, Status::kUnreadable);
  EXPECT_TRUE(result.lines.empty());
  EXPECT_FALSE(result.reason.empty());
}

TEST(ReadModelFileTest, AnEmptyFileIsLoadedWithNoLines) {
  TemporaryFolder folder;
  folder.Write("empty.dat", "");
  const ReadResult result = ReadModelFile(folder.File("empty.dat"));
  EXPECT_EQ(result.status, Status::kLoaded);
  EXPECT_TRUE(result.lines.empty());
}

TEST(ReadModelFileTest, LinesLongerThanOneReadBlockStayWhole) {
  TemporaryFolder folder;
  const std::string longLine(3 * 1024 * 1024 + 7, 'x');
  folder.Write("long.dat", "0 a\r" + longLine + "\r\n1 b");
  const ReadResult result = ReadModelFile(folder.File("long.dat"));
  ASSERT_EQ(result.lines.size(), 3u);
  EXPECT_EQ(result.lines[1], longLine);
  EXPECT_EQ(result.lines[2], "1 b");
}

}  // namespace
}  // namespace kelvane::document
