#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

namespace kelvane::platform {

// One entry of the dialog's file-type list: the text the user sees and the name patterns it stands
// for. Patterns are matched without regard to case, so "*.dat" also offers "CAR.DAT".
struct FileFilter {
  QString description;
  QStringList patterns;
  friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

struct OpenFileRequest {
  QString title;
  QString initialFolder;
  QList<FileFilter> filters;
  int selectedFilter = 0;  // index into filters
};

// The modal file-open dialog. The chosen name need not exist yet (a model can be started under a new
// name and saved later). Returns the full path of the chosen file, or an empty text when the user
// cancelled.
class FileDialog {
 public:
  virtual ~FileDialog() = default;
  virtual QString GetOpenFileName(QWidget* owner, const OpenFileRequest& request) = 0;
};

class QtFileDialog final : public FileDialog {
 public:
  QString GetOpenFileName(QWidget* owner, const OpenFileRequest& request) override;
};

// Qt reads a filter's patterns out of the last parentheses of its text and splits them at blanks, so
// a description such as "LDraw Model (*.dat,*.ldr,*.mpd)" would stand for one pattern that matches
// nothing. The patterns therefore go into parentheses of their own, which the dialog hides.
QString QtNameFilter(const FileFilter& filter);

}  // namespace kelvane::platform
