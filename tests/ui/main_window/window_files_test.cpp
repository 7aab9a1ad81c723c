// The folder of model files: the ".dat" names in the combo box's list, and the file-open dialog that
// moves to another folder and opens a file there.
#include <QCheckBox>
#include <QTest>
#include <filesystem>

#include "window_fixture.h"

namespace kelvane::testing {
namespace {

QStringList ComboEntries(const QComboBox& combo) {
  QStringList entries;
  for (int i = 0; i < combo.count(); ++i) entries.append(combo.itemText(i));
  return entries;
}

using WindowFileListTest = WindowTest;

TEST_F(WindowFileListTest, ListsTheDatFilesOfTheFolderWithoutRegardToCase) {
  for (const char* name : {"b.dat", "A.DAT", "c.Dat", "d.ldr", "e.mpd", "notes.txt", "f.dat.txt"}) {
    folder.Write(name, "0 x\r\n");
  }
  std::filesystem::create_directory(folder.File("x.dat"));
  window->DATPath = folder.Path();
  EXPECT_TRUE(window->RefreshFileList());
  EXPECT_EQ(ComboEntries(*window->DATFileCombo), (QStringList{"A.DAT", "b.dat", "c.Dat"}));
  EXPECT_EQ(window->DATFileCombo->currentIndex(), -1) << "listing chooses no entry";
  EXPECT_TRUE(window->DATFileCombo->currentText().isEmpty());
  EXPECT_EQ(Model().rowCount(), 0);
}

TEST_F(WindowFileListTest, RefreshingEmptiesTheNameAndTheList) {
  Open("a.dat", "0 a\r\n1 a\r\n");
  ASSERT_EQ(Model().rowCount(), 2);
  EXPECT_TRUE(window->RefreshFileList());
  EXPECT_EQ(ComboEntries(*window->DATFileCombo), QStringList{"a.dat"});
  EXPECT_TRUE(window->DATFileCombo->currentText().isEmpty());
  EXPECT_EQ(Model().rowCount(), 0);
  window->DATFileCombo->setCurrentIndex(0);
  EXPECT_EQ(Model().rowCount(), 2) << "choosing the entry loads it";
}

TEST_F(WindowFileListTest, AnEmptyOrMissingFolderGivesAnEmptyList) {
  Open("a.dat", "0 a\r\n");
  std::filesystem::remove(folder.File("a.dat"));
  window->DATPath = folder.Path();
  EXPECT_TRUE(window->RefreshFileList());
  EXPECT_EQ(window->DATFileCombo->count(), 0);
  EXPECT_TRUE(window->DATFileCombo->currentText().isEmpty());

  folder.Write("b.dat", "");
  window->RefreshFileList();
  window->DATPath = folder.File("missing/");
  EXPECT_FALSE(window->RefreshFileList());
  EXPECT_EQ(window->DATFileCombo->count(), 0);
}

class WindowBrowseTest : public WindowTest {
 protected:
  void SetUp() override {
    folder.Write("car.dat", "0 first car\r\n");
    folder.Write("house.dat", "0 house\r\n");
    other.Write("car.dat", "0 second car\r\n1 4 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat\r\n");
    other.Write("truck.DAT", "0 truck\r\n");
    other.Write("ship.mpd", "0 FILE ship.ldr\r\n0 ship\r\n");
    Open("car.dat", "0 first car\r\n");
    window->RefreshFileList();
    window->DATFileCombo->setCurrentIndex(0);
  }

  void Browse(const std::string& answer) {
    if (!answer.empty()) fileDialog->AnswerNext(QString::fromStdString(answer));
    QTest::mouseClick(window->BrowseDATFileBtn, Qt::LeftButton);
  }

  TemporaryFolder other;
};

TEST_F(WindowBrowseTest, AsksForAModelFileInTheCurrentFolder) {
  Browse("");
  ASSERT_EQ(fileDialog->requests.size(), 1u);
  const platform::OpenFileRequest& request = fileDialog->requests[0];
  EXPECT_EQ(request.title, "Select .DAT file");
  EXPECT_EQ(request.initialFolder, QString::fromStdString(folder.Path()));
  const QList<platform::FileFilter> filters = {
      {"LDraw Model (*.dat,*.ldr,*.mpd)", {"*.dat", "*.ldr", "*.mpd"}},
      {"All Files (*.*)", {"*"}},
  };
  EXPECT_EQ(request.filters, filters);
  EXPECT_EQ(request.selectedFilter, 0);
}

TEST_F(WindowBrowseTest, CancellingChangesNothing) {
  Browse("");
  EXPECT_EQ(window->DATPath, folder.Path());
  EXPECT_EQ(ComboEntries(*window->DATFileCombo), (QStringList{"car.dat", "house.dat"}));
  EXPECT_EQ(window->DATFileCombo->currentText(), "car.dat");
  EXPECT_EQ(Lines().Texts(), std::vector<std::string>{"0 first car"});
  EXPECT_TRUE(messages->messages.empty());
}

TEST_F(WindowBrowseTest, TheSameNameInAnotherFolderOpensTheFileThere) {
  Browse(other.File("car.dat"));
  EXPECT_EQ(window->DATPath, other.Path());
  EXPECT_EQ(ComboEntries(*window->DATFileCombo), (QStringList{"car.dat", "truck.DAT"}));
  EXPECT_EQ(window->DATFileCombo->currentText(), "car.dat");
  EXPECT_EQ(Lines().Text(0), "0 second car");
  EXPECT_TRUE(messages->messages.empty());
}

TEST_F(WindowBrowseTest, AnMpdFileOpensButIsNotListed) {
  Browse(other.File("ship.mpd"));
  EXPECT_EQ(window->DATFileCombo->currentText(), "ship.mpd");
  EXPECT_EQ(ComboEntries(*window->DATFileCombo), (QStringList{"car.dat", "truck.DAT"}));
  EXPECT_EQ(Lines().Texts(), (std::vector<std::string>{"0 FILE ship.ldr", "0 ship"}));
}

TEST_F(WindowBrowseTest, ANameThatDoesNotExistYetCanBeSavedUnderIt) {
  Browse(other.File("new model.ldr"));
  EXPECT_EQ(window->DATPath, other.Path());
  EXPECT_EQ(window->DATFileCombo->currentText(), "new model.ldr");
  EXPECT_EQ(Model().rowCount(), 0);
  EXPECT_TRUE(messages->messages.empty());
  QTest::mouseClick(window->SaveFileBtn, Qt::LeftButton);
  EXPECT_TRUE(other.Exists("new model.ldr"));
}

TEST_F(WindowBrowseTest, AFolderThatDoesNotExistChangesNothingAndIsReported) {
  const std::string missing = other.File("no such folder/");
  Browse(missing + "car.dat");
  EXPECT_EQ(window->DATPath, folder.Path());
  EXPECT_EQ(window->DATFileCombo->currentText(), "car.dat");
  EXPECT_EQ(Lines().Texts(), std::vector<std::string>{"0 first car"});
  ASSERT_EQ(messages->messages.size(), 1u);
  EXPECT_EQ(messages->messages[0].text,
            "The folder \"" + QString::fromStdString(missing) + "\" does not exist.");
}

TEST_F(WindowBrowseTest, ChoosingTheOpenFileAgainReadsItAgain) {
  QTest::mouseClick(window->SelectBtn, Qt::LeftButton);
  folder.Write("car.dat", "0 changed on disk\r\n");
  Browse(folder.File("car.dat"));
  EXPECT_EQ(Lines().Texts(), std::vector<std::string>{"0 changed on disk"});
  EXPECT_EQ(window->SelectBtn->text(), "Select All");
}

}  // namespace
}  // namespace kelvane::testing
