// The document's commands: loading a model file into the list, the check-mark rule, "Select All",
// "Sort File" and "Save File".
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPushButton>

#include "ui/main_window/kelvane_main.h"
#include "ui/main_window/line_list_model.h"

namespace kelvane::ui {
namespace {

std::string FileBytes(const QString& name) { return QFile::encodeName(name).toStdString(); }

}  // namespace

void KelvaneMain::LoadDATFile(const QString& fileName) {
  session::Notice notice;
  lineModel_->Reset([&] { notice = session_.Load(DATPath + FileBytes(fileName)); });
  ShowSelectionCaption();
  UpdateSortCommand();
  ShowNotice(notice);
}

void KelvaneMain::DATDataList_ItemCheck(int /*item*/) {
  // The session has applied the check rule already; what is left is the Sort command.
  UpdateSortCommand();
}

void KelvaneMain::SelectBtn_Click() {
  lineModel_->ChangeAll([this] { session_.ToggleSelection(); });
  ShowSelectionCaption();
  UpdateSortCommand();
}

void KelvaneMain::SortBtn_Click() {
  if (!session_.CanSort()) return;
  lineModel_->ChangeAll([this] { session_.Sort(); });
}

void KelvaneMain::SaveFileBtn_Click() {
  const std::string name = FileBytes(DATFileCombo->currentText());
  const bool backup = BackupFilechk->isChecked();
  session::Notice notice = session_.Save(DATPath + name, name, backup);
  if (notice.kind == session::Notice::Kind::kQuestion) {
    if (!ShowNotice(notice)) return;  // "No": nothing is written, and nothing more is said
    notice = session_.Save(DATPath + name, name, backup, true);
  }
  ShowNotice(notice);
}

void KelvaneMain::ShowSelectionCaption() {
  const QString caption = QString::fromUtf8(session_.SelectionCaption());
  SelectBtn->setText(caption);
  SelectBtn->setAccessibleName(caption);
}

void KelvaneMain::UpdateSortCommand() {
  const bool allowed = session_.CanSort();
  SortBtn->setEnabled(allowed);
  MenuSortFile->setEnabled(allowed);
}

bool KelvaneMain::ShowNotice(const session::Notice& notice) {
  const QString text = QString::fromLocal8Bit(notice.text);
  switch (notice.kind) {
    case session::Notice::Kind::kNone:
      return false;
    case session::Notice::Kind::kQuestion:
      return services_.messageBox->Ask(this, QStringLiteral("Kelvane"), text);
    case session::Notice::Kind::kInformation:
    case session::Notice::Kind::kWarning:
      break;
  }
  ShowMessage(text, notice.kind == session::Notice::Kind::kWarning);
  return false;
}

}  // namespace kelvane::ui
