// The window program: KelvaneMain on the user's remembered settings, optionally on a model file named
// on the command line.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <string>
#include <vector>

#include "settings/command_line.h"
#include "platform/settings/qt_settings_store.h"
#include "ui/main_window/kelvane_main.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Kelvane"));
  QApplication::setApplicationName(QStringLiteral("Kelvane"));

  // QApplication has taken its own options out of argv; what is left is the user's, as the bytes the
  // file system spells the path with.
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  kelvane::ui::KelvaneMain::Launch launch;
  launch.commandLine = kelvane::settings::JoinArguments(arguments);
  launch.fallbackFolder = kelvane::settings::FallbackDatFolder(QFile::encodeName(QDir::homePath()).toStdString());

  kelvane::platform::QtSettingsStore store;
  kelvane::ui::KelvaneMain window;
  window.Form_Load(store, launch);
  window.show();
  return QApplication::exec();
}
