#include "document/model_file_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/temporary_folder.h"

namespace kelvane::document {
namespace {

using Status = ReadResult::Status;

TEST(ReadModelFileTest, ReadsRealModelsWithTheirLineRules) {
  // CR LF with no terminator after the last line; 334 CR LF ends mixed with 32338 lone LF ends.
  const std::pair<const char*, std::size_t> models[] = {{"omr_4489_atat_mini_noeol.mpd", 137},
                                                        {"omr_10174_atst_ucs_packed_mixedeol.mpd", 32672}};
  for (const auto& [name, lineCount] : models) {
    const ReadResult result = ReadModelFile(testing::TestDataPath(name));
    ASSERT_EQ(result.status, Status::kLoaded) << name;
    EXPECT_EQ(result.lines.size(), lineCount) << name;
    for (const std::string& line : result.lines) ASSERT_EQ(line.find_first_of("\r\n"), std::string::npos);
  }
}

TEST(ReadModelFileTest, TellsMissingNamesFromFilesThatCannotBeRead) {
  testing::TemporaryFolder folder;
  ::mkdir(folder.File("sub.dat").c_str(), 0755);
  for (const std::string& path : {std::string(), folder.File("missing.dat"), folder.File("sub.dat"),
                                  folder.Path(), folder.File("no-such-folder/model.dat")}) {
    const ReadResult result = ReadModelFile(path);
    EXPECT_EQ(result.status, Status::kNotAFile) << path;
    EXPECT_TRUE(result.reason.empty()) << path;
  }
  // Opening one's own memory works, reading it from offset 0 fails: a read error even for root.
  const ReadResult unreadable = ReadModelFile("/proc/self/mem");
  EXPECT_EQ(unreadable.status, Status::kUnreadable);
  EXPECT_FALSE(unreadable.reason.empty());
}

TEST(ReadModelFileTest, LinesLongerThanOneReadBlockStayWhole) {
  testing::TemporaryFolder folder;
  const std::string longLine(3 * 1024 * 1024 + 7, 'x');
  folder.Write("long.dat", "0 a\r" + longLine + "\r\n1 b");
  const ReadResult result = ReadModelFile(folder.File("long.dat"));
  EXPECT_EQ(result.lines, (std::vector<std::string>{"0 a", longLine, "1 b"}));
}

}  // namespace
}  // namespace kelvane::document
