// The window program: KelvaneMain on the user's remembered settings, optionally on a model file named
// on the command line.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "kelvane/version.h"
#include "platform/settings/qt_settings_store.h"
#include "settings/command_line.h"
#include "ui/main_window/kelvane_main.h"

int main(int argc, char** argv) {
  // Answered before the window toolkit starts, so that they work without a display.
  const std::string_view only = argc == 2 ? argv[1] : "";
  if (only == "--help") {
    std::cout
        << "Usage: kelvane [MODEL]\n"
           "Shows an LDraw model file (.dat, .ldr, .mpd) line by line, sorts its checked part lines by\n"
           "coordinates, part number or color, and saves it back. MODEL opens that file; without it the\n"
           "first .dat file of the remembered folder is opened.\n"
           "  --help     show this help and exit\n"
           "  --version  show the version and exit\n"
           "See also kelvane-sort(1), the same sort without a window.\n";
    return 0;
  }
  if (only == "--version") {
    std::cout << "Kelvane " << kelvane::kVersionText << "\n";
    return 0;
  }

  QApplication application(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Kelvane"));
  QApplication::setApplicationName(QStringLiteral("Kelvane"));

  // QApplication has taken its own options out of argv; what is left is the user's, as the bytes the
  // file system spells the path with.
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  kelvane::ui::KelvaneMain::Launch launch;
  launch.commandLine = kelvane::settings::AbsoluteCommandLine(
      kelvane::settings::JoinArguments(arguments), QFile::encodeName(QDir::currentPath()).toStdString());
  launch.fallbackFolder =
      kelvane::settings::FallbackDatFolder(QFile::encodeName(QDir::homePath()).toStdString());

  kelvane::platform::QtSettingsStore store;
  kelvane::ui::KelvaneMain window;
  window.Form_Load(store, launch);
  window.show();
  return QApplication::exec();
}
