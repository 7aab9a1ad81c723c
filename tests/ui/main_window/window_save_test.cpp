// "Save File": the list written back with CR LF, the ".bak" backup, the confirmation, and failures
// that leave the model and its backup as they were and say so.
#include <sys/stat.h>

#include <QCheckBox>
#include <QTest>
#include <filesystem>

#include "window_fixture.h"

namespace kelvane::testing {
namespace {

constexpr char kModel[] =
    "0 Model\r\n1 4 0 -24 0 1 0 0 0 1 0 0 0 1 3001.dat\r\n1 1 0 0 0 1 0 0 0 1 0 0 0 1 3003.dat\r\n";
constexpr char kSorted[] =
    "0 Model\r\n1 1 0 0 0 1 0 0 0 1 0 0 0 1 3003.dat\r\n1 4 0 -24 0 1 0 0 0 1 0 0 0 1 3001.dat\r\n";

class WindowSaveTest : public WindowTest {
 protected:
  void Save(bool backup) {
    window->BackupFilechk->setChecked(backup);
    QTest::mouseClick(window->SaveFileBtn, Qt::LeftButton);
  }
  void SortAll() {
    QTest::mouseClick(window->SelectBtn, Qt::LeftButton);
    QTest::mouseClick(window->SortBtn, Qt::LeftButton);
  }
  void ExpectConfirmed(const QString& name) {
    ASSERT_EQ(messages->messages.size(), 1u);
    EXPECT_EQ(messages->messages[0].title, "Kelvane");
    EXPECT_EQ(messages->messages[0].text, "The file \"" + name + "\" has been saved");
    EXPECT_EQ(messages->messages[0].icon, platform::MessageIcon::kNone);
    messages->messages.clear();
  }
  void ExpectRefused(const QString& name, const QString& reasonPart) {
    ASSERT_EQ(messages->messages.size(), 1u);
    const QString text = messages->messages[0].text;
    EXPECT_TRUE(text.startsWith("The file \"" + name + "\" has not been saved: ")) << text.toStdString();
    EXPECT_TRUE(text.contains(reasonPart)) << text.toStdString();
    EXPECT_EQ(messages->messages[0].icon, platform::MessageIcon::kWarning);
    messages->messages.clear();
  }
};

TEST_F(WindowSaveTest, WithoutBackupOnlyTheModelIsWritten) {
  folder.Write("model.bak", "old backup");
  Open("model.dat", kModel);
  SortAll();
  Save(false);
  ExpectConfirmed("model.dat");
  EXPECT_EQ(folder.Read("model.dat"), kSorted);
  EXPECT_EQ(folder.Read("model.bak"), "old backup");
}

TEST_F(WindowSaveTest, BackupReplacesAnOlderOneWithTheFileAsItWasOnDisk) {
  folder.Write("model.bak", "old backup");
  Open("model.dat", kModel);
  SortAll();
  Save(true);
  ExpectConfirmed("model.dat");
  EXPECT_EQ(folder.Read("model.dat"), kSorted);
  EXPECT_EQ(folder.Read("model.bak"), kModel);
}

TEST_F(WindowSaveTest, SavingTwiceKeepsTheFirstSaveAsBackup) {
  Open("model.dat", kModel);
  Save(true);
  ExpectConfirmed("model.dat");
  SortAll();
  Save(true);
  ExpectConfirmed("model.dat");
  EXPECT_EQ(folder.Read("model.bak"), kModel);  // written by the first save, the same lines as loaded
  EXPECT_EQ(folder.Read("model.dat"), kSorted);
  SortAll();  // only deselects now: the list keeps the sorted lines
  Save(true);
  EXPECT_EQ(folder.Read("model.bak"), kSorted);
}

TEST_F(WindowSaveTest, AnLdrFileReplacesTheBackupOfTheDatFileOfTheSameName) {
  Open("model.dat", "0 the dat\r\n");
  Save(true);
  ASSERT_EQ(folder.Read("model.bak"), "0 the dat\r\n");
  Open("model.ldr", "0 the ldr\r\n");
  Save(true);
  EXPECT_EQ(folder.Read("model.bak"), "0 the ldr\r\n");
  EXPECT_EQ(folder.Read("model.dat"), "0 the dat\r\n");
}

TEST_F(WindowSaveTest, ANewNameIsCreatedWithoutBackupAndAnEmptyListGivesAnEmptyFile) {
  window->DATPath = folder.Path();
  window->DATFileCombo->setEditText("new.ldr");
  ASSERT_EQ(Model().rowCount(), 0);
  Save(true);
  ExpectConfirmed("new.ldr");
  EXPECT_TRUE(folder.Exists("new.ldr"));
  EXPECT_EQ(folder.Read("new.ldr"), "");
  EXPECT_FALSE(folder.Exists("new.bak"));
}

TEST_F(WindowSaveTest, ANameShorterThanFourCharactersGetsNoBackup) {
  Open("abc", kModel);
  Save(true);
  ExpectConfirmed("abc");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST_F(WindowSaveTest, WritesCrLfAfterEveryLineAndKeepsEveryByte) {
  Open("unix.ldr", "0 caf\xE9\n1 4 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat\n  \n\t0 x");
  Save(false);
  ExpectConfirmed("unix.ldr");
  EXPECT_EQ(folder.Read("unix.ldr"), "0 caf\xE9\r\n1 4 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat\r\n  \r\n\t0 x\r\n");
}

TEST_F(WindowSaveTest, AMissingFolderIsReportedAndNothingIsCreated) {
  window->DATPath = folder.File("gone/");
  window->DATFileCombo->setEditText("model.dat");
  Save(true);
  ExpectRefused("model.dat", "No such file or directory");
  EXPECT_FALSE(folder.Exists("gone"));
}

TEST_F(WindowSaveTest, ABackupThatCannotBeMadeLeavesTheModelAsItWas) {
  // A ".bak" that is a folder with something in it cannot be replaced by a file, not even by root.
  std::filesystem::create_directory(folder.File("model.bak"));
  folder.Write("model.bak/keep.txt", "kept");
  Open("model.dat", kModel);
  SortAll();
  Save(true);
  ExpectRefused("model.dat", "model.bak");
  EXPECT_EQ(folder.Read("model.dat"), kModel);
  EXPECT_EQ(folder.Read("model.bak/keep.txt"), "kept");
  Save(false);
  ExpectConfirmed("model.dat");  // without the backup the same save goes through
  EXPECT_EQ(folder.Read("model.dat"), kSorted);
}

TEST_F(WindowSaveTest, AReadOnlyFileIsLeftAsItWas) {
  Open("model.dat", kModel);
  ASSERT_EQ(::chmod(folder.File("model.dat").c_str(), 0444), 0);
  SortAll();
  Save(true);
  ExpectRefused("model.dat", "read-only");
  EXPECT_EQ(folder.Read("model.dat"), kModel);
  EXPECT_FALSE(folder.Exists("model.bak"));
}

TEST_F(WindowSaveTest, AnEmptyNameIsReported) {
  window->DATPath = folder.Path();
  Save(false);
  ExpectRefused("", "name");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 0);
}

TEST_F(WindowSaveTest, SavingChangesNeitherTheListNorItsMarks) {
  Open("model.dat", kModel);
  SortAll();
  const std::vector<int> checked = CheckedRows();
  const std::vector<std::string> texts = Lines().Texts();
  Save(true);
  EXPECT_EQ(CheckedRows(), checked);
  EXPECT_EQ(Lines().Texts(), texts);
  EXPECT_TRUE(window->SortBtn->isEnabled());
  EXPECT_EQ(window->SelectBtn->text(), "Deselect All");
}

}  // namespace
}  // namespace kelvane::testing
