#include "document/model_file_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <optional>

#include "document/model_file_reader.h"
#include "support/temporary_folder.h"

namespace kelvane::document {
namespace {

using namespace std::string_literals;
using Text = std::optional<std::string>;  // a file's bytes, or no file

TEST(BackupNameTest, ReplacesTheLastFourCharactersWhateverTheyAre) {
  const std::pair<std::string, Text> cases[] = {{"model.dat", "model.bak"},
                                                {"model.mpd", "model.bak"},
                                                {"MODEL.DAT", "MODEL.bak"},
                                                {"abcd", ".bak"},
                                                {"abc", std::nullopt},
                                                {"", std::nullopt},
                                                // Characters, not bytes: "è" is one character of two bytes.
                                                {"ab\xc3\xa8", std::nullopt},
                                                {"a\xc3\xa8\xc3\xa8z", ".bak"}};
  for (const auto& [name, backup] : cases) EXPECT_EQ(BackupName(name), backup) << name;
  EXPECT_EQ(BackupPathFor("/models/car.ldr"), "/models/car.bak");
  EXPECT_EQ(BackupPathFor("/models.d/abc"), std::nullopt);
}

// A model is its own backup by name, or when its backup name leads to the same file.
TEST(BackupNameTest, TellsAModelThatWouldBeItsOwnBackup) {
  testing::TemporaryFolder folder;
  for (const char* name : {"hard.ldr", "soft.ldr", "other.ldr", "other.bak"}) folder.Write(name, "1");
  ::link(folder.File("hard.ldr").c_str(), folder.File("hard.bak").c_str());
  std::filesystem::create_symlink(folder.File("soft.ldr"), folder.File("soft.bak"));
  for (const auto& [name, itself] : {std::pair{"new.bak", true},
                                     {"hard.ldr", true},
                                     {"soft.ldr", true},
                                     {"other.ldr", false},
                                     {"new.ldr", false},
                                     {"bak", false}}) {
    EXPECT_EQ(BackupIsTheModel(folder.File(name)), itself) << name;
  }
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
    testing::TemporaryFolder folder;
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
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), c.backupAfter ? 2 : 1);
  }
}

// The backup is the file as it was just before the latest save (model.ldr shares model.dat's backup
// name); permissions are kept and a link stays a link.
TEST(SaveModelFileSequenceTest, SavesInTurn) {
  testing::TemporaryFolder folder;
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
}

// Each refusal leaves the model and any older backup exactly as they were and says why. These hold
// for an administrator too, who may write anywhere the permissions alone would forbid.
TEST(SaveModelFileSequenceTest, RefusesWhatCannotBeSavedSafely) {
  testing::TemporaryFolder folder;
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
  EXPECT_EQ(folder.Read("model.dat"), "old");
  EXPECT_EQ(folder.Read("locked.dat"), "locked");
  EXPECT_EQ(folder.Read("own.bak") + folder.Read("read.dat"), "ownchanged");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 6);
}

// Every name of a hard-linked model sees the new lines; the backup holds the old ones.
TEST(SaveModelFileSequenceTest, WritesAHardLinkedModelThroughInPlace) {
  testing::TemporaryFolder folder;
  folder.Write("model.dat", "old\n");
  ::link(folder.File("model.dat").c_str(), folder.File("other name.dat").c_str());
  ASSERT_TRUE(SaveModelFile(folder.File("model.dat"), folder.File("model.bak"), {"new"}).saved);
  for (const char* name : {"model.dat", "other name.dat"}) EXPECT_EQ(folder.Read(name), "new\r\n") << name;
  EXPECT_EQ(folder.Read("model.bak"), "old\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 3);
}

// An administrator's save leaves the model and its backup with the model's owner and group.
TEST(SaveModelFileSequenceTest, KeepsTheOwnerAndGroupOfTheModel) {
  if (::geteuid() != 0) GTEST_SKIP() << "only an administrator can give files to another user";
  testing::TemporaryFolder folder;
  folder.Write("model.dat", "old\n");
  ASSERT_EQ(::chown(folder.File("model.dat").c_str(), 65534, 65534), 0);
  ASSERT_TRUE(SaveModelFile(folder.File("model.dat"), folder.File("model.bak"), {"new"}).saved);
  for (const char* name : {"model.dat", "model.bak"}) {
    struct stat info {};
    ::stat(folder.File(name).c_str(), &info);
    EXPECT_EQ(std::pair(info.st_uid, info.st_gid), std::pair(65534u, 65534u)) << name;
  }
  EXPECT_EQ(folder.Read("model.dat"), "new\r\n");
}

}  // namespace
}  // namespace kelvane::document
