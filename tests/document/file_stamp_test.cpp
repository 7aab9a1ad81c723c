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
  std::string unnoticed;  // the bytes whose change the hash would miss
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    bytes[at] ^= 1;
    if (Hash(bytes, bytes.size()) == whole) unnoticed += std::to_string(at) + " ";
    bytes[at] ^= 1;
  }
  EXPECT_EQ(unnoticed, "");
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
    const char* what;
    bool modifiedLongAgo;
    std::function<void(const TemporaryFolder&)> change;
    DiskState expected;
  } cases[] = {
      {"nothing", false, [](auto&) {}, DiskState::kUnchanged},
      {"nothing, modified long ago", true, [](auto&) {}, DiskState::kUnchanged},
      {"longer, same time", true, [](auto& f) { WriteKeepingTime(f, "1 a\n1 bc\n"); }, DiskState::kChanged},
      {"other bytes, same size and time", false, [](auto& f) { WriteKeepingTime(f, "1 b\n1 a\n"); },
       DiskState::kChanged},
      {"only the time", false,
       [](auto& f) {
         const timespec later[] = {{0, UTIME_OMIT}, {std::time(nullptr) + 5, 0}};
         ::utimensat(AT_FDCWD, f.File("m.ldr").c_str(), later, 0);
       },
       DiskState::kChanged},
      {"renamed over", false,
       [](auto& f) {
         f.Write("new", "1 a\n1 b\n");
         std::rename(f.File("new").c_str(), f.File("m.ldr").c_str());
       },
       DiskState::kReplaced},
      {"removed", false, [](auto& f) { std::remove(f.File("m.ldr").c_str()); }, DiskState::kGone},
  };
  for (const auto& c : cases) {
    const TemporaryFolder folder;
    folder.Write("m.ldr", "1 a\n1 b\n");
    const timespec longAgo[] = {{1'000'000'000, 0}, {1'000'000'000, 0}};
    if (c.modifiedLongAgo) ::utimensat(AT_FDCWD, folder.File("m.ldr").c_str(), longAgo, 0);
    const FileStamp stamp = ReadModelFile(folder.File("m.ldr")).stamp;
    c.change(folder);
    EXPECT_EQ(CompareWithDisk(folder.File("m.ldr"), stamp), c.expected) << c.what;
  }
}

}  // namespace
}  // namespace kelvane::document
