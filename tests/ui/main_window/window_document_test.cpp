// The document in the window: loading what the combo box names, what the list shows, check marks, sorting.
#include <QAbstractItemView>
#include <QLineEdit>
#include <cerrno>
#include <cstring>
#include <functional>

#include "document/check_rules.h"
#include "document/model_file_reader.h"
#include "sorting/sort_command.h"
#include "ui/main_window/line_text_decoding.h"
#include "window_fixture.h"

namespace kelvane::testing {
namespace {

using namespace std::string_literals;
using Texts = std::vector<std::string>;
using WindowDocumentTest = WindowTest;

TEST_F(WindowDocumentTest, EveryLoadStartsAfreshAndOnlyAnUnreadableFileIsReported) {
  const Texts lines = {"0 x", "1 a", "0 STEP", "\t1 d ", "1 caf\xE9\0!"s};
  folder.Write("b.ldr", "0 x\n1 a\r0 STEP\r\n\t1 d \r\n1 caf\xE9\0!"s);
  const std::pair<std::function<void()>, Texts> loads[] = {
      {[&] { window->DATFileCombo->setEditText("b.ldr"); }, lines},
      {[&] { window->LoadDATFile("a.ldr"); }, lines},  // a reload from code
      {[&] { window->DATFileCombo->setEditText("missing.dat"); }, {}},
      {[&] { window->DATFileCombo->setEditText(""); }, {}},
      // Reading a process's own memory file from its start fails with an input/output error, for root
      // as for anyone: a file that exists and cannot be read.
      {[&] { window->DATPath = "/proc/self/", window->DATFileCombo->setEditText("mem"); }, {}},
  };
  for (const auto& [load, expected] : loads) {
    Open("a.ldr", lines);
    Click(window->SelectBtn);
    ASSERT_EQ(CheckedRows(), (std::vector<int>{1, 3, 4}));
    load();
    EXPECT_EQ(Lines().Texts(), expected);
    EXPECT_TRUE(CheckedRows().empty() && window->SelectBtn->text() == "Select All");
    EXPECT_FALSE(window->SortBtn->isEnabled() || window->MenuSortFile->isEnabled());
  }
  ASSERT_EQ(messages->messages.size(), 1u);
  const auto& [title, text, icon] = messages->messages[0];
  EXPECT_TRUE(title == "Kelvane" && icon == platform::MessageIcon::kWarning);
  EXPECT_TRUE(text.contains("\"/proc/self/mem\"")) << text.toStdString();
  EXPECT_TRUE(text.contains(QString::fromLocal8Bit(std::strerror(EIO)))) << text.toStdString();
}

// Every load of /proc/self/mem ends in one message, so messages count loads.
TEST_F(WindowDocumentTest, EveryActionOnTheComboBoxLoadsOnce) {
  QComboBox* combo = window->DATFileCombo;
  window->DATPath = "/proc/self/";
  combo->addItems({"mem", "./mem", "../self/mem"});
  combo->setCurrentIndex(-1);
  window->show();
  QApplication::setActiveWindow(window.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
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
      {[&] { combo->setCurrentIndex(0); }, 1, "mem"},
      {[&] { combo->lineEdit()->clear(); }, 0, ""},
      {[&] { QTest::keyClicks(combo->lineEdit(), "./mem"); }, 1, "./mem"},  // loads once it names a file
      // The text now matches entry 1 while entry 0 is chosen: ending the edit is no choice that reloads.
      {[&] { QTest::keyClick(combo->lineEdit(), Qt::Key_Return); }, 0, "./mem"},
      {[&] { window->SelectBtn->setFocus(); }, 0, "./mem"},
  };
  QCoreApplication::processEvents();
  for (const auto& [action, loads, text] : steps) {
    const std::size_t before = messages->messages.size();
    action();
    QCoreApplication::processEvents();  // as between two actions of a person
    EXPECT_EQ(messages->messages.size() - before, loads) << text.toStdString();
    EXPECT_EQ(combo->currentText(), text);
  }
}

TEST_F(WindowDocumentTest, OnlyPartLinesKeepAMarkSortNeedsTwoAndSelectAllTogglesRepaintingOnce) {
  Open("marks.ldr", {"0 x", " 1 a", "\t1 b", "", "1 c", "10 d"});
  // Row, mark set, mark kept, Sort enabled.
  const std::tuple<int, bool, bool, bool> steps[] = {{0, 1, 0, 0}, {3, 1, 0, 0}, {1, 1, 1, 0}, {2, 1, 1, 1},
                                                     {1, 0, 0, 0}, {4, 1, 1, 1}, {5, 1, 1, 1}};
  for (const auto& [row, set, kept, sort] : steps) {
    Check(row, set);
    EXPECT_EQ(Lines().IsChecked(row), kept) << row;
    EXPECT_TRUE(window->SortBtn->isEnabled() == sort && window->MenuSortFile->isEnabled() == sort) << row;
  }
  EXPECT_EQ(window->SelectBtn->text(), "Select All") << "marks set by hand leave the caption alone";
  const std::tuple<Texts, std::vector<int>, std::vector<int>> toggles[] = {
      {{"0 x", "1 a", "0 STEP", "1 b"}, {1, 3}, {}},  // lines, marks after Select All and Deselect All
      {{"1 a", "0 x", "1 b"}, {0, 2}, {0}},           // entry 0 keeps a part line's mark
      {{}, {}, {}}};                                  // an empty list keeps its caption
  for (const auto& [lines, selected, deselected] : toggles) {
    window->DATFileCombo->setEditText("");
    Open("toggle.ldr", lines);
    Check(static_cast<int>(lines.size()) - 1);  // a mark set by hand beforehand changes nothing
    QSignalSpy repaints(&Model(), &QAbstractItemModel::dataChanged);
    Click(window->SelectBtn);
    EXPECT_EQ(CheckedRows(), selected);
    const bool sortable = selected.size() > 1;
    EXPECT_TRUE(window->SortBtn->isEnabled() == sortable && window->MenuSortFile->isEnabled() == sortable);
    EXPECT_EQ(window->SelectBtn->text(), lines.empty() ? "Select All" : "Deselect All");
    EXPECT_LE(repaints.count(), 1);
    Click(window->SelectBtn);
    EXPECT_EQ(CheckedRows(), deselected);
    EXPECT_TRUE(window->SelectBtn->text() == "Select All" && !window->SortBtn->isEnabled());
  }
}

TEST_F(WindowDocumentTest, SortGivesWhatTheEngineGivesForThePanelsOptionsAndRepaintsOnce) {
  using sorting::SortKey;
  ui::KelvaneMain& w = *window;
  const auto& swap = w.SortKeyBtn;
  // Clicks on the panel as it stands, and what the panel then means to the engine.
  const std::pair<std::vector<QAbstractButton*>, sorting::SortOptions> panels[] = {
      {{}, {SortKey::kCoordinates, {1, 2, 0}, false, false, false, true, true, false}},
      {{swap[0], swap[3], swap[1], w.XSortOptRB[1], w.ZSortOptRB[1], w.SortBtwnStpChk},
       {SortKey::kCoordinates, {0, 2, 1}, true, false, true, true, true, true}},     // X, Z, Y
      {{w.YSortOptRB[1], w.SortOptionRB[2], w.SortColorOptRB[1], w.SortBtwnStpChk},  // Y in a disabled pair
       {SortKey::kColor, {0, 2, 1}, true, true, true, true, false, false}},
      {{w.SortOptionRB[1], w.SortPartOptRB[1]}, {SortKey::kPartNumber, {0, 2, 1}, true, true, true, 0, 0, 0}},
  };
  w.show();
  w.DATPath = TestDataPath("");
  int sorts = 0, moved = 0;
  for (const auto& [clicks, options] : panels) {
    for (QAbstractButton* button : clicks) Click(button);
    for (const char* model : {"ldrawlib_car.ldr", "bricksmith_bum_aligned_columns.ldr", "ldview_8464_frontloader_lf.mpd"}) {
      const Texts original = document::ReadModelFile(TestDataPath(model)).lines;
      w.LoadDATFile(model);
      Click(w.SelectBtn);
      QSignalSpy repaints(&Model(), &QAbstractItemModel::dataChanged);
      ++sorts % 2 ? w.MenuSortFile->trigger() : Click(w.SortBtn);  // the menu sorts like the button
      ASSERT_EQ(repaints.count(), 1);
      const std::pair rows(repaints[0][0].toModelIndex().row(), repaints[0][1].toModelIndex().row());
      EXPECT_EQ(rows, std::pair(0, Model().rowCount() - 1));
      document::LineList expected(original);
      document::ToggleSelection(expected, document::kSelectAllCaption);
      ASSERT_TRUE(sorting::SortCheckedLines(expected, options));
      EXPECT_EQ(Lines().Texts(), expected.Texts()) << model << " " << sorts;
      std::vector<int> marks;  // the marks travel with their lines, which attached metas may shift
      for (std::size_t i = 0; i < expected.Size(); ++i)
        if (expected.IsChecked(i)) marks.push_back(static_cast<int>(i));
      EXPECT_EQ(CheckedRows(), marks) << model << " " << sorts;
      moved += Lines().Texts() != original;
    }
  }
  EXPECT_GE(moved, 6) << "a sort that moves nothing proves nothing";
}

TEST(LineListModelTest, HoldsAMillionLines) {
  Texts lines;
  for (int i = 0; i < 1'000'000; ++i) lines.push_back(i % 50 == 49 ? "0 STEP"s : "1 "s + std::to_string(i));
  ui::LineListModel model;
  model.Assign(std::move(lines));
  ASSERT_EQ(model.rowCount(), 1'000'000);
  EXPECT_EQ(model.data(model.index(999'998)).toString(), "1 999998");
  EXPECT_EQ(model.data(model.index(999'999)).toString(), "0 STEP");
  EXPECT_TRUE(model.setData(model.index(999'998), QVariant::fromValue(Qt::Checked), Qt::CheckStateRole));
  EXPECT_FALSE(model.SetChecked(999'998, true)) << "a mark it already has is no change";
  EXPECT_EQ(model.Lines().CheckedCount(), 1u);
}

TEST(DecodeLineForDisplayTest, ShowsUtf8ElseWindows1252AndControlCharactersAsSymbols) {
  EXPECT_EQ(ui::DecodeLineForDisplay("\xC3\xBC \xF0\x9F\xA7\xB1").toStdU16String(), u"ü \U0001F9F1");
  EXPECT_EQ(ui::DecodeLineForDisplay("\t\xE9 \x80\x81\x1B").toStdU16String(), u"\té €\u0081␛");
  // A line that is not UTF-8 is decoded byte by byte: no byte may vanish or merge with its neighbour.
  std::string every = "\xFF";
  for (int value = 0x80; value <= 0xFF; ++value) every.push_back(static_cast<char>(value));
  EXPECT_EQ(ui::DecodeLineForDisplay(every).size(), static_cast<qsizetype>(every.size()));
}

}  // namespace
}  // namespace kelvane::testing
