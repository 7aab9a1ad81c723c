#include "platform/dialogs/file_dialog.h"

#include <QFileDialog>

namespace kelvane::platform {

QString QtNameFilter(const FileFilter& filter) {
  return filter.description + QStringLiteral(" (") + filter.patterns.join(QLatin1Char(' ')) +
         QLatin1Char(')');
}

QString QtFileDialog::GetOpenFileName(QWidget* owner, const OpenFileRequest& request) {
  QFileDialog dialog(owner, request.title, request.initialFolder);
  // Qt's own dialog: the platform dialogs refuse a name that does not exist yet in open mode, and
  // some match patterns with regard to case.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::AnyFile);
  QStringList nameFilters;
  for (const FileFilter& filter : request.filters) nameFilters.append(QtNameFilter(filter));
  dialog.setNameFilters(nameFilters);
  if (request.selectedFilter >= 0 && request.selectedFilter < nameFilters.size()) {
    dialog.selectNameFilter(nameFilters.at(request.selectedFilter));
  }
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList chosen = dialog.selectedFiles();
  return chosen.isEmpty() ? QString() : chosen.first();
}

}  // namespace kelvane::platform
