// The window's start-up on remembered settings and a command line, and what its close writes back and
// closes with it.
#include <span>

#include "settings/command_line.h"
#include "window_fixture.h"

namespace kelvane::testing {
namespace {

using StartupShutdownTest = WindowTest;

// A model the folder lists is chosen in the list, whatever its letter case; an .ldr or .mpd model is
// opened by its name (a relative one in the current folder), and a name of no file leaves the first entry.
TEST_F(StartupShutdownTest, CommandLine) {
  for (const char* name : {"a.dat", "Car.DAT", "b.MPD"}) folder.Write(name, "0 model\r\n");
  ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(folder.Path())));
  const std::pair<std::string, QString> cases[] = {
      {folder.Path() + "car.dat", "Car.DAT"}, {folder.Path() + "a.ldr", "a.dat"}, {"b.MPD", "b.MPD"}};
  for (const auto& [commandLine, opened] : cases) {
    Start(settings::AbsoluteCommandLine(commandLine, QDir::currentPath().toStdString()));
    EXPECT_EQ(Combo()->currentText(), opened) << commandLine;
  }
}

TEST_F(StartupShutdownTest, CloseWritesTheWindowOnlyInTheNormalStateClosesTheAboutBoxAndReportsAFailedWrite) {
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
    store.Write("Settings", "WindowState", storedState);
    Start();
    window->show();
    EXPECT_EQ(window->windowState(), shown);
    for (const char* control : {"SortKeyBtn(0)", "SortOptionRB(1)", "BackupFilechk"}) Find(control)->click();
    EXPECT_TRUE(window->close());
    std::string written;  // "Key=text " each, after the stored state
    for (const auto& entry : std::span(store.Writes()).subspan(1))
      written += entry.key + "=" + entry.text + " ";
    EXPECT_EQ(written, std::string(windowWrites) + "DATPath=" + folder.Path() + rest)
        << "stored " << storedState;
  }
  // Closed while F1's About box is up, the window closes the box too: no window of the program stays
  // open. A store that cannot be written is reported, and does not keep the window open.
  StartActive();
  store.SetFlushFails(true);
  ::testing::internal::CaptureStderr();
  QString title;
  QTimer::singleShot(0, [&] {
    QWidget* box = QApplication::activeModalWidget();
    title = box->windowTitle();
    EXPECT_EQ(box->parentWidget(), window.get());
    window->close();
    EXPECT_FALSE(box->isVisible());
    box->close();
  });
  QTest::keyClick(window.get(), Qt::Key_F1);  // returns once the box has closed
  EXPECT_EQ(title, "About Kelvane");
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("could not be saved"), std::string::npos);
  EXPECT_FALSE(window->isVisible());
}

}  // namespace
}  // namespace kelvane::testing
