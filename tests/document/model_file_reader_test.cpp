#include "document/model_file_reader.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <filesystem>

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

// Missing names and folders are the quiet state of a name being typed; anything that is not a regular
// file is refused at once, without waiting for a writer or reading a device that never ends.
TEST(ReadModelFileTest, ReadsOnlyRegularFilesAndRefusesTheRestAtOnce) {
  testing::TemporaryFolder folder;
  ::mkdir(folder.File("sub.dat").c_str(), 0755);
  ::mkfifo(folder.File("pipe.ldr").c_str(), 0644);
  std::filesystem::create_symlink("/dev/zero", folder.File("zero.ldr"));
  const int listening = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  folder.File("s.ldr").copy(address.sun_path, sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(listening, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  const std::string notRegular = kNotRegularReason;
  const std::pair<std::string, std::string> cases[] = {
      // the name, and the reason ("" for kNotAFile)
      {"", ""},
      {folder.File("missing.dat"), ""},
      {folder.File("sub.dat"), ""},
      {folder.Path(), ""},
      {folder.File("no-such-folder/model.dat"), ""},
      {folder.File("pipe.ldr"), notRegular},
      {folder.File("zero.ldr"), notRegular},
      {"/dev/null", notRegular},
      {folder.File("s.ldr"), notRegular},
      // Opening one's own memory works, reading it from offset 0 fails: a read error even for root.
      {"/proc/self/mem", "Input/output error"}};
  for (const auto& [path, reason] : cases) {
    const ReadResult result = ReadModelFile(path);  // a read that waited on the fifo would never return
    EXPECT_EQ(result.status, reason.empty() ? Status::kNotAFile : Status::kUnreadable) << path;
    EXPECT_EQ(result.reason, reason) << path;
    EXPECT_TRUE(result.lines.empty()) << path;
  }
  ::close(listening);
}

TEST(ReadModelFileTest, LinesLongerThanOneReadBlockStayWholeAndADescriptorReadsToItsEnd) {
  testing::TemporaryFolder folder;
  const std::string longLine(3 * 1024 * 1024 + 7, 'x');
  folder.Write("long.dat", "0 a\r" + longLine + "\r\n1 b");
  const ReadResult result = ReadModelFile(folder.File("long.dat"));
  EXPECT_EQ(result.lines, (std::vector<std::string>{"0 a", longLine, "1 b"}));
  int pipe[2];
  ASSERT_EQ(::pipe(pipe), 0);
  ASSERT_EQ(::write(pipe[1], "1 a\r\n0 b", 8), 8);
  ::close(pipe[1]);
  EXPECT_EQ(ReadModelDescriptor(pipe[0]).lines, (std::vector<std::string>{"1 a", "0 b"}));
  ::close(pipe[0]);
}

}  // namespace
}  // namespace kelvane::document
