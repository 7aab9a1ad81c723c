#include "ui/main_window/layout/uniform_rows.h"

#include <gtest/gtest.h>

#include <climits>

namespace kelvane::ui {
namespace {

using Move = UniformRows::Move;
using Show = UniformRows::Show;

// A viewport of 10 rows of 20 pixels and a bit (205 pixels) over 100 rows, scrolled to row 40.
constexpr UniformRows kRows{20, 100, 205, 40};

TEST(UniformRowsTest, PlacesRowsFindsThemAndScrollsAWholeRowAtATime) {
  EXPECT_EQ(kRows.VisibleRows(), 10);
  EXPECT_EQ(kRows.LastFirstRow(), 90);
  EXPECT_EQ((UniformRows{20, 5, 205, 0}.LastFirstRow()), 0);  // all rows fit
  EXPECT_EQ((UniformRows{20, 5, 7, 0}.VisibleRows()), 1);     // a viewport lower than a row
  EXPECT_EQ(kRows.RowTop(40), 0);
  EXPECT_EQ(kRows.RowTop(45), 100);
  EXPECT_EQ(kRows.RowTop(39), -20);
  EXPECT_EQ((UniformRows{20, INT_MAX, 205, 0}.RowTop(INT_MAX)), INT_MAX);  // clamped, not wrapped
  for (const auto [y, row] :
       {std::pair{0, 40LL}, {19, 40}, {20, 41}, {204, 50}, {-1, 39}, {-20, 39}, {-21, 38}})
    EXPECT_EQ(kRows.RowAt(y), row) << y;

  const std::tuple<int, Move, int> moves[] = {
      {45, Move::kUp, 44},   {45, Move::kDown, 46},     {0, Move::kUp, 0},
      {99, Move::kDown, 99}, {45, Move::kPageUp, 36},   {45, Move::kPageDown, 54},
      {3, Move::kPageUp, 0}, {95, Move::kPageDown, 99}, {45, Move::kHome, 0},
      {45, Move::kEnd, 99},  {200, Move::kPageDown, 99}};
  for (const auto& [from, move, to] : moves) EXPECT_EQ(kRows.MovedRow(from, move), to) << from;
  EXPECT_EQ((UniformRows{20, 0, 205, 0}.MovedRow(0, Move::kEnd)), -1);

  // The first row that shows a row: the one there is while the row is in sight, else the nearest.
  const std::tuple<int, Show, int> shows[] = {
      {45, Show::kAnywhere, 40},    {49, Show::kAnywhere, 40}, {50, Show::kAnywhere, 41},
      {12, Show::kAnywhere, 12},    {45, Show::kAtTop, 45},    {45, Show::kAtBottom, 36},
      {45, Show::kInTheMiddle, 40}, {99, Show::kAtTop, 90},    {2, Show::kInTheMiddle, 0}};
  for (const auto& [row, show, first] : shows) EXPECT_EQ(kRows.FirstRowShowing(row, show), first) << row;
}

}  // namespace
}  // namespace kelvane::ui
