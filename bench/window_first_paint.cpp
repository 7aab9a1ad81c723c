// kelvane-first-paint MODEL: starts the window on MODEL as `kelvane MODEL` does (with settings kept in
// memory, so the user's stay as they are), and prints the seconds from the start of main until the
// list has painted the model's lines, then the peak memory in KiB. Runs offscreen unless a platform is
// set.
#include <sys/resource.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListView>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "settings/command_line.h"
#include "settings/memory_settings_store.h"
#include "ui/main_window/kelvane_main.h"

namespace {

// Quits once the list has painted with rows in it; the time is taken after the paint has finished.
class FirstPaint final : public QObject {
 public:
  FirstPaint(QListView& list, std::chrono::steady_clock::time_point start) : list_(list), start_(start) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && list_.model() != nullptr && list_.model()->rowCount() > 0) {
      list_.viewport()->removeEventFilter(this);
      QTimer::singleShot(0, this, [this] {
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start_;
        rusage usage{};
        ::getrusage(RUSAGE_SELF, &usage);
        std::printf("%.3f %ld\n", elapsed.count(), usage.ru_maxrss);
        QApplication::exit(0);
      });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QListView& list_;
  std::chrono::steady_clock::time_point start_;
};

}  // namespace

int main(int argc, char** argv) {
  const auto start = std::chrono::steady_clock::now();
  if (argc != 2) {
    std::fputs("Usage: kelvane-first-paint MODEL\n", stderr);
    return 2;
  }
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  kelvane::ui::KelvaneMain::Launch launch;
  launch.commandLine = kelvane::settings::AbsoluteCommandLine(
      std::string(argv[1]), QFile::encodeName(QDir::currentPath()).toStdString());
  launch.fallbackFolder.push_back('/');

  kelvane::settings::MemorySettingsStore store;
  kelvane::ui::KelvaneMain window;
  auto* list = window.findChild<QListView*>(QStringLiteral("DATDataList"));
  if (list == nullptr) return 1;
  FirstPaint firstPaint(*list, start);
  list->viewport()->installEventFilter(&firstPaint);
  window.Form_Load(store, launch);
  window.show();
  return QApplication::exec();
}
