// The model file's name: the combo box that names it, the folder listing that fills the combo box's
// list, and the file-open dialog.
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QSignalBlocker>

#include "document/folder_listing.h"
#include "ui/main_window/kelvane_main.h"

namespace kelvane::ui {

// Qt raises up to three signals for one choice in an editable combo box: the text changes, then the
// index, then the entry is "activated" (the last one alone when the same entry is chosen again). The
// three handlers below turn them into exactly one load per action.

void KelvaneMain::OnComboTextChanged() {
  // The text half of an entry being chosen: the index change that follows loads.
  if (DATFileCombo->currentIndex() != announcedComboIndex_) return;
  DATFileCombo_Change();
}

void KelvaneMain::OnComboIndexChanged(int index) {
  announcedComboIndex_ = index;
  DATFileCombo_Click();
}

void KelvaneMain::OnComboActivated() {
  // Choosing the entry that is already chosen changes neither text nor index, yet it is a choice:
  // the file is read again (which is how unsaved sorting is thrown away).
  if (comboLoadedInThisAction_) return;
  DATFileCombo_Click();
}

void KelvaneMain::DATFileCombo_Change() { LoadFromCombo(); }

void KelvaneMain::DATFileCombo_Click() { LoadFromCombo(); }

void KelvaneMain::LoadFromCombo() {
  if (!comboLoadedInThisAction_) {
    comboLoadedInThisAction_ = true;
    QMetaObject::invokeMethod(
        this, [this] { comboLoadedInThisAction_ = false; }, Qt::QueuedConnection);
  }
  LoadDATFile(DATFileCombo->currentText());
}

bool KelvaneMain::RefreshFileList() {
  const document::FolderListing listing = document::ListDatFiles(DATPath);
  // Emptying the list and the text names no file: the line list empties with them.
  DATFileCombo->clear();
  DATFileCombo->clearEditText();
  {
    // Filling the list must choose nothing, but Qt makes the first entry of an empty combo box the
    // chosen one; the choice is undone before anyone hears of it.
    const QSignalBlocker quiet(DATFileCombo);
    for (const std::string& name : listing.names) DATFileCombo->addItem(QFile::decodeName(name.c_str()));
    DATFileCombo->setCurrentIndex(-1);
    DATFileCombo->clearEditText();
  }
  announcedComboIndex_ = -1;
  return listing.folderFound;
}

void KelvaneMain::BrowseDATFileBtn_Click() {
  const platform::OpenFileRequest request{
      QStringLiteral("Select .DAT file"),
      QFile::decodeName(DATPath.c_str()),
      {{QStringLiteral("LDraw Model (*.dat,*.ldr,*.mpd)"),
        {QStringLiteral("*.dat"), QStringLiteral("*.ldr"), QStringLiteral("*.mpd")}},
       {QStringLiteral("All Files (*.*)"), {QStringLiteral("*")}}},
      0,
  };
  const QString chosen = services_.fileDialog->GetOpenFileName(this, request);
  if (chosen.isEmpty()) return;

  const std::string path = QFile::encodeName(chosen).toStdString();
  const std::size_t nameStart = path.rfind('/') + 1;  // 0 when there is no folder part
  const std::string folder = path.substr(0, nameStart);
  const std::string title = path.substr(nameStart);
  // A name typed into the dialog may point into a folder that is not there; moving DATPath there
  // would leave the window naming nothing that exists.
  const QString folderName = QFile::decodeName(folder.c_str());
  if (!folder.empty() && !QFileInfo(folderName).isDir()) {
    ShowMessage(QStringLiteral("The folder \"%1\" does not exist.").arg(folderName), true);
    return;
  }
  DATPath = folder;
  RefreshFileList();
  DATFileCombo->setEditText(QFile::decodeName(title.c_str()));  // loads the file
}

}  // namespace kelvane::ui
