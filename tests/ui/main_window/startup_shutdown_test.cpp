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

#include "app/settings/memory_settings_store.h"
#include "platform/dialogs/fake_dialogs.h"
#include "support/temporary_folder.h"
#include "ui/main_window/kelvane_main.h"
#include "ui/main_window/line_list_model.h"

namespace kelvane::testing {
namespace {

using app::SettingKey;
using Strings = std::vector<std::string>;

class StartupShutdownTest : public ::testing::Test {
 protected:
  StartupShutdownTest() {
    folder.Write("a.dat", "0 a\r\n1 4 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat\r\n");
    folder.Write("Car.DAT", "0 car\r\n");
    stored.Write("z.dat", "0 z\r\n");
  }
  static std::unique_ptr<ui::KelvaneMain> NewWindow() {
    return std::make_unique<ui::KelvaneMain>(
        ui::WindowServices{std::make_shared<FakeMessageBox>(), std::make_shared<FakeFileDialog>(),
                           std::make_shared<FakeScreenMetrics>(15.0, 1920, 1080)});
  }
  void Store(SettingKey key, const std::string& text) { app::WriteSetting(store, key, text); }
  // The writes since the first `from`, as "key=value".
  Strings Written(std::size_t from) const {
    Strings writes;
    for (std::size_t i = from; i < store.Writes().size(); ++i) {
      writes.push_back(store.Writes()[i].key + "=" + store.Writes()[i].text);
    }
    return writes;
  }

  TemporaryFolder folder, stored;
  app::MemorySettingsStore store;
  std::unique_ptr<ui::KelvaneMain> window = NewWindow();
};

// Hands the About box to `answer` from inside its modal loop, once it is up.
void WhenAboutBoxShows(std::function<void(QDialog*)> answer) {
  auto* timer = new QTimer(qApp);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, answer] {
    auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    answer(box);
  });
  timer->start(10);
}

bool Selected(const std::array<QRadioButton*, 2>& pair, int index) {
  return pair[static_cast<std::size_t>(index)]->isChecked();
}

TEST_F(StartupShutdownTest, AnEmptyStoreGivesTheFirstRun) {
  window->Form_Load(store, {"", folder.Path()});
  EXPECT_EQ(window->DATPath, folder.Path());
  EXPECT_EQ(window->DATFileCombo->currentText(), "a.dat");
  EXPECT_EQ(window->DATDataListModel()->rowCount(), 2);
  EXPECT_TRUE(window->BackupFilechk->isChecked());
  EXPECT_TRUE(window->SortOptionRB[0]->isChecked());
  EXPECT_EQ(window->SortKeyOrder, (std::array<int, 3>{1, 2, 0}));
  EXPECT_TRUE(Selected(window->XSortOptRB, 1) && Selected(window->YSortOptRB, 0) &&
              Selected(window->ZSortOptRB, 0));
  EXPECT_TRUE(window->SortBtwnStpChk->isChecked());
  window->show();
  EXPECT_EQ(window->windowState(), Qt::WindowNoState);
  EXPECT_EQ(window->frameGeometry(), QRect(560, 240, 800, 600)) << "outer bounds, centred on 1920 x 1080";
}

TEST_F(StartupShutdownTest, StoredSettingsSetTheControlsAndTheWindow) {
  const std::vector<std::pair<SettingKey, std::string>> settings = {
      {SettingKey::kDATPath, stored.Path()}, {SettingKey::kBackupFile, "0"},
      {SettingKey::kSortOption, "2"},        {SettingKey::kSortKeyOrder0, "2"},
      {SettingKey::kSortKeyOrder1, "0"},     {SettingKey::kSortKeyOrder2, "1"},
      {SettingKey::kXSortOpt0, "True"},      {SettingKey::kXSortOpt1, "False"},
      {SettingKey::kYSortOpt1, "True"},      {SettingKey::kZSortOpt1, "True"},
      {SettingKey::kBetweenSteps, "0"},      {SettingKey::kWindowLeft, "-300"},
      {SettingKey::kWindowTop, "150"},       {SettingKey::kWindowWidth, "10500"},
      {SettingKey::kWindowHeight, "8400"}};
  for (const auto& [key, text] : settings) Store(key, text);
  window->Form_Load(store, {"", folder.Path()});
  EXPECT_EQ(window->DATPath, stored.Path());
  EXPECT_EQ(window->DATFileCombo->currentText(), "z.dat");
  EXPECT_FALSE(window->BackupFilechk->isChecked());
  EXPECT_TRUE(window->SortOptionRB[2]->isChecked());
  EXPECT_TRUE(window->SortColorOptRB[0]->isEnabled() && !window->XSortOptRB[0]->isEnabled())
      << "the panel's rule ran";
  EXPECT_EQ(window->SortKeyOrder, (std::array<int, 3>{2, 0, 1}));
  EXPECT_TRUE(Selected(window->XSortOptRB, 0) && Selected(window->YSortOptRB, 1) &&
              Selected(window->ZSortOptRB, 1));
  EXPECT_FALSE(window->SortBtwnStpChk->isChecked());
  window->show();
  EXPECT_EQ(window->frameGeometry(), QRect(-20, 10, 700, 560));
}

TEST_F(StartupShutdownTest, CommandLine) {
  struct Case {
    std::string commandLine;
    std::string datPath;
    QString opened;
  };
  const std::vector<Case> cases = {{folder.Path() + "car.dat", folder.Path(), "Car.DAT"},
                                   {folder.Path() + "gone.dat", folder.Path(), "a.dat"},
                                   {folder.Path() + "a.ldr", stored.Path(), "z.dat"},
                                   {std::string("\"") + folder.Path() + "a.dat\"", stored.Path(), "z.dat"}};
  Store(SettingKey::kDATPath, stored.Path());
  for (const Case& c : cases) {
    const auto started = NewWindow();
    started->Form_Load(store, {c.commandLine, folder.Path()});
    EXPECT_EQ(started->DATPath, c.datPath) << c.commandLine;
    EXPECT_EQ(started->DATFileCombo->currentText(), c.opened) << c.commandLine;
  }
}

TEST_F(StartupShutdownTest, CloseWritesTheWindowOnlyInTheNormalState) {
  struct Case {
    const char* storedState;
    Qt::WindowState shown;
    Strings windowWrites;
  };
  const std::vector<Case> cases = {
      {"0",
       Qt::WindowNoState,
       {"WindowState=0", "WindowLeft=8400", "WindowTop=3600", "WindowWidth=12000", "WindowHeight=9000"}},
      {"2", Qt::WindowMaximized, {"WindowState=2"}},
      {"1", Qt::WindowMinimized, {}}};
  for (const Case& c : cases) {
    store = app::MemorySettingsStore();
    Store(SettingKey::kWindowState, c.storedState);
    window = NewWindow();
    window->Form_Load(store, {"", folder.Path()});
    window->show();
    EXPECT_EQ(window->windowState(), c.shown);
    window->SortKeyBtn_Click(0);
    window->SortOptionRB[1]->click();
    window->BackupFilechk->setChecked(false);
    const std::size_t writesBefore = store.Writes().size();
    ASSERT_TRUE(window->close());
    Strings expected = c.windowWrites;
    const Strings rest = {std::string("DATPath=") + folder.Path(),
                          "BackupFile=0",
                          "SortOption=1",
                          "SortKeyOrder0=2",
                          "SortKeyOrder1=1",
                          "SortKeyOrder2=0",
                          "XSortOpt0=False",
                          "XSortOpt1=True",
                          "YSortOpt0=True",
                          "YSortOpt1=False",
                          "ZSortOpt0=True",
                          "ZSortOpt1=False",
                          "BetweenSteps=1"};
    expected.insert(expected.end(), rest.begin(), rest.end());
    EXPECT_EQ(Written(writesBefore), expected) << "stored state " << c.storedState;
  }
}

TEST_F(StartupShutdownTest, AStoreThatCannotBeWrittenDoesNotKeepTheWindowOpen) {
  window->Form_Load(store, {"", folder.Path()});
  window->show();
  store.SetFlushFails(true);
  ::testing::internal::CaptureStderr();
  EXPECT_TRUE(window->close());
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("could not be saved"), std::string::npos);
  EXPECT_FALSE(window->isVisible());
}

TEST_F(StartupShutdownTest, F1ShowsTheAboutBoxAndClosingTheWindowClosesIt) {
  window->Form_Load(store, {"", folder.Path()});
  window->show();
  QApplication::setActiveWindow(window.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QString title;
  WhenAboutBoxShows([&](QDialog* box) {
    title = box->windowTitle();
    EXPECT_EQ(box->parentWidget(), window.get());
    box->close();
  });
  QTest::keyClick(window.get(), Qt::Key_F1);  // returns once the box has closed
  EXPECT_EQ(title, "About Kelvane");

  WhenAboutBoxShows([&](QDialog* box) {
    window->close();
    EXPECT_FALSE(box->isVisible()) << "the window's close leaves no window of the program open";
    box->close();
  });
  window->MenuAbout->trigger();
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(store.Writes().empty());
}

TEST_F(StartupShutdownTest, AScreenReaderHearsEveryControlAndEveryLine) {
  window->Form_Load(store, {"", folder.Path()});
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
