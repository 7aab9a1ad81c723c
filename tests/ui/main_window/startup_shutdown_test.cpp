// The window's start-up on remembered settings and a command line, what its close writes back, the
// About box, and what a screen reader is told.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QListView>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "settings/memory_settings_store.h"
#include "platform/dialogs/fake_dialogs.h"
#include "support/temporary_folder.h"
#include "ui/main_window/kelvane_main.h"
#include "ui/main_window/line_list_model.h"

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

class StartupShutdownTest : public ::testing::Test {
 protected:
  StartupShutdownTest() {
    folder.Write("a.dat", "0 a\r\n1 4 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat\r\n");
    folder.Write("Car.DAT", "0 car\r\n");
    stored.Write("z.dat", "0 z\r\n");
  }
  static std::unique_ptr<ui::KelvaneMain> NewWindow() {  // on a 1920 x 1080 screen at 96 dpi
    return std::make_unique<ui::KelvaneMain>(ui::WindowServices{std::make_shared<FakeMessageBox>(),
                                                                std::make_shared<FakeFileDialog>(),
                                                                std::make_shared<FakeScreenMetrics>()});
  }
  void Load(const std::string& commandLine = "") { window->Form_Load(store, {commandLine, folder.Path()}); }
  void Store(settings::SettingKey key, const std::string& text) { settings::WriteSetting(store, key, text); }
  bool Selected(int x, int y, int z) const {
    return window->XSortOptRB[x]->isChecked() && window->YSortOptRB[y]->isChecked() &&
           window->ZSortOptRB[z]->isChecked();
  }

  TemporaryFolder folder, stored;
  settings::MemorySettingsStore store;
  std::unique_ptr<ui::KelvaneMain> window = NewWindow();
};

TEST_F(StartupShutdownTest, AnEmptyStoreGivesTheFirstRun) {
  Load();
  EXPECT_EQ(window->DATPath, folder.Path());
  EXPECT_EQ(window->DATFileCombo->currentText(), "a.dat");
  EXPECT_EQ(window->DATDataListModel()->rowCount(), 2);
  EXPECT_TRUE(window->BackupFilechk->isChecked() && window->SortOptionRB[0]->isChecked());
  EXPECT_EQ(window->SortKeyOrder, (std::array<int, 3>{1, 2, 0}));
  EXPECT_TRUE(Selected(1, 0, 0) && window->SortBtwnStpChk->isChecked());
  window->show();
  EXPECT_EQ(window->windowState(), Qt::WindowNoState);
  EXPECT_EQ(window->frameGeometry(), QRect(560, 240, 800, 600)) << "outer bounds, centred";
}

TEST_F(StartupShutdownTest, StoredSettingsSetTheControlsAndTheWindow) {
  using enum settings::SettingKey;
  const std::pair<settings::SettingKey, std::string> settings[] = {
      {kDATPath, stored.Path()}, {kBackupFile, "0"},      {kSortOption, "2"},     {kSortKeyOrder0, "2"},
      {kSortKeyOrder1, "0"},     {kSortKeyOrder2, "1"},   {kXSortOpt0, "True"},   {kXSortOpt1, "False"},
      {kYSortOpt1, "True"},      {kZSortOpt1, "True"},    {kBetweenSteps, "0"},   {kWindowLeft, "-300"},
      {kWindowTop, "150"},       {kWindowWidth, "10500"}, {kWindowHeight, "8400"}};
  for (const auto& [key, text] : settings) Store(key, text);
  Load();
  EXPECT_EQ(window->DATPath, stored.Path());
  EXPECT_EQ(window->DATFileCombo->currentText(), "z.dat");
  EXPECT_FALSE(window->BackupFilechk->isChecked());
  EXPECT_TRUE(window->SortOptionRB[2]->isChecked());
  EXPECT_TRUE(window->SortColorOptRB[0]->isEnabled() && !window->XSortOptRB[0]->isEnabled())
      << "the panel's rule ran";
  EXPECT_EQ(window->SortKeyOrder, (std::array<int, 3>{2, 0, 1}));
  EXPECT_TRUE(Selected(0, 1, 1) && !window->SortBtwnStpChk->isChecked());
  window->show();
  EXPECT_EQ(window->frameGeometry(), QRect(-20, 10, 700, 560));
}

TEST_F(StartupShutdownTest, CommandLine) {
  const struct {
    std::string commandLine, datPath;
    QString opened;
  } cases[] = {{folder.Path() + "car.dat", folder.Path(), "Car.DAT"},
               {folder.Path() + "gone.dat", folder.Path(), "a.dat"},
               {folder.Path() + "a.ldr", stored.Path(), "z.dat"},
               {std::string("\"") + folder.Path() + "a.dat\"", stored.Path(), "z.dat"}};
  Store(settings::SettingKey::kDATPath, stored.Path());
  for (const auto& c : cases) {
    window = NewWindow();
    Load(c.commandLine);
    EXPECT_EQ(window->DATPath, c.datPath) << c.commandLine;
    EXPECT_EQ(window->DATFileCombo->currentText(), c.opened) << c.commandLine;
  }
}

TEST_F(StartupShutdownTest, CloseWritesTheWindowOnlyInTheNormalState) {
  const struct {
    const char* storedState;
    Qt::WindowState shown;
    const char* windowWrites;
  } cases[] = {{"0", Qt::WindowNoState,
                "WindowState=0 WindowLeft=8400 WindowTop=3600 WindowWidth=12000 WindowHeight=9000 "},
               {"2", Qt::WindowMaximized, "WindowState=2 "},
               {"1", Qt::WindowMinimized, ""}};
  const std::string rest =
      " BackupFile=0 SortOption=1 SortKeyOrder0=2 SortKeyOrder1=1 SortKeyOrder2=0 XSortOpt0=False "
      "XSortOpt1=True YSortOpt0=True YSortOpt1=False ZSortOpt0=True ZSortOpt1=False BetweenSteps=1 ";
  for (const auto& c : cases) {
    store = settings::MemorySettingsStore();
    Store(settings::SettingKey::kWindowState, c.storedState);
    window = NewWindow();
    Load();
    window->show();
    EXPECT_EQ(window->windowState(), c.shown);
    window->SortKeyBtn_Click(0);
    window->SortOptionRB[1]->click();
    window->BackupFilechk->setChecked(false);
    const std::size_t first = store.Writes().size();
    ASSERT_TRUE(window->close());
    std::string written;
    for (std::size_t i = first; i < store.Writes().size(); ++i) {
      written += store.Writes()[i].key + "=" + store.Writes()[i].text + " ";
    }
    EXPECT_EQ(written, std::string(c.windowWrites) + "DATPath=" + folder.Path() + rest)
        << "stored " << c.storedState;
  }
}

TEST_F(StartupShutdownTest, AStoreThatCannotBeWrittenDoesNotKeepTheWindowOpen) {
  Load();
  window->show();
  store.SetFlushFails(true);
  ::testing::internal::CaptureStderr();
  EXPECT_TRUE(window->close());
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("could not be saved"), std::string::npos);
  EXPECT_FALSE(window->isVisible());
}

TEST_F(StartupShutdownTest, F1ShowsTheAboutBoxAndClosingTheWindowClosesIt) {
  Load();
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
  Load();
  for (QWidget* control : window->centralWidget()->findChildren<QWidget*>()) {
    if (control->objectName().isEmpty() || control->objectName().startsWith("qt_")) continue;
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name).isEmpty())
        << control->objectName().toStdString();
  }
  ui::LineListModel& model = *window->DATDataListModel();
  model.setData(model.index(1), Qt::Checked, Qt::CheckStateRole);
  QAccessibleInterface* list = QAccessible::queryAccessibleInterface(window->DATDataList);
  ASSERT_EQ(list->childCount(), 2);
  for (int row = 0; row < 2; ++row) {
    EXPECT_EQ(list->child(row)->text(QAccessible::Name), model.data(model.index(row)).toString());
    EXPECT_EQ(list->child(row)->state().checked, row == 1);
  }
}

}  // namespace
}  // namespace kelvane::testing
