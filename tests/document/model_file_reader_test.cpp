#include "document/model_file_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/temporary_folder.h"

namespace kelvane::document {
namespace {

using Status = ReadResult::Status;

// Missing names and folders are the quiet state of a name being typed; anything that is not a regular
// file is refused at once, without waiting for a writer or reading a device that never ends.
TEST(ReadModelFileTest, ReadsOnlyRegularFilesAndRefusesTheRestAtOnce) {
  const testing::TemporaryFolder folder;
  ::mkdir(folder.File("sub.dat").c_str(), 0755);
  ::mkfifo(folder.File("pipe.ldr").c_str(), 0644);
  std::filesystem::create_symlink("/dev/zero", folder.File("zero.ldr"));
  const std::string notRegular = kNotRegularReason;
  const std::pair<std::string, std::string> cases[] = {
      // the name, and the reason ("" for kNotAFile)
      {"", ""},
      {folder.File("missing.dat"), ""},
      {folder.File("sub.dat"), ""},
      {folder.File("no-such-folder/model.dat"), ""},
      {folder.File("pipe.ldr"), notRegular},
      {folder.File("zero.ldr"), notRegular},
      {"/dev/null", notRegular},
      // Opening one's own memory works, reading it from offset 0 fails: a read error even for root.
      {"/proc/self/mem", "Input/output error"}};
  for (const auto& [path, reason] : cases) {
    const ReadResult result = ReadModelFile(path);  // a read that waited on the fifo would never return
    EXPECT_EQ(result.status, reason.empty() ? Status::kNotAFile : Status::kUnreadable) << path;
    EXPECT_EQ(result.reason, reason) << path;
    EXPECT_TRUE(result.lines.empty()) << path;
  }
}

}  // namespace
}  // namespace kelvane::document
