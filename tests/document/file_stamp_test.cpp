#include "document/file_stamp.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <functional>

#include "document/model_file_reader.h"
#include "support/temporary_folder.h"

namespace kelvane::document {
namespace {

using testing::TemporaryFolder;

const timespec kLongAgo[] = {{1'000'000'000, 0}, {1'000'000'000, 0}};

std::uint64_t Hash(std::string_view bytes, std::size_t slice) {
  ContentHash hash;
  for (std::size_t at = 0; at < bytes.size(); at += slice) hash.Feed(bytes.substr(at, slice));
  return hash.Value();
}

TEST(ContentHashTest, IsTheSameForAnySlicingAndChangesWithEveryByte) {
  std::string bytes;
  for (int i = 0; i < 1000; ++i) bytes.push_back(static_cast<char>(i * 7));
  const std::uint64_t whole = Hash(bytes, bytes.size());
  for (const std::size_t slice : {1u, 31u, 33u, 100u}) EXPECT_EQ(Hash(bytes, slice), whole) << slice;
  EXPECT_NE(Hash(std::string_view(bytes).substr(0, 999), 999), whole);
  for (std::size_t at = 0; at < bytes.size(); ++at)  // each byte changed in turn
    EXPECT_NE(Hash(bytes.substr(0, at) + char(bytes[at] ^ 1) + bytes.substr(at + 1), 1000), whole) << at;
}

// Writes over the file and gives it back its times, as a second write within one clock tick would.
void WriteKeepingTime(const TemporaryFolder& folder, const char* bytes) {
  struct stat before {};
  ::stat(folder.File("m.ldr").c_str(), &before);
  folder.Write("m.ldr", bytes);
  const timespec times[] = {before.st_atim, before.st_mtim};
  ::utimensat(AT_FDCWD, folder.File("m.ldr").c_str(), times, 0);
}

// What another program does to the file between the read and the check. The bytes of a file modified
// long before it was read are not compared again, so its size must tell.
TEST(CompareWithDiskTest, TellsAChangedReplacedOrGoneFileFromTheOneLoaded) {
  const struct {
    bool modifiedLongAgo;
    std::function<void(const TemporaryFolder&)> change;
    DiskState expected;
  } cases[] = {
      {true, [](auto&) {}, DiskState::kUnchanged},  // nothing, modified long ago
      {true, [](auto& f) { WriteKeepingTime(f, "1 a\n1 bc\n"); }, DiskState::kChanged},  // longer, same time
      {false, [](auto& f) { WriteKeepingTime(f, "1 b\n1 a\n"); }, DiskState::kChanged},  // same size and time
      {false, [](auto& f) { ::utimensat(AT_FDCWD, f.File("m.ldr").c_str(), kLongAgo, 0); },
       DiskState::kChanged},
      {false, [](auto& f) { std::rename(f.File("new").c_str(), f.File("m.ldr").c_str()); },
       DiskState::kReplaced},
      {false, [](auto& f) { std::remove(f.File("m.ldr").c_str()); }, DiskState::kGone},
  };
  for (const auto& c : cases) {
    const TemporaryFolder folder;
    folder.Write("m.ldr", "1 a\n1 b\n");
    folder.Write("new", "1 a\n1 b\n");  // the same bytes, to be renamed over it
    if (c.modifiedLongAgo) ::utimensat(AT_FDCWD, folder.File("m.ldr").c_str(), kLongAgo, 0);
    const FileStamp stamp = ReadModelFile(folder.File("m.ldr")).stamp;
    c.change(folder);
    EXPECT_EQ(CompareWithDisk(folder.File("m.ldr"), stamp), c.expected) << &c - cases;
  }
}

}  // namespace
}  // namespace kelvane::document
