// "Sort File" from the window: the panel's options reach the engine unchanged, and the list shows the
// result at once.
#include <QAction>
#include <QCheckBox>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <functional>

#include "document/check_rules.h"
#include "document/model_file_reader.h"
#include "sorting/sort_command.h"
#include "window_fixture.h"

namespace kelvane::testing {
namespace {

class WindowSortTest : public WindowTest {
 protected:
  void SetUp() override { window->show(); }

  void OpenTestModel(const std::string& name) {
    window->DATPath = TestDataPath("");
    window->DATFileCombo->setEditText(QString::fromStdString(name));
    ASSERT_GT(Model().rowCount(), 0) << name;
  }

  void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
};

struct PanelCase {
  const char* what;
  std::function<void(ui::KelvaneMain&)> setPanel;  // what the user clicks
  sorting::SortOptions options;                    // what that means to the engine
};

sorting::SortOptions Options(sorting::SortKey key, std::array<int, 3> order, bool x, bool y, bool z,
                             bool part, bool color, bool steps) {
  sorting::SortOptions options;
  options.sortKey = key;
  options.keyOrder = order;
  options.xAscending = x;
  options.yAscending = y;
  options.zAscending = z;
  options.partAscending = part;
  options.colorAscending = color;
  options.betweenSteps = steps;
  return options;
}

void ClickOn(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

const PanelCase kPanelCases[] = {
    {"coordinates as created", [](ui::KelvaneMain&) {},
     Options(sorting::SortKey::kCoordinates, {1, 2, 0}, false, false, false, true, true, false)},
    {"coordinates X, Z, Y, left to right, front to back, between steps",
     [](ui::KelvaneMain& w) {
       ClickOn(w.SortKeyBtn[0]);  // Z, Y, X
       ClickOn(w.SortKeyBtn[3]);  // Z, X, Y
       ClickOn(w.SortKeyBtn[1]);  // X, Z, Y
       ClickOn(w.XSortOptRB[1]);
       ClickOn(w.ZSortOptRB[1]);
       ClickOn(w.SortBtwnStpChk);
     },
     Options(sorting::SortKey::kCoordinates, {0, 2, 1}, true, false, true, true, true, true)},
    {"part number descending",
     [](ui::KelvaneMain& w) {
       ClickOn(w.SortOptionRB[1]);
       ClickOn(w.SortPartOptRB[1]);
     },
     Options(sorting::SortKey::kPartNumber, {1, 2, 0}, false, false, false, false, true, false)},
    {"color ascending between steps",
     [](ui::KelvaneMain& w) {
       ClickOn(w.SortOptionRB[2]);
       ClickOn(w.SortBtwnStpChk);
     },
     Options(sorting::SortKey::kColor, {1, 2, 0}, false, false, false, true, true, true)},
    {"color descending, top to bottom left behind in the disabled axis pair",
     [](ui::KelvaneMain& w) {
       ClickOn(w.YSortOptRB[1]);
       ClickOn(w.SortOptionRB[2]);
       ClickOn(w.SortColorOptRB[1]);
     },
     Options(sorting::SortKey::kColor, {1, 2, 0}, false, true, false, true, false, false)},
};

TEST_F(WindowSortTest, GivesTheLinesTheEngineGivesForTheSameOptions) {
  for (const char* model :
       {"ldrawlib_car.ldr", "omr_7140_xwing_noeol.mpd", "bricksmith_bum_aligned_columns.ldr"}) {
    int casesThatMovedLines = 0;
    for (const PanelCase& c : kPanelCases) {
      const std::string when = std::string(model) + ": " + c.what;
      window = std::make_unique<ui::KelvaneMain>(
          ui::WindowServices{messages, fileDialog, std::make_shared<FakeScreenMetrics>()});
      window->show();
      OpenTestModel(model);
      Click(window->SelectBtn);
      c.setPanel(*window);
      const std::vector<int> checked = CheckedRows();
      Click(window->SortBtn);

      document::LineList expected(document::ReadModelFile(TestDataPath(model)).lines);
      document::ToggleSelection(expected, document::kSelectAllCaption);
      ASSERT_TRUE(sorting::SortCheckedLines(expected, c.options)) << when;
      EXPECT_EQ(Lines().Texts(), expected.Texts()) << when;
      if (Lines().Texts() != document::ReadModelFile(TestDataPath(model)).lines) ++casesThatMovedLines;
      EXPECT_EQ(CheckedRows(), checked) << when << ": marks stay on their positions";
    }
    EXPECT_GE(casesThatMovedLines, 3) << model;
  }
}

TEST_F(WindowSortTest, SortingAgainChangesNothing) {
  OpenTestModel("ldrawlib_car.ldr");
  Click(window->SelectBtn);
  Click(window->SortBtn);
  const std::vector<std::string> once = Lines().Texts();
  Click(window->SortBtn);
  EXPECT_EQ(Lines().Texts(), once);
}

TEST_F(WindowSortTest, TheListIsRepaintedOnceAndShowsTheNewOrder) {
  Open("two.ldr",
       "1 4 0 -24 0 1 0 0 0 1 0 0 0 1 3001.dat\r\n0 x\r\n1 1 0 0 0 1 0 0 0 1 0 0 0 1 3003.dat\r\n");
  Check(0);
  Check(2);
  QSignalSpy repaints(&Model(), &QAbstractItemModel::dataChanged);
  Click(window->SortBtn);
  EXPECT_EQ(repaints.count(), 1);
  // Y runs "+Y to -Y" at creation: the larger y (0) first.
  EXPECT_EQ(Model().data(Model().index(0)).toString(), "1 1 0 0 0 1 0 0 0 1 0 0 0 1 3003.dat");
  EXPECT_EQ(Model().data(Model().index(2)).toString(), "1 4 0 -24 0 1 0 0 0 1 0 0 0 1 3001.dat");
}

TEST_F(WindowSortTest, OneCheckedLineIsNothingToSort) {
  Open("two.ldr", "1 4 0 -24 0 1 0 0 0 1 0 0 0 1 3001.dat\r\n1 1 0 0 0 1 0 0 0 1 0 0 0 1 3003.dat\r\n");
  Check(0);
  QSignalSpy repaints(&Model(), &QAbstractItemModel::dataChanged);
  window->SortBtn_Click();
  window->MenuSortFile->trigger();
  EXPECT_EQ(repaints.count(), 0);
  EXPECT_EQ(Lines().Text(0), "1 4 0 -24 0 1 0 0 0 1 0 0 0 1 3001.dat");
}

TEST_F(WindowSortTest, TheMenuCommandSortsLikeTheButton) {
  OpenTestModel("ldrawlib_car.ldr");
  Click(window->SelectBtn);
  ASSERT_TRUE(window->MenuSortFile->isEnabled());
  window->MenuSortFile->trigger();
  const std::vector<std::string> byMenu = Lines().Texts();

  window->LoadDATFile("ldrawlib_car.ldr");
  Click(window->SelectBtn);
  Click(window->SortBtn);
  EXPECT_EQ(Lines().Texts(), byMenu);
}

}  // namespace
}  // namespace kelvane::testing
