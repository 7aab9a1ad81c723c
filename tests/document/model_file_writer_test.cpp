#include "document/model_file_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>

#include "support/temporary_folder.h"

namespace kelvane::document {
namespace {

using namespace std::string_literals;
using testing::TemporaryFolder;

TEST(BackupNameTest, ReplacesTheLastFourCharactersWhateverTheyAre) {
  const struct {
    std::string name;
    std::optional<std::string> backup;
  } cases[] = {
      {"model.dat", "model.bak"},   {"model.ldr", "model.bak"}, {"model.mpd", "model.bak"},
      {"MODEL.DAT", "MODEL.bak"},   {"abcd", ".bak"},           {"abc", std::nullopt},
      {"", std::nullopt},           {"car", std::nullopt},      {"archive.tar.gz", "archive.ta.bak"},
      {"mod\xc3\xa8l.dat", "mod\xc3\xa8l.bak"},
      // Characters, not bytes: "è" is one character of two bytes.
      {"ab\xc3\xa8", std::nullopt}, {"a\xc3\xa8\xc3\xa8z", ".bak"},
  };
  for (const auto& c : cases) EXPECT_EQ(BackupName(c.name), c.backup) << c.name;
}

TEST(BackupNameTest, PathKeepsItsFolderAndTheRuleLooksAtTheNameOnly) {
  EXPECT_EQ(BackupPathFor("/models/car.dat"), "/models/car.bak");
  EXPECT_EQ(BackupPathFor("car.ldr"), "car.bak");
  EXPECT_EQ(BackupPathFor("/models.d/abc"), std::nullopt);
}

class SaveModelFileTest : public ::testing::Test {
 protected:
  std::string Model() const { return folder.File("model.dat"); }
  std::string Backup() const { return folder.File("model.bak"); }
  // Nothing but the model, its backup and what the test put there may be left in the folder.
  std::size_t FilesInFolder() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder.Path()),
                                                  std::filesystem::directory_iterator()));
  }
  TemporaryFolder folder;
};

TEST_F(SaveModelFileTest, WritesEveryLineWithCrLfAndKeepsEveryByte) {
  const std::vector<std::string> lines = {"0 Model", "", "  1 4 0 0 0\t", "0 \xe9\0\xff"s, "0 a\nb"};
  ASSERT_TRUE(SaveModelFile(Model(), std::nullopt, lines).saved);
  EXPECT_EQ(folder.Read("model.dat"), "0 Model\r\n\r\n  1 4 0 0 0\t\r\n0 \xe9\0\xff\r\n0 a\nb\r\n"s);
}

TEST_F(SaveModelFileTest, AnEmptyListGivesAnEmptyFile) {
  folder.Write("model.dat", "old\r\n");
  ASSERT_TRUE(SaveModelFile(Model(), Backup(), {}).saved);
  EXPECT_EQ(folder.Read("model.dat"), "");
  EXPECT_EQ(folder.Read("model.bak"), "old\r\n");
}

TEST_F(SaveModelFileTest, WithoutBackupAnExistingBackupIsLeftAlone) {
  folder.Write("model.dat", "old\r\n");
  folder.Write("model.bak", "older\r\n");
  ASSERT_TRUE(SaveModelFile(Model(), std::nullopt, {"new"}).saved);
  EXPECT_EQ(folder.Read("model.dat"), "new\r\n");
  EXPECT_EQ(folder.Read("model.bak"), "older\r\n");
  EXPECT_EQ(FilesInFolder(), 2u);
}

TEST_F(SaveModelFileTest, TheBackupHoldsTheFileAsItWasJustBeforeEachSave) {
  folder.Write("model.dat", "loaded\n");
  folder.Write("model.bak", "older\r\n");
  ASSERT_TRUE(SaveModelFile(Model(), Backup(), {"first"}).saved);
  EXPECT_EQ(folder.Read("model.bak"), "loaded\n");
  ASSERT_TRUE(SaveModelFile(Model(), Backup(), {"second"}).saved);
  EXPECT_EQ(folder.Read("model.bak"), "first\r\n");
  EXPECT_EQ(folder.Read("model.dat"), "second\r\n");
  EXPECT_EQ(FilesInFolder(), 2u);
}

TEST_F(SaveModelFileTest, ALdrModelReplacesTheBackupOfTheDatModelOfTheSameName) {
  folder.Write("model.dat", "dat\r\n");
  folder.Write("model.ldr", "ldr\r\n");
  ASSERT_TRUE(SaveModelFile(Model(), Backup(), {"x"}).saved);
  ASSERT_TRUE(SaveModelFile(folder.File("model.ldr"), Backup(), {"y"}).saved);
  EXPECT_EQ(folder.Read("model.bak"), "ldr\r\n");
}

TEST_F(SaveModelFileTest, ANewNameCreatesTheFileAndNoBackup) {
  ASSERT_TRUE(SaveModelFile(Model(), Backup(), {"1 4 0 0 0"}).saved);
  EXPECT_EQ(folder.Read("model.dat"), "1 4 0 0 0\r\n");
  EXPECT_FALSE(folder.Exists("model.bak"));
}

TEST_F(SaveModelFileTest, KeepsThePermissionsOfTheFileItReplaces) {
  folder.Write("model.dat", "old\r\n");
  ::chmod(Model().c_str(), 0640);
  ASSERT_TRUE(SaveModelFile(Model(), Backup(), {"new"}).saved);
  struct stat info {};
  ::stat(Model().c_str(), &info);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(SaveModelFileTest, SavingThroughALinkWritesTheLinkedFileAndKeepsTheLink) {
  folder.Write("real.dat", "old\r\n");
  std::filesystem::create_symlink(folder.File("real.dat"), Model());
  ASSERT_TRUE(SaveModelFile(Model(), std::nullopt, {"new"}).saved);
  EXPECT_TRUE(std::filesystem::is_symlink(Model()));
  EXPECT_EQ(folder.Read("real.dat"), "new\r\n");
}

// Every failure leaves the model and any older backup exactly as they were and says why.
TEST_F(SaveModelFileTest, AMissingFolderSavesNothing) {
  const SaveResult result = SaveModelFile(folder.File("gone/model.dat"), folder.File("gone/model.bak"), {"x"});
  EXPECT_FALSE(result.saved);
  EXPECT_NE(result.reason.find("No such file"), std::string::npos) << result.reason;
  EXPECT_EQ(FilesInFolder(), 0u);
}

TEST_F(SaveModelFileTest, ABackupThatCannotBeMadeStopsTheSave) {
  folder.Write("model.dat", "old\r\n");
  std::filesystem::create_directory(Backup());
  folder.Write("model.bak/inside", "keep");
  const SaveResult result = SaveModelFile(Model(), Backup(), {"new"});
  EXPECT_FALSE(result.saved);
  EXPECT_NE(result.reason.find("model.bak"), std::string::npos) << result.reason;
  EXPECT_EQ(folder.Read("model.dat"), "old\r\n");
  EXPECT_EQ(folder.Read("model.bak/inside"), "keep");
  EXPECT_EQ(FilesInFolder(), 2u);
}

TEST_F(SaveModelFileTest, AReadOnlyFileIsNotReplacedEvenByAnAdministrator) {
  folder.Write("model.dat", "old\r\n");
  folder.Write("model.bak", "older\r\n");
  ::chmod(Model().c_str(), 0444);
  const SaveResult result = SaveModelFile(Model(), Backup(), {"new"});
  EXPECT_FALSE(result.saved);
  EXPECT_NE(result.reason.find("read-only"), std::string::npos) << result.reason;
  EXPECT_EQ(folder.Read("model.dat"), "old\r\n");
  EXPECT_EQ(folder.Read("model.bak"), "older\r\n");
}

TEST_F(SaveModelFileTest, ANameThatIsAFolderOrEmptyIsRefused) {
  std::filesystem::create_directory(Model());
  EXPECT_FALSE(SaveModelFile(Model(), Backup(), {"x"}).saved);
  EXPECT_TRUE(std::filesystem::is_directory(Model()));
  EXPECT_FALSE(SaveModelFile(folder.Path(), std::nullopt, {"x"}).saved);
}

TEST_F(SaveModelFileTest, AFolderThatCannotBeWrittenSavesNothing) {
  if (::geteuid() == 0) {
    // An administrator writes into any folder; the same refusal is met through a folder the kernel
    // will not let anyone create files in.
    const SaveResult result = SaveModelFile("/proc/kelvane-model.dat", std::nullopt, {"x"});
    EXPECT_FALSE(result.saved);
    EXPECT_FALSE(result.reason.empty());
    return;
  }
  folder.Write("model.dat", "old\r\n");
  ::chmod(folder.Path().c_str(), 0555);
  EXPECT_FALSE(SaveModelFile(Model(), Backup(), {"new"}).saved);
  ::chmod(folder.Path().c_str(), 0755);
  EXPECT_EQ(folder.Read("model.dat"), "old\r\n");
  EXPECT_EQ(FilesInFolder(), 1u);
}

}  // namespace
}  // namespace kelvane::document
