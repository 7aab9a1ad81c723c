// The window program: one KelvaneMain, optionally on a model file named on the command line.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <string>

#include "ui/main_window/kelvane_main.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Kelvane"));
  QApplication::setApplicationName(QStringLiteral("Kelvane"));

  kelvane::ui::KelvaneMain window;
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 1) {
    // The model's folder becomes the DAT folder; naming the file in the combo box loads it.
    const std::string path = QFile::encodeName(arguments.at(1)).toStdString();
    const std::size_t nameStart = path.rfind('/') + 1;  // 0 when the name has no folder part
    window.DATPath = path.substr(0, nameStart);
    window.RefreshFileList();
    window.DATFileCombo->setEditText(QFile::decodeName(path.substr(nameStart).c_str()));
  }
  window.show();
  return QApplication::exec();
}
