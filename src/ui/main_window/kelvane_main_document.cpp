// The document's commands: loading a model file into the list, the check-mark rule, "Select All",
// "Sort File" and "Save File".
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <optional>

#include "document/check_rules.h"
#include "document/model_file_reader.h"
#include "document/model_file_writer.h"
#include "sorting/sort_command.h"
#include "ui/main_window/kelvane_main.h"
#include "ui/main_window/line_list_model.h"

namespace kelvane::ui {
namespace {

std::string FileBytes(const QString& name) { return QFile::encodeName(name).toStdString(); }

QString Quoted(const QString& text) { return QLatin1Char('"') + text + QLatin1Char('"'); }

}  // namespace

void KelvaneMain::LoadDATFile(const QString& fileName) {
  lineModel_->Clear();
  UpdateSortCommand();
  SelectBtn->setText(QString::fromLatin1(document::kSelectAllCaption));

  const std::string path = DATPath + FileBytes(fileName);
  document::ReadResult result = document::ReadModelFile(path);
  switch (result.status) {
    case document::ReadResult::Status::kLoaded:
      lineModel_->Assign(std::move(result.lines));
      break;
    case document::ReadResult::Status::kNotAFile:
      break;  // the normal state while a name is being typed: nothing to say
    case document::ReadResult::Status::kUnreadable:
      ShowMessage(QStringLiteral("The file %1 could not be read: %2.")
                      .arg(Quoted(QFile::decodeName(path.c_str())), QString::fromLocal8Bit(result.reason)),
                  true);
      break;
  }
}

void KelvaneMain::DATDataList_ItemCheck(int item) {
  const document::LineList& lines = lineModel_->Lines();
  const auto index = static_cast<std::size_t>(item);
  // Taking the mark off raises this handler once more, which finds nothing left to take off.
  if (lines.IsChecked(index) && !document::IsCheckable(lines.Text(index)))
    lineModel_->SetChecked(item, false);
  UpdateSortCommand();
}

void KelvaneMain::SelectBtn_Click() {
  if (lineModel_->Lines().Empty()) return;
  const std::string caption = SelectBtn->text().toStdString();
  std::string_view next;
  lineModel_->ChangeAll([&](document::LineList& lines) { next = document::ToggleSelection(lines, caption); });
  SelectBtn->setText(QString::fromUtf8(next.data(), static_cast<qsizetype>(next.size())));
  UpdateSortCommand();
}

void KelvaneMain::SortBtn_Click() {
  if (!document::SortAllowed(lineModel_->Lines())) return;
  const sorting::SortOptions options = CurrentSortOptions();
  lineModel_->ChangeAll([&options](document::LineList& lines) { sorting::SortCheckedLines(lines, options); });
}

void KelvaneMain::SaveFileBtn_Click() {
  const QString name = DATFileCombo->currentText();
  const std::string nameBytes = FileBytes(name);
  std::optional<std::string> backupPath;
  if (BackupFilechk->isChecked()) {
    if (const auto backupName = document::BackupName(nameBytes)) backupPath = DATPath + *backupName;
  }
  const document::SaveResult result =
      document::SaveModelFile(DATPath + nameBytes, backupPath, lineModel_->Lines().Texts());
  if (result.saved) {
    ShowMessage(QStringLiteral("The file %1 has been saved").arg(Quoted(name)), false);
  } else {
    ShowMessage(QStringLiteral("The file %1 has not been saved: %2.")
                    .arg(Quoted(name), QString::fromLocal8Bit(result.reason)),
                true);
  }
}

void KelvaneMain::UpdateSortCommand() {
  const bool allowed = document::SortAllowed(lineModel_->Lines());
  SortBtn->setEnabled(allowed);
  MenuSortFile->setEnabled(allowed);
}

}  // namespace kelvane::ui
