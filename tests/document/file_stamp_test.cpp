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

TEST(ContentHashTest, IsTheSameForAnySlicingAndTellsBytesApart) {
  std::string bytes;
  for (int i = 0; i < 1000; ++i) bytes.push_back(static_cast<char>(i * 7));
  ContentHash whole;
  whole.Feed(bytes);
  for (const std::size_t step : {1u, 3u, 31u, 32u, 33u, 100u}) {
    ContentHash sliced;
    for (std::size_t at = 0; at < bytes.size(); at += step)
      sliced.Feed(std::string_view(bytes).substr(at, step));
    EXPECT_EQ(sliced.Value(), whole.Value()) << step;
  }
  for (const std::size_t at : {0u, 500u, 999u}) {  // one byte changed: in a full block, or in the tail
    std::string changed = bytes;
    changed[at] ^= 1;
    ContentHash other;
    other.Feed(changed);
    EXPECT_NE(other.Value(), whole.Value()) << at;
  }
  ContentHash shorter;
  shorter.Feed(std::string_view(bytes).substr(0, 999));
  EXPECT_NE(shorter.Value(), whole.Value());
}

// What another program does to the file between the read and the check.
TEST(CompareWithDiskTest, TellsAChangedReplacedOrGoneFileFromTheOneLoaded) {
  using Change = std::function<void(const testing::TemporaryFolder&, const std::string&)>;
  const auto keepTime = [](const std::string& path, const std::function<void()>& write) {
    struct stat before {};
    ::stat(path.c_str(), &before);
    write();
    const timespec times[] = {before.st_atim, before.st_mtim};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
  };
  const struct {
    const char* what;
    Change change;
    DiskState expected;
  } cases[] = {
      {"nothing", [](auto&, auto&) {}, DiskState::kUnchanged},
      {"longer", [](auto& f, auto&) { f.Write("m.ldr", "1 a\n1 bc\n"); }, DiskState::kChanged},
      {"same size and time, other bytes",
       [&](auto& f, auto& path) { keepTime(path, [&] { f.Write("m.ldr", "1 b\n1 a\n"); }); },
       DiskState::kChanged},
      {"only the time",
       [](auto&, auto& path) {
         const timespec later[] = {{0, UTIME_OMIT}, {std::time(nullptr) + 5, 0}};
         ::utimensat(AT_FDCWD, path.c_str(), later, 0);
       },
       DiskState::kChanged},
      {"renamed over",
       [](auto& f, auto& path) {
         f.Write("new", "1 a\n1 b\n");
         std::rename(f.File("new").c_str(), path.c_str());
       },
       DiskState::kReplaced},
      {"removed", [](auto&, auto& path) { std::remove(path.c_str()); }, DiskState::kGone},
  };
  for (const auto& c : cases) {
    testing::TemporaryFolder folder;
    const std::string path = folder.File("m.ldr");
    folder.Write("m.ldr", "1 a\n1 b\n");
    const FileStamp stamp = ReadModelFile(path).stamp;
    c.change(folder, path);
    EXPECT_EQ(CompareWithDisk(path, stamp), c.expected) << c.what;
  }
}

}  // namespace
}  // namespace kelvane::document
