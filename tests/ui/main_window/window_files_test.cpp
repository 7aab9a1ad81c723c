// The model files: listing, browsing and "Save File" as the window asks for them and tells what happened.
#include <filesystem>
#include <map>

#include "window_fixture.h"

namespace kelvane::testing {
namespace {

using Files = std::map<std::string, std::string>;  // name in the folder -> bytes; folders end with "/"

class WindowFilesTest : public WindowTest {
 protected:
  // Browses to `answer` ("" cancels), then expects DATPath, the file list, the name and the lines.
  void Browse(const std::string& answer, const TemporaryFolder& path, const QStringList& listed,
              const QString& name, const std::vector<std::string>& lines) {
    if (!answer.empty()) fileDialog->AnswerNext(QString::fromStdString(answer));
    Click(window->BrowseDATFileBtn);
    QStringList names;
    for (int i = 0; i < window->DATFileCombo->count(); ++i) names << window->DATFileCombo->itemText(i);
    EXPECT_TRUE(window->DATPath == path.Path() && names == listed) << answer;
    EXPECT_TRUE(window->DATFileCombo->currentText() == name && Lines().Texts() == lines) << answer;
  }
  TemporaryFolder other;
};

TEST_F(WindowFilesTest, BrowsingOpensTheChosenFileInItsFolderAndListsTheFolder) {
  folder.Write("House.DAT", "");
  other.Write("car.dat", "0 second car\r\n");
  other.Write("ship.mpd", "0 FILE ship.ldr\r\n0 ship\r\n");
  const QStringList here = {"car.dat", "House.DAT"}, there = {"car.dat"};
  Open("car.dat", {"0 first car"});
  EXPECT_TRUE(window->RefreshFileList());
  EXPECT_TRUE(window->DATFileCombo->currentIndex() == -1 && Model().rowCount() == 0);  // chooses none
  window->DATFileCombo->setCurrentIndex(0);
  Click(window->SelectBtn);
  Browse("", folder, here, "car.dat", {"0 first car"});
  EXPECT_EQ(window->SelectBtn->text(), "Deselect All") << "cancelling changes nothing";
  Browse(other.File("gone/car.dat"), folder, here, "car.dat", {"0 first car"});
  ASSERT_EQ(messages->messages.size(), 1u);
  EXPECT_EQ(messages->messages[0].text,
            QString::fromStdString("The folder \"" + other.File("gone/") + "\" does not exist."));
  Browse(other.File("car.dat"), other, there, "car.dat", {"0 second car"});
  Browse(other.File("ship.mpd"), other, there, "ship.mpd", {"0 FILE ship.ldr", "0 ship"});
  Browse(other.File("new model.ldr"), other, there, "new model.ldr", {});
  Click(window->SaveFileBtn);
  EXPECT_TRUE(messages->messages.size() == 2 && other.Exists("new model.ldr"));  // gone folder, saved
  const platform::OpenFileRequest& request = fileDialog->requests.at(0);
  EXPECT_TRUE(request.title == "Select .DAT file" && request.initialFolder == folder.Path().c_str());
  const QList<platform::FileFilter> filters = {
      {"LDraw Model (*.dat,*.ldr,*.mpd)", {"*.dat", "*.ldr", "*.mpd"}}, {"All Files (*.*)", {"*"}}};
  EXPECT_TRUE(request.filters == filters && request.selectedFilter == 0);
}

TEST_F(WindowFilesTest, SavesTheListWithItsBackupOrChangesNoFileAndSaysWhy) {
  const std::string model = "0 M\r\n1 4 0 -24 0\r\n1 1 0 0 0\r\n",
                    sorted = "0 M\r\n1 1 0 0 0\r\n1 4 0 -24 0\r\n";
  const Files old = {{"model.dat", model}, {"model.bak", "old"}};
  const Files bakFolder = {{"model.dat", model}, {"model.bak/", ""}, {"model.bak/k", ""}};
  // The name, the folder before, the backup box, a part of the refusal's reason, the folder after.
  const std::tuple<std::string, Files, bool, const char*, Files> cases[] = {
      {"model.dat", old, false, nullptr, {{"model.dat", sorted}, {"model.bak", "old"}}},
      {"model.dat", old, true, nullptr, {{"model.dat", sorted}, {"model.bak", model}}},
      {"abc", {{"abc", model}}, true, nullptr, {{"abc", sorted}}},  // too short a name for a backup
      {"new.ldr", {}, true, nullptr, {{"new.ldr", ""}}},            // an empty list, a new file
      {"lf.ldr", {{"lf.ldr", "\xE9\n1\n \n\t"}}, false, nullptr, {{"lf.ldr", "\xE9\r\n1\r\n \r\n\t\r\n"}}},
      {"gone/model.dat", {}, true, "No such file or directory", {}},
      // A ".bak" that is a folder with something in it cannot be replaced by a file, not even by root.
      {"model.dat", bakFolder, true, "model.bak", bakFolder},
  };
  window->DATPath = folder.Path();
  for (const auto& [name, before, backup, refusal, after] : cases) {
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) remove_all(entry);
    for (const auto& [file, bytes] : before) {
      if (file.back() == '/') std::filesystem::create_directory(folder.File(file));
      if (file.back() != '/') folder.Write(file, bytes);
    }
    window->DATFileCombo->setEditText("");
    window->DATFileCombo->setEditText(QString::fromStdString(name));
    Click(window->SelectBtn);
    Click(window->SortBtn);
    const std::pair list(Lines().Texts(), CheckedRows());
    window->BackupFilechk->setChecked(backup);
    messages->messages.clear();
    Click(window->SaveFileBtn);
    EXPECT_EQ(std::pair(Lines().Texts(), CheckedRows()), list) << "saving changes neither lines nor marks";
    ASSERT_EQ(messages->messages.size(), 1u);
    const auto& [title, text, icon] = messages->messages[0];
    const QString start = QString::fromStdString("The file \"" + name + "\" has ");
    const bool told = refusal ? text.startsWith(start + "not been saved: ") && text.contains(refusal)
                              : text == start + "been saved";
    EXPECT_TRUE(told && title == "Kelvane") << text.toStdString();
    EXPECT_EQ(icon, refusal ? platform::MessageIcon::kWarning : platform::MessageIcon::kNone);
    Files files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.Path())) {
      const std::string file = entry.path().lexically_relative(folder.Path()).string();
      files[entry.is_directory() ? file + "/" : file] = entry.is_directory() ? "" : folder.Read(file);
    }
    EXPECT_EQ(files, after) << name;
  }
}

}  // namespace
}  // namespace kelvane::testing
