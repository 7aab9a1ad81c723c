#include "ui/main_window/layout/uniform_rows.h"

#include <algorithm>
#include <climits>

namespace kelvane::ui {

int UniformRows::VisibleRows() const { return std::max(1, viewportHeight / std::max(1, rowHeight)); }

int UniformRows::LastFirstRow() const { return std::max(0, rowCount - VisibleRows()); }

int UniformRows::RowTop(int row) const {
  const long long top = (static_cast<long long>(row) - firstRow) * std::max(1, rowHeight);
  return static_cast<int>(std::clamp<long long>(top, INT_MIN, INT_MAX));
}

long long UniformRows::RowAt(int y) const {
  const int height = std::max(1, rowHeight);
  // Rounded down, also above the viewport, where y is negative.
  const long long rows = y >= 0 ? y / height : -((-static_cast<long long>(y) + height - 1) / height);
  return firstRow + rows;
}

int UniformRows::MovedRow(int current, Move move) const {
  if (rowCount <= 0) return -1;
  // A page keeps one row of the last one in sight.
  const long long page = std::max(1, VisibleRows() - 1);
  const long long row = [&]() -> long long {
    switch (move) {
      case Move::kUp:
        return current - 1LL;
      case Move::kDown:
        return current + 1LL;
      case Move::kPageUp:
        return current - page;
      case Move::kPageDown:
        return current + page;
      case Move::kHome:
        return 0;
      case Move::kEnd:
        break;
    }
    return rowCount - 1;
  }();
  return static_cast<int>(std::clamp<long long>(row, 0, rowCount - 1));
}

int UniformRows::FirstRowShowing(int row, Show show) const {
  const int page = VisibleRows();
  const long long first = [&]() -> long long {
    switch (show) {
      case Show::kAtTop:
        return row;
      case Show::kAtBottom:
        return static_cast<long long>(row) - page + 1;
      case Show::kInTheMiddle:
        return static_cast<long long>(row) - page / 2;
      case Show::kAnywhere:
        break;
    }
    if (row < firstRow) return row;
    if (row >= static_cast<long long>(firstRow) + page) return static_cast<long long>(row) - page + 1;
    return firstRow;
  }();
  return static_cast<int>(std::clamp<long long>(first, 0, LastFirstRow()));
}

}  // namespace kelvane::ui
