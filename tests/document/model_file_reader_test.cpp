#include "document/model_file_reader.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <thread>

#include "support/temporary_folder.h"

namespace kelvane::document {
namespace {

using namespace std::string_literals;

// Missing names and folders are the quiet state of a name being typed; anything that is not a regular
// file is refused at once, without waiting for a writer or reading a device that never ends. Opening
// one's own memory works, reading it from offset 0 fails: a read error even for root.
TEST(ReadModelFileTest, ReadsOnlyRegularFilesAndRefusesTheRestAtOnce) {
  const testing::TemporaryFolder folder;
  ::mkdir(folder.File("sub.dat").c_str(), 0755);
  ::mkfifo(folder.File("pipe.ldr").c_str(), 0644);
  std::filesystem::create_symlink("/dev/zero", folder.File("zero.ldr"));
  folder.Write("huge.ldr", "");
  std::filesystem::resize_file(folder.File("huge.ldr"), kLargestModelSize + 1);  // sparse: no disk used
  std::string seen;  // per name: "none" for kNotAFile, or the reason it could not be read
  for (const std::string name :
       {"", "missing.dat", "sub.dat", "pipe.ldr", "zero.ldr", "/dev/null", "/proc/self/mem", "huge.ldr"}) {
    const ReadResult result = ReadModelFile(name.empty() || name[0] == '/' ? name : folder.File(name));
    seen +=
        (result.status == ReadResult::Status::kNotAFile ? "none" : result.reason) +
        (result.lines.Empty() ? "; " : " with lines; ");  // a read that waited on the fifo would never return
  }
  const std::string no = kNotRegularReason + "; "s;
  EXPECT_EQ(seen, "none; none; none; " + no + no + no + "Input/output error; " + kTooLargeReason + "; ");
}

// Standard input may be a pipe of any length: its buffer grows as it fills and keeps what was read.
// Asked to, the read comes with the part lines checked.
TEST(ReadModelFileTest, ReadsAPipeToItsEnd) {
  std::string bytes;
  for (int i = 0; bytes.size() < 300000; ++i)
    bytes += "1 4 " + std::to_string(i) + " 0 0 1 0 0 0 1 0 0 0 1 a.dat\r\n";
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  std::thread writer([&] {
    for (std::size_t at = 0; at < bytes.size();)
      at += static_cast<std::size_t>(
          ::write(ends[1], bytes.data() + at, std::min<std::size_t>(7000, bytes.size() - at)));
    ::close(ends[1]);
  });
  const ReadResult result = ReadModelDescriptor(ends[0], InitialMarks::kPartLines);
  writer.join();
  ::close(ends[0]);
  std::string joined;
  for (const std::string& line : result.lines.Texts()) joined += line + "\r\n";
  EXPECT_TRUE(result.status == ReadResult::Status::kLoaded && joined == bytes);
  EXPECT_EQ(result.lines.CheckedCount(), result.lines.Size());  // every line is a part line
}

// A large file given as standard input after part of it was read is read on from where it stands.
TEST(ReadModelFileTest, ReadsAFileDescriptorOnFromItsOffset) {
  const testing::TemporaryFolder folder;
  folder.Write("big.ldr", "0 skipped\n" + std::string(9 << 20, 'x') + "\n1 last");
  const int fd = ::open(folder.File("big.ldr").c_str(), O_RDONLY);
  ::lseek(fd, 10, SEEK_SET);
  const LineList lines = ReadModelDescriptor(fd).lines;
  ::close(fd);
  EXPECT_TRUE(lines.Size() == 2 && lines.Text(0).size() == 9 << 20 && lines.Text(1) == "1 last");
}

}  // namespace
}  // namespace kelvane::document
