// Loading a model file into the list: what the combo box names is what the list shows, every load
// starts the document afresh, and each action of the user loads exactly once.
#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTest>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>

#include "window_fixture.h"

namespace kelvane::testing {
namespace {

constexpr char kSmallModel[] =
    "0 Small\r\n"
    "1 4 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat\r\n"
    "0 STEP\r\n"
    "1 1 0 -24 0 1 0 0 0 1 0 0 0 1 3003.dat\r\n";

using WindowLoadingTest = WindowTest;

TEST_F(WindowLoadingTest, SettingTheComboTextLoadsBeforeTheStatementReturns) {
  Open("small.ldr", kSmallModel);
  ASSERT_EQ(Model().rowCount(), 4);
  EXPECT_EQ(Lines().Text(1), "1 4 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat");
  EXPECT_EQ(Lines().Text(3), "1 1 0 -24 0 1 0 0 0 1 0 0 0 1 3003.dat");
  EXPECT_TRUE(CheckedRows().empty());
  EXPECT_TRUE(messages->messages.empty());
}

TEST_F(WindowLoadingTest, KeepsEveryByteOfEveryLine) {
  constexpr char kBytes[] = "1 a\n0 b\r0 c\r\n\t1 d \r\n0 caf\xE9\0!\r\n";
  constexpr char kLastLine[] = "0 caf\xE9\0!";
  Open("odd.dat", std::string(kBytes, sizeof kBytes - 1));
  const std::vector<std::string> expected = {"1 a", "0 b", "0 c", "\t1 d ",
                                             std::string(kLastLine, sizeof kLastLine - 1)};
  EXPECT_EQ(Lines().Texts(), expected);
}

TEST_F(WindowLoadingTest, EveryLoadClearsMarksDisablesSortAndResetsTheSelectCaption) {
  Open("a.ldr", kSmallModel);
  const std::function<void()> loads[] = {
      [&] { Open("b.ldr", kSmallModel); },    // another file
      [&] { OpenExisting("a.ldr"); },         // the first file again
      [&] { window->LoadDATFile("a.ldr"); },  // a reload from code
  };
  for (const auto& load : loads) {
    QTest::mouseClick(window->SelectBtn, Qt::LeftButton);
    ASSERT_EQ(window->SelectBtn->text(), "Deselect All");
    ASSERT_EQ(CheckedRows(), (std::vector<int>{1, 3}));
    ASSERT_TRUE(window->SortBtn->isEnabled());
    load();
    EXPECT_EQ(Model().rowCount(), 4);
    EXPECT_TRUE(CheckedRows().empty());
    EXPECT_FALSE(window->SortBtn->isEnabled());
    EXPECT_FALSE(window->MenuSortFile->isEnabled());
    EXPECT_EQ(window->SelectBtn->text(), "Select All");
  }
}

TEST_F(WindowLoadingTest, NamesThatAreNoFileEmptyTheListWithoutAMessage) {
  std::filesystem::create_directory(folder.File("folder.dat"));
  const char* names[] = {"missing.dat", "", "folder.dat", "no/such/folder.dat"};
  for (const char* name : names) {
    Open("small.ldr", kSmallModel);
    Check(1);
    Check(3);
    ASSERT_TRUE(window->SortBtn->isEnabled());
    window->DATFileCombo->setEditText(QString::fromUtf8(name));
    EXPECT_EQ(Model().rowCount(), 0) << "'" << name << "'";
    EXPECT_FALSE(window->SortBtn->isEnabled()) << "'" << name << "'";
  }
  EXPECT_TRUE(messages->messages.empty());
}

TEST_F(WindowLoadingTest, AFileThatCannotBeReadIsReported) {
  // Reading a process's own memory file from its start fails with an input/output error, for root
  // as for anyone: a file that exists and cannot be read.
  Open("small.ldr", kSmallModel);
  window->DATPath = "/proc/self/";
  window->DATFileCombo->setEditText("mem");
  EXPECT_EQ(Model().rowCount(), 0);
  ASSERT_EQ(messages->messages.size(), 1u);
  const auto& message = messages->messages[0];
  EXPECT_EQ(message.title, "Kelvane");
  EXPECT_EQ(message.icon, platform::MessageIcon::kWarning);
  EXPECT_TRUE(message.text.contains("\"/proc/self/mem\"")) << message.text.toStdString();
  EXPECT_TRUE(message.text.contains(QString::fromLocal8Bit(std::strerror(EIO))))
      << message.text.toStdString();
}

TEST_F(WindowLoadingTest, ATypedNameLoadsOnceItNamesAFile) {
  folder.Write("tower.ldr", kSmallModel);
  window->DATPath = folder.Path();
  window->DATFileCombo->setFocus();
  const std::string name = "tower.ldr";
  for (std::size_t typed = 1; typed <= name.size(); ++typed) {
    QTest::keyClick(window->DATFileCombo->lineEdit(), name[typed - 1]);
    EXPECT_EQ(Model().rowCount(), typed == name.size() ? 4 : 0) << name.substr(0, typed);
  }
  EXPECT_TRUE(messages->messages.empty());
}

// Every load of /proc/self/mem ends in one message, so messages count loads.
class ComboLoadCountTest : public WindowTest {
 protected:
  void SetUp() override {
    window->DATPath = "/proc/self/";
    {
      const QSignalBlocker quiet(window->DATFileCombo);
      for (const char* name : {"mem", "./mem", "../self/mem"}) window->DATFileCombo->addItem(name);
    }
    window->DATFileCombo->setCurrentIndex(-1);
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->DATFileCombo->setFocus();
    Settle();
    messages->messages.clear();
  }

  // Lets the event loop run, as it does between two actions of a person.
  static void Settle() { QCoreApplication::processEvents(); }

  std::size_t LoadsDuring(const std::function<void()>& action) {
    const std::size_t before = messages->messages.size();
    action();
    Settle();
    return messages->messages.size() - before;
  }

  void ChooseWithTheMouse(int row) {
    QComboBox* combo = window->DATFileCombo;
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    // The popup ignores a release that follows its opening too closely (the click that opened it).
    QTest::qWait(QApplication::doubleClickInterval() + 100);
    const QPoint where = list->visualRect(list->model()->index(row, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, where);
  }
};

TEST_F(ComboLoadCountTest, ChoosingFromCodeLoadsOnce) {
  EXPECT_EQ(LoadsDuring([&] { window->DATFileCombo->setCurrentIndex(1); }), 1u);
  EXPECT_EQ(LoadsDuring([&] { window->DATFileCombo->setCurrentIndex(2); }), 1u);
  EXPECT_EQ(LoadsDuring([&] { window->DATFileCombo->setEditText("mem"); }), 1u);
}

TEST_F(ComboLoadCountTest, ChoosingWithTheKeyboardLoadsOnce) {
  EXPECT_EQ(LoadsDuring([&] { QTest::keyClick(window->DATFileCombo, Qt::Key_Down); }), 1u);
  EXPECT_EQ(window->DATFileCombo->currentIndex(), 0);
  EXPECT_EQ(LoadsDuring([&] { QTest::keyClick(window->DATFileCombo, Qt::Key_Down); }), 1u);
  EXPECT_EQ(window->DATFileCombo->currentIndex(), 1);
}

TEST_F(ComboLoadCountTest, ChoosingWithTheMouseLoadsOnceAlsoTheEntryAlreadyChosen) {
  EXPECT_EQ(LoadsDuring([&] { ChooseWithTheMouse(1); }), 1u);
  EXPECT_EQ(window->DATFileCombo->currentText(), "./mem");
  EXPECT_EQ(LoadsDuring([&] { ChooseWithTheMouse(1); }), 1u) << "choosing it again reads the file again";
  EXPECT_EQ(LoadsDuring([&] { ChooseWithTheMouse(2); }), 1u);
  EXPECT_EQ(window->DATFileCombo->currentText(), "../self/mem");
}

TEST_F(ComboLoadCountTest, EndingAnEditLoadsNothingMore) {
  window->DATFileCombo->setCurrentIndex(0);
  window->DATFileCombo->lineEdit()->clear();
  EXPECT_EQ(LoadsDuring([&] { QTest::keyClicks(window->DATFileCombo->lineEdit(), "./mem"); }), 1u);
  // The typed text matches entry 1 while entry 0 is chosen; neither Return nor leaving the box may
  // make that a choice that reloads (and drops the check marks set since).
  EXPECT_EQ(LoadsDuring([&] { QTest::keyClick(window->DATFileCombo->lineEdit(), Qt::Key_Return); }), 0u);
  EXPECT_EQ(LoadsDuring([&] { window->SelectBtn->setFocus(); }), 0u);
  EXPECT_EQ(window->DATFileCombo->currentText(), "./mem");
}

}  // namespace
}  // namespace kelvane::testing
