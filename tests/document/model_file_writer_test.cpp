#include "document/model_file_writer.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <optional>

#include "document/model_file_reader.h"
#include "support/temporary_folder.h"

namespace kelvane::document {
namespace {

using namespace std::string_literals;
using Text = std::optional<std::string>;  // a file's bytes, or no file
using testing::TemporaryFolder;

std::size_t Entries(const TemporaryFolder& folder) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder.Path()), {}));
}

// Characters, not bytes: "è" is one character of two bytes.
TEST(BackupPathForTest, ReplacesTheLastFourCharactersOfTheNameWhateverTheyAre) {
  const std::pair<const char*, Text> cases[] = {
      {"/models/car.ldr", "/models/car.bak"}, {"MODEL.DAT", "MODEL.bak"}, {"/m/abcd", "/m/.bak"},
      {"/models.d/abc", std::nullopt},        {"", std::nullopt},         {"ab\xc3\xa8", std::nullopt},
      {"a\xc3\xa8\xc3\xa8z", ".bak"}};
  for (const auto& [path, backup] : cases) EXPECT_EQ(BackupPathFor(path), backup) << path;
}

// One save on a folder holding model.dat / model.bak as given; nothing else may be left behind.
TEST(SaveModelFileTest, LeavesTheModelAndItsBackupAsExpected) {
  const struct {
    Text modelBefore, backupBefore;
    bool withBackup;
    std::vector<std::string> lines;
    Text modelAfter, backupAfter;
  } cases[] = {
      {std::nullopt,
       std::nullopt,
       false,
       {"0 M", "", "  1 4\t", "0 \xe9\0\xff"s, "0 a\nb"},
       "0 M\r\n\r\n  1 4\t\r\n0 \xe9\0\xff\r\n0 a\nb\r\n"s,
       std::nullopt},                                                    // CR LF after every line, bytes kept
      {std::nullopt, std::nullopt, true, {"1"}, "1\r\n", std::nullopt},  // a new name gets no backup
      {"old\n", "older", false, {"new"}, "new\r\n", "older"},            // without backup an older one stays
      {"old\n", "older", true, {"new"}, "new\r\n", "old\n"},             // the backup replaces the older one
      {"old", std::nullopt, true, {}, "", "old"},                        // an empty list gives an empty file
  };
  for (const auto& c : cases) {
    const TemporaryFolder folder;
    if (c.modelBefore) folder.Write("model.dat", *c.modelBefore);
    if (c.backupBefore) folder.Write("model.bak", *c.backupBefore);
    const Text backup = c.withBackup ? Text(folder.File("model.bak")) : std::nullopt;
    const SaveResult result = SaveModelFile(folder.File("model.dat"), backup, c.lines);
    EXPECT_TRUE(result.saved) << result.reason;
    const auto contents = [&](const char* name) {
      return folder.Exists(name) ? Text(folder.Read(name)) : std::nullopt;
    };
    EXPECT_EQ(contents("model.dat"), c.modelAfter);
    EXPECT_EQ(contents("model.bak"), c.backupAfter);
    EXPECT_EQ(Entries(folder), c.backupAfter ? 2u : 1u);
  }
}

// Lines around and beyond the 1 MiB write buffer and the read block keep their line ends and come back
// whole.
TEST(SaveModelFileTest, LinesLongerThanTheBuffersAreSavedAndReadBackWhole) {
  const TemporaryFolder folder;
  const std::vector<std::string> lines = {"0 a",
                                          std::string(3 << 20, 'x'),
                                          "1 b",
                                          std::string((1 << 20) - 1, 'y'),
                                          std::string((1 << 20) - 2, 'z'),
                                          "1 c"};
  for (const LineEnd end : {LineEnd::kCrLf, LineEnd::kLf}) {
    ASSERT_TRUE(SaveModelFile(folder.File("long.dat"), std::nullopt, lines, end).saved);
    std::string expected;
    for (const std::string& line : lines) expected += line + (end == LineEnd::kLf ? "\n" : "\r\n");
    EXPECT_TRUE(folder.Read("long.dat") == expected);  // not EXPECT_EQ: a failure would print megabytes
    EXPECT_TRUE(ReadModelFile(folder.File("long.dat")).lines == lines);
  }
}

// The backup is the file as it was just before the latest save (model.ldr shares model.dat's backup
// name); permissions are kept, a link stays a link, and a fifo is written into without a backup.
TEST(SaveModelFileSequenceTest, SavesInTurn) {
  const TemporaryFolder folder;
  folder.Write("real.dat", "loaded\n");
  folder.Write("model.ldr", "ldr\n");
  ::chmod(folder.File("real.dat").c_str(), 0640);
  std::filesystem::create_symlink(folder.File("real.dat"), folder.File("model.dat"));
  for (const char* text : {"first", "second"}) {
    ASSERT_TRUE(SaveModelFile(folder.File("model.dat"), folder.File("model.bak"), {text}).saved);
  }
  EXPECT_EQ(folder.Read("model.bak"), "first\r\n");
  EXPECT_EQ(folder.Read("real.dat"), "second\r\n");
  EXPECT_TRUE(std::filesystem::is_symlink(folder.File("model.dat")));
  struct stat info {};
  ::stat(folder.File("real.dat").c_str(), &info);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  ASSERT_TRUE(SaveModelFile(folder.File("model.ldr"), folder.File("model.bak"), {"x"}).saved);
  EXPECT_EQ(folder.Read("model.bak"), "ldr\n");
  ASSERT_EQ(::mkfifo(folder.File("pipe.ldr").c_str(), 0600), 0);
  const int pipe = ::open(folder.File("pipe.ldr").c_str(), O_RDWR | O_NONBLOCK);  // so that no open waits
  ASSERT_TRUE(SaveModelFile(folder.File("pipe.ldr"), folder.File("pipe.bak"), {"new"}).saved);
  char received[16];
  EXPECT_EQ(std::string(received, static_cast<std::size_t>(std::max<ssize_t>(::read(pipe, received, 16), 0))),
            "new\r\n");
  ::close(pipe);
  EXPECT_TRUE(std::filesystem::is_fifo(folder.File("pipe.ldr")));
  EXPECT_EQ(Entries(folder), 5u);
}

// Each refusal leaves the model and any older backup exactly as they were and says why. These hold
// for an administrator too, who may write anywhere the permissions alone would forbid.
TEST(SaveModelFileSequenceTest, RefusesWhatCannotBeSavedSafely) {
  const TemporaryFolder folder;
  folder.Write("model.dat", "old");
  folder.Write("locked.dat", "locked");
  ::chmod(folder.File("locked.dat").c_str(), 0444);
  std::filesystem::create_directories(folder.File("model.bak/inside"));
  std::filesystem::create_directory(folder.File("folder.dat"));
  folder.Write("own.bak", "own");
  folder.Write("read.dat", "read");
  const FileStamp stamp = ReadModelFile(folder.File("read.dat")).stamp;
  folder.Write("read.dat", "changed");
  const struct {
    std::string path;
    Text backup;
    const char* reasonPart;
    const FileStamp* loaded = nullptr;
  } refusals[] = {
      {folder.File("gone/model.dat"), folder.File("gone/model.bak"), "No such file"},
      {folder.File("model.dat"), folder.File("model.bak"), "model.bak"},  // the backup is a folder
      {folder.File("locked.dat"), std::nullopt, "read-only"},
      {folder.File("folder.dat"), std::nullopt, "folder"},
      {folder.Path(), std::nullopt, "empty"},
      {"/proc/kelvane-model.dat", std::nullopt, ""},  // a folder nobody may create files in
      {folder.File("own.bak"), folder.File("own.bak"), "would be the file itself"},
      {folder.File("read.dat"), std::nullopt, "changed by another program", &stamp},
  };
  for (const auto& r : refusals) {
    const SaveResult result = SaveModelFile(r.path, r.backup, {"new"}, LineEnd::kCrLf, r.loaded);
    EXPECT_FALSE(result.saved) << r.path;
    EXPECT_NE(result.reason.find(r.reasonPart), std::string::npos) << result.reason;
  }
  EXPECT_EQ(folder.Read("model.dat") + folder.Read("locked.dat"), "oldlocked");
  EXPECT_EQ(folder.Read("own.bak") + folder.Read("read.dat"), "ownchanged");
  EXPECT_EQ(Entries(folder), 6u);
  std::remove(folder.File("read.dat").c_str());  // a file removed since it was read is saved anew
  ASSERT_TRUE(SaveModelFile(folder.File("read.dat"), std::nullopt, {"new"}, LineEnd::kCrLf, &stamp).saved);
  EXPECT_EQ(folder.Read("read.dat"), "new\r\n");
}

// Every name of a hard-linked model sees the new lines; the backup holds the old ones. An
// administrator's save leaves the model and its backup with the model's owner and group.
TEST(SaveModelFileSequenceTest, WritesAHardLinkedModelThroughInPlaceAndKeepsTheOwner) {
  const TemporaryFolder folder;
  folder.Write("model.dat", "old\n");
  ::link(folder.File("model.dat").c_str(), folder.File("other name.dat").c_str());
  folder.Write("owned.dat", "old\n");
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(folder.File("owned.dat").c_str(), 65534, 65534), 0);
  }
  for (const char* name : {"model", "owned"}) {
    ASSERT_TRUE(SaveModelFile(folder.File(name + ".dat"s), folder.File(name + ".bak"s), {"new"}).saved);
  }
  for (const char* name : {"model.dat", "other name.dat", "owned.dat"})
    EXPECT_EQ(folder.Read(name), "new\r\n");
  for (const char* name : {"model.bak", "owned.bak"}) EXPECT_EQ(folder.Read(name), "old\n");
  EXPECT_EQ(Entries(folder), 5u);
  for (const char* name : {"owned.dat", "owned.bak"}) {
    struct stat info {};
    ::stat(folder.File(name).c_str(), &info);
    EXPECT_TRUE(!root || (info.st_uid == 65534 && info.st_gid == 65534)) << name;
  }
}

}  // namespace
}  // namespace kelvane::document
