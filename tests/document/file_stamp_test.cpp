#include "document/file_stamp.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <ctime>

#include "document/model_file_reader.h"
#include "support/temporary_folder.h"

namespace kelvane::document {
namespace {

std::uint64_t Hash(std::string_view bytes, std::size_t slice) {
  ContentHash hash;
  for (std::size_t at = 0; at < bytes.size(); at += slice) hash.Feed(bytes.substr(at, slice));
  return hash.Value();
}

TEST(ContentHashTest, IsTheSameForAnySlicingAndChangesWithEveryByte) {
  const std::string bytes = testing::ReadFileBytes(testing::TestDataPath("ldrawlib_car.ldr")).substr(0, 1000);
  const std::uint64_t whole = Hash(bytes, bytes.size());
  for (const std::size_t slice : {1u, 31u, 33u, 100u}) EXPECT_EQ(Hash(bytes, slice), whole) << slice;
  EXPECT_NE(Hash(std::string_view(bytes).substr(0, 999), 999), whole);
  for (std::size_t at = 0; at < bytes.size(); ++at)  // each byte changed in turn
    EXPECT_NE(Hash(bytes.substr(0, at) + char(bytes[at] ^ 1) + bytes.substr(at + 1), 1000), whole) << at;
}

// After the read another program writes over the file m and sets its time, or writes a new file n and
// renames it over m. The bytes of a file modified long before it was read are not compared
// again, so its size must tell. (A file that is gone is left to the session's tests.)
TEST(CompareWithDiskTest, TellsAChangedOrReplacedFileFromTheOneLoaded) {
  using enum DiskState;
  const std::time_t now = std::time(nullptr), old = 1'000'000'000;
  const std::tuple<std::time_t, const char*, const char*, std::time_t, DiskState> cases[] = {
      {old, "m", "1 a\n1 b\n", old, kUnchanged}, {old, "m", "1 a\n1 bc\n", old, kChanged},
      {now, "m", "1 b\n1 a\n", now, kChanged},   {now, "m", "1 a\n1 b\n", old, kChanged},
      {now, "n", "1 a\n1 b\n", now, kReplaced},  {now, "n", "1 a\n1 b\n", old, kReplaced}};
  for (const auto& [before, name, bytes, after, expected] : cases) {
    const testing::TemporaryFolder folder;
    const auto write = [&](const char* file, const char* text, std::time_t time) {
      folder.Write(file, text);
      const timespec times[] = {{time, 0}, {time, 0}};
      ::utimensat(AT_FDCWD, folder.File(file).c_str(), times, 0);
      return folder.File(file);
    };
    const FileStamp stamp = ReadModelFile(write("m", "1 a\n1 b\n", before)).stamp;
    std::rename(write(name, bytes, after).c_str(), folder.File("m").c_str());  // m over itself: nothing
    EXPECT_EQ(CompareWithDisk(folder.File("m"), stamp), expected) << before << name << bytes;
  }
}

}  // namespace
}  // namespace kelvane::document
