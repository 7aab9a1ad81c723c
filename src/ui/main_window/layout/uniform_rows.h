#pragma once

namespace kelvane::ui {

// A list whose rows are all one height, shown from a first row on: which rows the viewport holds,
// where a row stands, which row a point falls on, where the keys move to and how far to scroll to
// show a row. Nothing is stored per row, so a list of ten million lines costs no more than one of ten;
// and scrolling goes a whole row at a time, so the scroll bar's range is the row count, whatever the
// pixel height of all rows together.
struct UniformRows {
  int rowHeight = 1;  // pixels, at least 1
  int rowCount = 0;
  int viewportHeight = 0;
  int firstRow = 0;  // the row at the top of the viewport: the scroll bar's value

  // How the keys move the current row.
  enum class Move { kUp, kDown, kPageUp, kPageDown, kHome, kEnd };
  // Where scrolling to a row puts it.
  enum class Show { kAnywhere, kAtTop, kAtBottom, kInTheMiddle };

  // Whole rows the viewport shows; one at least.
  int VisibleRows() const;
  // The largest first row: the scroll bar's maximum.
  int LastFirstRow() const;
  // The viewport's y of a row's top edge (negative above the viewport), clamped into the int range.
  int RowTop(int row) const;
  // The row at viewport y, counted on past the ends (before 0, at or after rowCount) as if rows
  // went on; the caller keeps what it needs.
  long long RowAt(int y) const;
  // The row a key moves the current row to, inside the list (a page is one row short of the viewport,
  // so that one row stays in sight); -1 for an empty list.
  int MovedRow(int current, Move move) const;
  // The first row that shows `row` as asked; with kAnywhere, the first row stays when it already does.
  int FirstRowShowing(int row, Show show) const;
};

}  // namespace kelvane::ui
