#include "platform/dialogs/file_dialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>

#include "platform/dialogs/modal_answerer.h"
#include "support/temporary_folder.h"

namespace kelvane::platform {
namespace {

const QList<FileFilter> kModelFilters = {
    {"LDraw Model (*.dat,*.ldr,*.mpd)", {"*.dat", "*.ldr", "*.mpd"}},
    {"All Files (*.*)", {"*"}},
};

TEST(QtNameFilterTest, KeepsTheDescriptionAndGivesQtThePatternsSeparately) {
  EXPECT_EQ(QtNameFilter(kModelFilters[0]), "LDraw Model (*.dat,*.ldr,*.mpd) (*.dat *.ldr *.mpd)");
  EXPECT_EQ(QtNameFilter(kModelFilters[1]), "All Files (*.*) (*)");
}

struct SeenDialog {
  QString title;
  QString folder;
  QStringList shownFilters;
  QString selectedFilter;
  QFileDialog::FileMode fileMode = QFileDialog::ExistingFile;
  QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptSave;
};

// Opens the dialog, records what it shows, then types `name` (or cancels when empty).
std::pair<QString, SeenDialog> Choose(const OpenFileRequest& request, const QString& name) {
  SeenDialog seen;
  testing::AnswerNextModal<QFileDialog>([&seen, name](QFileDialog* dialog) {
    seen.title = dialog->windowTitle();
    seen.folder = dialog->directory().absolutePath();
    seen.fileMode = dialog->fileMode();
    seen.acceptMode = dialog->acceptMode();
    if (auto* types = dialog->findChild<QComboBox*>("fileTypeCombo")) {
      for (int i = 0; i < types->count(); ++i) seen.shownFilters.append(types->itemText(i));
      seen.selectedFilter = types->currentText();
    }
    if (name.isEmpty()) {
      dialog->reject();
    } else {
      // Typed as a person would: selectFile() leaves a focused name box alone.
      dialog->findChild<QLineEdit*>("fileNameEdit")->setText(name);
      QMetaObject::invokeMethod(dialog, "accept");  // what the Open button does
    }
  });
  QString chosen = QtFileDialog().GetOpenFileName(nullptr, request);
  return {chosen, seen};
}

OpenFileRequest ModelRequest(const std::string& folder) {
  return OpenFileRequest{"Select .DAT file", QString::fromStdString(folder), kModelFilters, 0};
}

TEST(QtFileDialogTest, ShowsTheRequestAndReturnsTheChosenFullPath) {
  testing::TemporaryFolder folder;
  folder.Write("car.dat", "0 car\r\n");
  const auto [chosen, seen] = Choose(ModelRequest(folder.Path()), "car.dat");
  EXPECT_EQ(chosen, QString::fromStdString(folder.File("car.dat")));
  EXPECT_EQ(seen.title, "Select .DAT file");
  EXPECT_EQ(seen.folder + "/", QString::fromStdString(folder.Path()));
  EXPECT_EQ(seen.shownFilters, (QStringList{"LDraw Model (*.dat,*.ldr,*.mpd)", "All Files (*.*)"}));
  EXPECT_EQ(seen.selectedFilter, "LDraw Model (*.dat,*.ldr,*.mpd)");
  EXPECT_EQ(seen.acceptMode, QFileDialog::AcceptOpen);
}

TEST(QtFileDialogTest, AcceptsANameThatDoesNotExistYet) {
  testing::TemporaryFolder folder;
  const auto [chosen, seen] = Choose(ModelRequest(folder.Path()), "new model.ldr");
  EXPECT_EQ(chosen, QString::fromStdString(folder.File("new model.ldr")));
  EXPECT_EQ(seen.fileMode, QFileDialog::AnyFile);
}

TEST(QtFileDialogTest, CancelGivesAnEmptyPath) {
  testing::TemporaryFolder folder;
  EXPECT_TRUE(Choose(ModelRequest(folder.Path()), "").first.isEmpty());
}

}  // namespace
}  // namespace kelvane::platform
