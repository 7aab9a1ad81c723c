// Check marks: only part-reference lines keep one, the Sort command follows the number of marks, and
// the "Select All" / "Deselect All" toggle.
#include <QAction>
#include <QSignalSpy>
#include <QTest>

#include "window_fixture.h"

namespace kelvane::testing {
namespace {

std::string ModelOf(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

using WindowCheckMarksTest = WindowTest;

TEST_F(WindowCheckMarksTest, OnlyLinesBeginningWithOneKeepAMark) {
  const std::pair<std::string, bool> lines[] = {
      {"0 comment", false},
      {"", false},
      {" 1 4 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat", false},
      {"\t1 tab", false},
      {"1 part", true},
      {"10 x", true},
      {"1x", true},
      {"2 24 0 0 0 1 1 1", false},
      {"a", false},
  };
  std::vector<std::string> texts;
  for (const auto& line : lines) texts.push_back(line.first);
  Open("rules.ldr", ModelOf(texts));
  for (int row = 0; row < static_cast<int>(texts.size()); ++row) {
    Check(row);
    EXPECT_EQ(Lines().IsChecked(row), lines[row].second) << "'" << texts[row] << "'";
  }
}

TEST_F(WindowCheckMarksTest, TheSpaceKeyInTheListFollowsTheSameRule) {
  Open("keys.ldr", ModelOf({"0 comment", "1 4 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat"}));
  window->show();
  window->DATDataList->setFocus();
  for (int row : {0, 1}) {
    window->DATDataList->setCurrentIndex(Model().index(row));
    QTest::keyClick(window->DATDataList, Qt::Key_Space);
  }
  EXPECT_EQ(CheckedRows(), std::vector<int>{1});
}

TEST_F(WindowCheckMarksTest, SortIsEnabledExactlyWhileTwoOrMoreLinesAreChecked) {
  Open("three.ldr", ModelOf({"0 x", "1 a", "1 b", "1 c"}));
  struct Step {
    int row;
    bool checked;
    bool sortEnabled;
  };
  const Step steps[] = {
      {1, true, false},  {2, true, true},  {3, true, true}, {2, false, true},
      {1, false, false}, {0, true, false}, {1, true, true}, {3, false, false},
  };
  for (const Step& step : steps) {
    Check(step.row, step.checked);
    EXPECT_EQ(window->SortBtn->isEnabled(), step.sortEnabled) << step.row << " " << step.checked;
    EXPECT_EQ(window->MenuSortFile->isEnabled(), step.sortEnabled);
  }
  EXPECT_EQ(window->SelectBtn->text(), "Select All") << "marks set by hand leave the caption alone";
}

struct ToggleCase {
  const char* what;
  std::vector<std::string> lines;
  std::vector<int> checkedAfterSelect;
  bool sortAfterSelect;
  std::vector<int> checkedAfterDeselect;
};

TEST_F(WindowCheckMarksTest, SelectAllAndDeselectAll) {
  const ToggleCase cases[] = {
      {"comment first", {"0 header", "1 a", "0 STEP", "1 b", "1 c"}, {1, 3, 4}, true, {}},
      {"part line first", {"1 a", "0 x", "1 b"}, {0, 2}, true, {0}},
      {"one part line", {"0 x", "1 a"}, {1}, false, {}},
      {"no part line", {"0 x", " 1 a", ""}, {}, false, {}},
      {"only one line, a part line", {"1 a"}, {0}, false, {0}},
  };
  for (const ToggleCase& c : cases) {
    Open("toggle.ldr", ModelOf(c.lines));
    Check(static_cast<int>(c.lines.size()) - 1);  // a mark set by hand beforehand changes nothing

    QTest::mouseClick(window->SelectBtn, Qt::LeftButton);
    EXPECT_EQ(CheckedRows(), c.checkedAfterSelect) << c.what;
    EXPECT_EQ(window->SortBtn->isEnabled(), c.sortAfterSelect) << c.what;
    EXPECT_EQ(window->MenuSortFile->isEnabled(), c.sortAfterSelect) << c.what;
    EXPECT_EQ(window->SelectBtn->text(), "Deselect All") << c.what;

    QTest::mouseClick(window->SelectBtn, Qt::LeftButton);
    EXPECT_EQ(CheckedRows(), c.checkedAfterDeselect) << c.what;
    EXPECT_FALSE(window->SortBtn->isEnabled()) << c.what;
    EXPECT_EQ(window->SelectBtn->text(), "Select All") << c.what;
    window->DATFileCombo->setEditText("");  // the next case opens its file afresh
  }
}

TEST_F(WindowCheckMarksTest, SelectAllOnAnEmptyListChangesNothing) {
  Open("empty.ldr", "");
  ASSERT_EQ(Model().rowCount(), 0);
  QTest::mouseClick(window->SelectBtn, Qt::LeftButton);
  EXPECT_EQ(window->SelectBtn->text(), "Select All");
  EXPECT_FALSE(window->SortBtn->isEnabled());
}

TEST_F(WindowCheckMarksTest, SelectAllRepaintsTheListOnceInsteadOfOncePerLine) {
  std::vector<std::string> lines(5000, "1 4 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat");
  Open("many.ldr", ModelOf(lines));
  QSignalSpy repaints(&Model(), &QAbstractItemModel::dataChanged);
  QTest::mouseClick(window->SelectBtn, Qt::LeftButton);
  EXPECT_EQ(Lines().CheckedCount(), 5000u);
  EXPECT_LE(repaints.count(), 2);
}

}  // namespace
}  // namespace kelvane::testing
