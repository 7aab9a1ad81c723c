// The window as a person uses it: the sort options panel, loading what the combo box names, check
// marks through the list view and the keyboard, sorting, browsing and saving, captions and names, the
// layout on resize, the start-up on a command line and what the close writes back and closes with it.
#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>
#include <functional>
#include <span>

#include "platform/dialogs/fake_dialogs.h"
#include "settings/command_line.h"
#include "settings/memory_settings_store.h"
#include "sorting/sort_command.h"
#include "support/temporary_folder.h"
#include "ui/main_window/kelvane_main.h"
#include "ui/main_window/line_list_model.h"
#include "ui/main_window/line_text_decoding.h"
#include "ui/main_window/rectangle_shape.h"

namespace kelvane::testing {
namespace {

// A KelvaneMain on scripted dialogs, a 96 dpi screen and settings in memory whose model folder is a
// fresh temporary one. Controls are found by their names, as a screen reader or a person finds them.
class WindowTest : public ::testing::Test {
 protected:
  void Start(const std::string& commandLine = "") {
    window = std::make_unique<ui::KelvaneMain>(ui::WindowServices{messages, fileDialog, screen});
    window->Form_Load(store, {commandLine, folder.Path()});
  }
  void StartActive() {  // shown and active, so that keys and the focus go where a person's would
    Start();
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  template <typename T = QAbstractButton>
  T* Find(const QString& name) const {
    T* found = window->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
  }
  QComboBox* Combo() const { return Find<QComboBox>("DATFileCombo"); }
  QListView* List() const { return Find<QListView>("DATDataList"); }
  ui::LineListModel& Model() const { return *qobject_cast<ui::LineListModel*>(List()->model()); }
  const document::LineList& Lines() const { return Model().Lines(); }
  static std::vector<int> CheckedRows(const document::LineList& lines) {
    std::vector<int> rows;
    for (std::size_t i = 0; i < lines.Size(); ++i)
      if (lines.IsChecked(i)) rows.push_back(static_cast<int>(i));
    return rows;
  }
  void Click(const QString& name) const { QTest::mouseClick(Find(name), Qt::LeftButton); }
  void ClickCheckBox(int row) const {  // the check box of a line, where the style draws it
    QListView* list = List();
    QStyleOptionViewItem option;
    option.initFrom(list);
    option.rect = list->visualRect(Model().index(row));
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    const QRect box = list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box.center());
  }

  std::shared_ptr<FakeMessageBox> messages = std::make_shared<FakeMessageBox>();
  std::shared_ptr<FakeFileDialog> fileDialog = std::make_shared<FakeFileDialog>();
  std::shared_ptr<FakeScreenMetrics> screen = std::make_shared<FakeScreenMetrics>();
  TemporaryFolder folder;
  settings::MemorySettingsStore store;
  std::unique_ptr<ui::KelvaneMain> window;
};

QString At(const QString& name, int index) { return QStringLiteral("%1(%2)").arg(name).arg(index); }

TEST_F(WindowTest, EachSortKeyEnablesItsOwnControlsAndTheSwapsStackTheAxisFrames) {
  Start();
  // Per sort key, which of the X, Y, Z pairs, the swap buttons, the part and the color pair are enabled.
  const QString byKey[] = {"11111111110000", "00000000001100", "00000000000011"};
  const auto* rect = Find<ui::RectangleShape>("CoordSortRect");
  // Each key selected by a click or from code (1), some twice in a row.
  for (const auto& [key, byCode] : {std::pair{1, 0}, {2, 1}, {2, 0}, {0, 1}, {1, 1}}) {
    byCode ? Find(At("SortOptionRB", key))->setChecked(true) : Click(At("SortOptionRB", key));
    QString enabled;
    for (const QString name :
         {"XSortOptRB", "YSortOptRB", "ZSortOptRB", "SortKeyBtn", "SortPartOptRB", "SortColorOptRB"})
      for (int i = 0; i < (name == "SortKeyBtn" ? 4 : 2); ++i)
        enabled += Find(At(name, i))->isEnabled() ? '1' : '0';
    EXPECT_EQ(enabled, byKey[key]) << key;
    EXPECT_EQ(rect->OutlineColor(), key == 0 ? QColor(Qt::black) : rect->palette().color(QPalette::Dark));
  }
  Click("SortOptionRB(0)");
  // Each swap button and the tops of the X, Y and Z frames in twips afterwards.
  const std::pair<int, std::array<int, 3>> swaps[] = {
      {0, {1800, 1200, 600}}, {1, {1800, 600, 1200}}, {2, {1200, 600, 1800}}, {3, {1800, 600, 1200}}};
  for (const auto& [button, frameTops] : swaps) {
    Click(At("SortKeyBtn", button));
    for (int axis = 0; axis < 3; ++axis)
      EXPECT_EQ(Find<QWidget>(At("CoordSortFrm", axis))->y() * 15, frameTops[axis]) << button;
  }
}

// Every load of /proc/self/mem ends in one message, so messages count loads.
TEST_F(WindowTest, EveryActionOnTheComboBoxLoadsOnce) {
  store.Write("Paths", "DATPath", "/proc/self/");
  StartActive();
  QComboBox* combo = Combo();
  combo->addItems({"mem", "./mem", "../self/mem"});
  combo->setCurrentIndex(-1);
  combo->setFocus();
  const auto choose = [combo](int row) {
    combo->showPopup();
    QTest::qWait(QApplication::doubleClickInterval() + 100);  // or the popup takes it for the opening click
    const QPoint where = combo->view()->visualRect(combo->view()->model()->index(row, 0)).center();
    QTest::mouseClick(combo->view()->viewport(), Qt::LeftButton, {}, where);
  };
  const std::tuple<std::function<void()>, std::size_t, QString> steps[] = {
      {[&] { QTest::keyClick(combo, Qt::Key_Down); }, 1, "mem"},
      {[&] { combo->setCurrentIndex(2); }, 1, "../self/mem"},
      {[&] { combo->setEditText("mem"); }, 1, "mem"},
      {[&] { choose(1); }, 1, "./mem"},
      {[&] { choose(1); }, 1, "./mem"},  // choosing the chosen entry again reads the file again
      {[&] { combo->lineEdit()->clear(); }, 0, ""},
      {[&] { QTest::keyClicks(combo->lineEdit(), "./mem"); }, 1, "./mem"},  // loads once it names a file
      // The text now matches entry 1 while entry 0 is chosen: ending the edit is no choice that reloads.
      {[&] { QTest::keyClick(combo->lineEdit(), Qt::Key_Return); }, 0, "./mem"},
      {[&] { Find("SelectBtn")->setFocus(); }, 0, "./mem"},
  };
  QCoreApplication::processEvents();
  for (const auto& [action, loads, text] : steps) {
    const std::size_t before = messages->messages.size();
    action();
    QCoreApplication::processEvents();  // as between two actions of a person
    EXPECT_EQ(messages->messages.size() - before, loads) << text.toStdString();
    EXPECT_EQ(combo->currentText(), text);
  }
  const auto& [title, text, icon] = messages->messages.back();
  EXPECT_TRUE(title == "Kelvane" && icon == platform::MessageIcon::kWarning &&
              text.contains("/proc/self/./mem"));
}

// A mark set by a click on its box or by Space follows the check rule, and Sort is enabled by two.
// Tab stops once in each group, at its choice; Return presses the focused button; Shift + arrows pick
// many lines, whose marks Space then sets or clears together.
TEST_F(WindowTest, MarksByMouseAndKeyboardFollowTheRuleAndTheKeyboardReachesEveryGroupAtItsChoice) {
  StartActive();
  folder.Write("keys.ldr", "1 a\r\n0 x\r\n1 b\r\n 1 c\r\n1 d\r\n");
  Combo()->setEditText("keys.ldr");
  QListView* list = List();
  const auto click = [&](int row) { ClickCheckBox(row); };
  const auto space = [&](int row) {
    list->setCurrentIndex(Model().index(row));
    QTest::keyClick(list, Qt::Key_Space);
  };
  // How, which row, then the checked rows; Sort is enabled by two.
  const std::tuple<std::function<void(int)>, int, std::vector<int>> steps[] = {
      {click, 1, {}}, {space, 1, {}}, {click, 0, {0}}, {space, 3, {0, 3}}, {click, 3, {0}}, {space, 0, {}}};
  for (const auto& [how, row, checked] : steps) {
    how(row);
    EXPECT_EQ(CheckedRows(Lines()), checked) << row;
    EXPECT_EQ(Find("SortBtn")->isEnabled(), checked.size() >= 2) << row;
    EXPECT_EQ(Find<QAction>("MenuSortFile")->isEnabled(), checked.size() >= 2) << row;  // as the button
    EXPECT_EQ(list->model()->data(Model().index(row), Qt::CheckStateRole).toBool(), Lines().IsChecked(row));
  }
  QTest::keyClick(Find("ZSortOptRB(0)"), Qt::Key_Down);  // arrows move the choice inside a group
  EXPECT_TRUE(Find("ZSortOptRB(1)")->isChecked() && Find("ZSortOptRB(1)")->hasFocus());
  Find("SelectBtn")->setFocus();
  QStringList stops;
  for (int i = 0; i < 6; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    stops << QApplication::focusWidget()->objectName();
  }
  EXPECT_EQ(stops, (QStringList{"SortOptionRB(0)", "XSortOptRB(1)", "YSortOptRB(0)", "ZSortOptRB(1)",
                                "SortBtwnStpChk", "SortKeyBtn(0)"}));
  // Select All repaints once, and a screen reader hears the caption the button now shows.
  QSignalSpy repaints(&Model(), &QAbstractItemModel::dataChanged);
  QTest::keyClick(Find("SelectBtn"), Qt::Key_Return);
  EXPECT_TRUE(CheckedRows(Lines()) == (std::vector{0, 2, 3, 4}) && repaints.count() == 1);
  EXPECT_TRUE(Find("SelectBtn")->text() == "Deselect All" &&
              Find("SelectBtn")->accessibleName() == "Deselect All");
  list->setCurrentIndex(Model().index(1));
  for (int i = 0; i < 2; ++i) QTest::keyClick(list, Qt::Key_Down, Qt::ShiftModifier);
  repaints.clear();
  QTest::keyClick(list, Qt::Key_Space);  // the focused line, 3, is checked: all three are cleared
  EXPECT_TRUE(CheckedRows(Lines()) == (std::vector{0, 4}) && Find("SortBtn")->isEnabled() &&
              repaints.count() == 1);
  QTest::keyClick(list, Qt::Key_Space);
  EXPECT_EQ(CheckedRows(Lines()), (std::vector{0, 2, 3, 4})) << "line 1 is no part line";
}

// In a long list the keys take the current line anywhere and the list shows it there; a click then marks
// the line under the pointer, and Shift with End picks every line from the current one on.
TEST_F(WindowTest, ALongListShowsTheCurrentLineWhereverTheKeysTakeIt) {
  StartActive();
  std::string model;
  for (int i = 0; i < 100000; ++i) model += "1 4 0 " + std::to_string(i) + " 0 1 0 0 0 1 0 0 0 1 3001.dat\n";
  folder.Write("long.ldr", model);
  Combo()->setEditText("long.ldr");
  QListView* list = List();
  list->setCurrentIndex(Model().index(0));
  const auto shown = [&](int row) {
    const QRect rect = list->visualRect(Model().index(row));
    return list->viewport()->rect().contains(rect) && list->indexAt(rect.center()).row() == row;
  };
  const int page = list->viewport()->height() / list->visualRect(Model().index(0)).height() - 1;
  const std::pair<Qt::Key, int> keys[] = {
      {Qt::Key_End, 99999}, {Qt::Key_PageUp, 99999 - page}, {Qt::Key_Up, 99998 - page}, {Qt::Key_Home, 0}};
  for (const auto& [key, row] : keys) {
    QTest::keyClick(list, key);
    EXPECT_EQ(list->currentIndex().row(), row);
    EXPECT_TRUE(shown(row)) << row;
  }
  EXPECT_FALSE(shown(99999));
  list->scrollTo(Model().index(70000), QAbstractItemView::PositionAtTop);
  ClickCheckBox(70001);
  EXPECT_EQ(CheckedRows(Lines()), (std::vector{70001}));
  QTest::keyClick(list, Qt::Key_End, Qt::ShiftModifier);
  EXPECT_EQ(list->selectionModel()->selectedRows().size(), 99999 - 70001 + 1);
}

TEST_F(WindowTest, SortGivesWhatTheEngineGivesForThePanelsOptionsAndRepaintsOnce) {
  using sorting::SortKey;
  store.Write("Paths", "DATPath", TestDataPath(""));
  Start();
  // Clicks on the panel as it stands, and what the panel then means to the engine.
  const std::pair<QStringList, sorting::SortOptions> panels[] = {
      {{}, {SortKey::kCoordinates, {1, 2, 0}, true, false, false, true, true, true}},  // as on a first run
      {{"SortKeyBtn(0)", "SortKeyBtn(3)", "SortKeyBtn(1)", "XSortOptRB(1)", "ZSortOptRB(1)",
        "SortBtwnStpChk"},
       {SortKey::kCoordinates, {0, 2, 1}, true, false, true, true, true, false}},  // X, Z, Y
      {{"YSortOptRB(1)", "SortOptionRB(2)", "SortColorOptRB(1)", "SortBtwnStpChk"},
       {SortKey::kColor, {0, 2, 1}, true, true, true, true, false, true}},
      {{"SortOptionRB(1)", "SortPartOptRB(1)"}, {SortKey::kPartNumber, {0, 2, 1}, true, true, true, 0, 0, 1}},
  };
  int sorts = 0, moved = 0;
  for (const auto& [clicks, options] : panels) {
    for (const QString& button : clicks) Click(button);
    for (const char* model : {"ldrawlib_car.ldr", "ldview_8464_frontloader_lf.mpd"}) {
      Combo()->setEditText(model);
      Click("SelectBtn");
      document::LineList expected = Lines();  // as Select All left it
      QSignalSpy repaints(&Model(), &QAbstractItemModel::dataChanged);
      // The menu sorts as the button does, and the marks travel with their lines.
      ++sorts % 2 ? Find<QAction>("MenuSortFile")->trigger() : Click("SortBtn");
      ASSERT_EQ(repaints.count(), 1);
      moved += Lines().Texts() != expected.Texts();
      sorting::SortCheckedLines(expected, options);
      EXPECT_EQ(Lines().Texts(), expected.Texts()) << model << " " << sorts;
      EXPECT_EQ(CheckedRows(Lines()), CheckedRows(expected)) << model << " " << sorts;
    }
  }
  EXPECT_GE(moved, 6) << "a sort that moves nothing proves nothing";
}

TEST_F(WindowTest, BrowsingOpensTheChosenFileInItsFolderAndSavingSaysWhatHappened) {
  TemporaryFolder other;
  for (const char* name : {"House.DAT", "car.dat"}) folder.Write(name, "0 first car\r\n");
  other.Write("car.dat", "1 4 0 -24 0\r\n1 1 0 0 0\r\n");
  Start();
  Click("BrowseDATFileBtn");  // cancelled
  EXPECT_TRUE(Combo()->count() == 2 && Combo()->currentText() == "car.dat" &&
              Lines().Texts() == std::vector<std::string>{"0 first car"});
  fileDialog->answers << QString::fromStdString(other.File("gone/car.dat"));
  Click("BrowseDATFileBtn");
  EXPECT_EQ(messages->messages.back().text,
            QString::fromStdString("The folder \"" + other.File("gone/") + "\" does not exist."));
  fileDialog->answers << QString::fromStdString(other.File("car.dat"));
  Click("BrowseDATFileBtn");
  EXPECT_TRUE(Combo()->count() == 1 && Combo()->currentText() == "car.dat" && Lines().Size() == 2);
  for (const char* control : {"SelectBtn", "SortBtn", "BackupFilechk", "SaveFileBtn"}) Click(control);
  EXPECT_TRUE(other.Read("car.dat") == "1 1 0 0 0\r\n1 4 0 -24 0\r\n" && !other.Exists("car.bak"));
  const auto& [title, text, icon] = messages->messages.back();
  EXPECT_TRUE(title == "Kelvane" && text == "The file \"car.dat\" has been saved" &&
              icon == platform::MessageIcon::kNone);
  // Another program's change is overwritten only on "Yes"; "No" writes nothing and says nothing more.
  other.Write("car.dat", "0 theirs\r\n");
  const std::size_t told = messages->messages.size();
  for (const bool yes : {false, true}) {
    messages->yes = yes;
    Click("SaveFileBtn");
    EXPECT_EQ(messages->questions.size(), yes ? 2U : 1U);
    EXPECT_EQ(messages->messages.size(), told + (yes ? 1 : 0));
    EXPECT_EQ(other.Read("car.dat"), yes ? "1 1 0 0 0\r\n1 4 0 -24 0\r\n" : "0 theirs\r\n");
  }
  EXPECT_TRUE(messages->questions[0].text.startsWith("The file \"car.dat\" was changed by another program"));
  const platform::OpenFileRequest& request = fileDialog->requests.at(0);
  EXPECT_TRUE(request.initialFolder == folder.Path().c_str() && request.filters.size() == 2);
}

// Every caption fits its control, also at the larger scales desktops use (CMakeLists.txt runs this
// under QT_SCALE_FACTOR), and a screen reader hears a name for every control and every line as the
// list shows it: UTF-8, else Windows-1252 byte by byte (no byte may vanish or merge with its neighbour),
// control characters as symbols, and a huge line cut at a character's start, with an ellipsis.
TEST_F(WindowTest, EveryCaptionFitsAndAScreenReaderHearsEachControlAndLineAsShown) {
  Start();
  window->show();
  std::string every = "1 \xFF";
  for (int value = 0x80; value <= 0xFF; ++value) every.push_back(static_cast<char>(value));
  folder.Write("a.ldr", "0 \xC3\xBC \xF0\x9F\xA7\xB1\r\n1 \t\xE9 \x80\x81\x1B\r\n" + every + "\r\n" +
                            std::string(ui::kLongestShownLine - 1, 'x') + "\xC3\xA9" + "tail\r\n");
  Combo()->setEditText("a.ldr");
  for (QWidget* control : window->centralWidget()->findChildren<QWidget*>()) {
    const std::string name = control->objectName().toStdString();
    if (name.empty() || name.starts_with("qt_")) continue;
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name).isEmpty()) << name;
    const auto* button = qobject_cast<QAbstractButton*>(control);
    if (button == nullptr || button->text().isEmpty()) continue;
    const int room = qobject_cast<QPushButton*>(control) != nullptr
                         ? button->fontMetrics().horizontalAdvance(button->text()) + 8
                         : button->sizeHint().width();
    EXPECT_LE(room, button->width()) << name << " " << qgetenv("QT_SCALE_FACTOR").toStdString();
  }
  Model().setData(Model().index(1), Qt::Checked, Qt::CheckStateRole);
  QAccessibleInterface* lines = QAccessible::queryAccessibleInterface(List());
  ASSERT_EQ(lines->childCount(), 4);
  const auto heard = [&](int row) { return lines->child(row)->text(QAccessible::Name); };
  EXPECT_EQ(heard(0).toStdU16String(), u"0 \u00FC \U0001F9F1");
  EXPECT_EQ(heard(1).toStdU16String(), u"1 \t\u00E9 \u20AC\u0081\u241B");
  EXPECT_EQ(heard(2).size(), static_cast<qsizetype>(every.size()));
  EXPECT_EQ(heard(3), QString(static_cast<qsizetype>(ui::kLongestShownLine - 1), u'x') + QChar(0x2026));
  for (int row = 0; row < 4; ++row) EXPECT_EQ(lines->child(row)->state().checked, row == 1) << row;
}

// The window applies the resize layout to its outer size: a drag below the minimum ends at 600 x 550
// pixels, with the list, the column and the logo placed from the outer edges.
TEST_F(WindowTest, ResizingLaysOutTheControlsAndKeepsTheMinimum) {
  window = std::make_unique<ui::KelvaneMain>(ui::WindowServices{messages, fileDialog, screen});
  window->show();
  const QSize decorations = window->frameGeometry().size() - window->size();
  for (const auto& [asked, expected] :
       {std::pair{QSize(400, 300), QSize(600, 550)}, std::pair{QSize(800, 600), QSize(800, 600)}}) {
    window->resize(asked - decorations);
    QCoreApplication::processEvents();
    ASSERT_EQ(window->frameGeometry().size(), expected);
    const int w = expected.width(), h = expected.height();
    EXPECT_EQ(List()->geometry(), QRect(8, 32, w - 30 - 157, h - 120));
    EXPECT_EQ(Find("SortBtn")->x(), w - 15 - 157);
    EXPECT_EQ(Find<QWidget>("KelvaneLogo")->geometry().topLeft(), QPoint(8, h - 85));
    EXPECT_EQ(Find("SaveFileBtn")->y(), h - 85 - 32);
  }
}

// A model the folder lists is chosen in the list, whatever its letter case; an .ldr or .mpd model is
// opened by its name (a relative one in the current folder), and a name of no file leaves the first entry.
TEST_F(WindowTest, StartsOnTheModelTheCommandLineNames) {
  for (const char* name : {"a.dat", "Car.DAT", "b.MPD"}) folder.Write(name, "0 model\r\n");
  ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(folder.Path())));
  const std::pair<std::string, QString> cases[] = {
      {folder.Path() + "car.dat", "Car.DAT"}, {folder.Path() + "a.ldr", "a.dat"}, {"b.MPD", "b.MPD"}};
  for (const auto& [commandLine, opened] : cases) {
    Start(settings::AbsoluteCommandLine(commandLine, QDir::currentPath().toStdString()));
    EXPECT_EQ(Combo()->currentText(), opened) << commandLine;
  }
}

TEST_F(WindowTest, CloseWritesTheWindowOnlyInTheNormalStateClosesTheAboutBoxAndReportsAFailedWrite) {
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
    for (const auto& e : std::span(store.Writes()).subspan(1)) written += e.key + "=" + e.text + " ";
    EXPECT_EQ(written, windowWrites + ("DATPath=" + folder.Path()) + rest) << "stored " << storedState;
  }
  // Closed while F1's About box is up, the window closes the box too: no window of the program stays
  // open. A store that cannot be written is reported, and does not keep the window open.
  StartActive();
  store.SetFlushFails(true);
  ::testing::internal::CaptureStderr();
  QTimer::singleShot(0, [&] {
    QWidget* box = QApplication::activeModalWidget();
    EXPECT_TRUE(box->windowTitle() == "About Kelvane" && box->parentWidget() == window.get());
    window->close();
    EXPECT_FALSE(box->isVisible());
    box->close();
  });
  QTest::keyClick(window.get(), Qt::Key_F1);  // returns once the box has closed
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("could not be saved"), std::string::npos);
  EXPECT_FALSE(window->isVisible());
}

}  // namespace
}  // namespace kelvane::testing
