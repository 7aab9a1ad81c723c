// The window's start-up on remembered settings and a command line, what its close writes back, the
// About box, and what a screen reader is told.
#include <QAccessible>
#include <QDialog>
#include <QDir>
#include <QTimer>
#include <functional>

#include "settings/command_line.h"
#include "window_fixture.h"

namespace kelvane::testing {
namespace {

// Hands the About box to `answer` from inside its modal loop, once it is up.
void WhenAboutBoxShows(std::function<void(QDialog*)> answer) {
  auto* timer = new QTimer(qApp);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, answer] {
    auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    timer->deleteLater();
    timer->stop();
    answer(box);
  });
  timer->start(10);
}

class StartupShutdownTest : public WindowTest {
 protected:
  StartupShutdownTest() {
    folder.Write("a.dat", "0 a\r\n1 4 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat\r\n");
    folder.Write("Car.DAT", "0 car\r\n");
    stored.Write("z.dat", "0 z\r\n");
  }
  void Store(settings::SettingKey key, const std::string& text) { settings::WriteSetting(store, key, text); }
  // Closes the window and returns what it wrote, "Key=text " each.
  std::string Close() {
    const std::size_t first = store.Writes().size();
    EXPECT_TRUE(window->close());
    std::string written;
    for (std::size_t i = first; i < store.Writes().size(); ++i)
      written += store.Writes()[i].key + "=" + store.Writes()[i].text + " ";
    return written;
  }

  TemporaryFolder stored;
};

TEST_F(StartupShutdownTest, CommandLine) {
  const std::tuple<std::string, QString> cases[] = {{folder.Path() + "car.dat", "Car.DAT"},
                                                    {folder.Path() + "gone.dat", "a.dat"},
                                                    {folder.Path() + "a.ldr", "a.dat"},  // no such file
                                                    {"b.MPD", "b.MPD"},  // relative to the current folder
                                                    {std::string("\"") + folder.Path() + "a.dat\"", "z.dat"}};
  Store(settings::SettingKey::kDATPath, stored.Path());
  folder.Write("b.MPD", "0 FILE b.ldr\r\n");
  ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(folder.Path())));
  for (const auto& [commandLine, opened] : cases) {
    Start(settings::AbsoluteCommandLine(commandLine, QDir::currentPath().toStdString()));
    EXPECT_EQ(Combo()->currentText(), opened) << commandLine;
  }
}

TEST_F(StartupShutdownTest, CloseWritesTheWindowOnlyInTheNormalStateAndAFailedWriteIsReported) {
  const std::tuple<const char*, Qt::WindowState, const char*> cases[] = {
      {"0", Qt::WindowNoState,
       "WindowState=0 WindowLeft=8400 WindowTop=3600 WindowWidth=12000 WindowHeight=9000 "},
      {"2", Qt::WindowMaximized, "WindowState=2 "},
      {"1", Qt::WindowMinimized, ""}};
  const std::string rest =
      " BackupFile=0 SortOption=1 SortKeyOrder0=2 SortKeyOrder1=1 SortKeyOrder2=0 XSortOpt0=False "
      "XSortOpt1=True YSortOpt0=True YSortOpt1=False ZSortOpt0=True ZSortOpt1=False BetweenSteps=1 ";
  for (const auto& [storedState, shown, windowWrites] : cases) {
    store = settings::MemorySettingsStore();
    Store(settings::SettingKey::kWindowState, storedState);
    Start();
    window->show();
    EXPECT_EQ(window->windowState(), shown);
    Find("SortKeyBtn(0)")->click();
    Find("SortOptionRB(1)")->click();
    Find("BackupFilechk")->setChecked(false);
    EXPECT_EQ(Close(), std::string(windowWrites) + "DATPath=" + folder.Path() + rest)
        << "stored " << storedState;
  }
  // A store that cannot be written is reported, and does not keep the window open.
  Start();
  window->show();
  store.SetFlushFails(true);
  ::testing::internal::CaptureStderr();
  Close();
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("could not be saved"), std::string::npos);
  EXPECT_FALSE(window->isVisible());
}

TEST_F(StartupShutdownTest, F1ShowsTheAboutBoxAndClosingTheWindowClosesIt) {
  Start();
  window->show();
  QApplication::setActiveWindow(window.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QString title;
  WhenAboutBoxShows([&](QDialog* box) {
    title = box->windowTitle();
    EXPECT_EQ(box->parentWidget(), window.get());
    window->close();
    EXPECT_FALSE(box->isVisible()) << "the window's close leaves no window of the program open";
    box->close();
  });
  QTest::keyClick(window.get(), Qt::Key_F1);  // returns once the box has closed
  EXPECT_EQ(title, "About Kelvane");
  EXPECT_FALSE(window->isVisible());
}

TEST_F(StartupShutdownTest, AScreenReaderHearsEveryControlAndEveryLine) {
  Start();
  for (QWidget* control : window->centralWidget()->findChildren<QWidget*>()) {
    if (control->objectName().isEmpty() || control->objectName().startsWith("qt_")) continue;
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name).isEmpty())
        << control->objectName().toStdString();
  }
  ui::LineListModel& model = Model();
  model.setData(model.index(1), Qt::Checked, Qt::CheckStateRole);
  QAccessibleInterface* list = QAccessible::queryAccessibleInterface(List());
  ASSERT_EQ(list->childCount(), 2);
  for (int row = 0; row < 2; ++row) {
    EXPECT_EQ(list->child(row)->text(QAccessible::Name), model.data(model.index(row)).toString());
    EXPECT_EQ(list->child(row)->state().checked, row == 1);
  }
}

}  // namespace
}  // namespace kelvane::testing
