#include "ui/main_window/uniform_list_view.h"

#include <QCursor>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <climits>

namespace kelvane::ui {

UniformListView::UniformListView(QWidget* parent) : QListView(parent) {
  setVerticalScrollMode(ScrollPerItem);  // the vertical scroll bar counts rows
  setHorizontalScrollMode(ScrollPerPixel);
}

int UniformListView::RowCount() const { return model() == nullptr ? 0 : model()->rowCount(rootIndex()); }

UniformRows UniformListView::Rows() const {
  return UniformRows{rowSize_.height(), RowCount(), viewport()->height(), verticalScrollBar()->value()};
}

int UniformListView::RowWidth() const { return std::max(rowSize_.width(), viewport()->width()); }

void UniformListView::doItemsLayout() {
  // The delegate measures the first row once; QListView's own layout, which measures nothing with
  // uniform sizes but still stores every row's place, is never run.
  const QSize first = RowCount() > 0 ? sizeHintForIndex(model()->index(0, 0, rootIndex())) : QSize();
  rowSize_ = QSize(std::max(1, first.width()),
                   std::max(1, first.isValid() ? first.height() : fontMetrics().height()));
  QAbstractItemView::doItemsLayout();
}

// The rows are placed at once, not later from the event loop as QListView does: the layout is one
// measurement, and the scroll bars must know the new rows before the next key moves through them.
void UniformListView::reset() {
  QListView::reset();
  doItemsLayout();
}

void UniformListView::rowsInserted(const QModelIndex& parent, int start, int end) {
  QListView::rowsInserted(parent, start, end);
  doItemsLayout();
}

void UniformListView::updateGeometries() {
  const UniformRows rows = Rows();
  verticalScrollBar()->setSingleStep(1);
  verticalScrollBar()->setPageStep(rows.VisibleRows());
  verticalScrollBar()->setRange(0, rows.LastFirstRow());
  horizontalScrollBar()->setSingleStep(rowSize_.height());
  horizontalScrollBar()->setPageStep(viewport()->width());
  horizontalScrollBar()->setRange(0, std::max(0, rowSize_.width() - viewport()->width()));
  QAbstractItemView::updateGeometries();
}

QRect UniformListView::visualRect(const QModelIndex& index) const {
  if (!index.isValid() || index.parent() != rootIndex() || index.column() != 0) return {};
  return {-horizontalOffset(), Rows().RowTop(index.row()), RowWidth(), rowSize_.height()};
}

QModelIndex UniformListView::indexAt(const QPoint& point) const {
  const long long row = Rows().RowAt(point.y());
  if (row < 0 || row >= RowCount() || point.x() + horizontalOffset() >= RowWidth()) return {};
  return model()->index(static_cast<int>(row), 0, rootIndex());
}

void UniformListView::scrollTo(const QModelIndex& index, ScrollHint hint) {
  if (!index.isValid()) return;
  const auto show = hint == PositionAtTop      ? UniformRows::Show::kAtTop
                    : hint == PositionAtBottom ? UniformRows::Show::kAtBottom
                    : hint == PositionAtCenter ? UniformRows::Show::kInTheMiddle
                                               : UniformRows::Show::kAnywhere;
  verticalScrollBar()->setValue(Rows().FirstRowShowing(index.row(), show));
}

QModelIndex UniformListView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers /*modifiers*/) {
  const QModelIndex current = currentIndex();
  if (!current.isValid()) return RowCount() > 0 ? model()->index(0, 0, rootIndex()) : QModelIndex();
  using Move = UniformRows::Move;
  Move move = Move::kDown;
  switch (cursorAction) {
    case MoveUp:
    case MovePrevious:
      move = Move::kUp;
      break;
    case MoveDown:
    case MoveNext:
      break;
    case MovePageUp:
      move = Move::kPageUp;
      break;
    case MovePageDown:
      move = Move::kPageDown;
      break;
    case MoveHome:
      move = Move::kHome;
      break;
    case MoveEnd:
      move = Move::kEnd;
      break;
    case MoveLeft:
    case MoveRight:
      return current;  // one column: left and right lead nowhere
  }
  return model()->index(Rows().MovedRow(current.row(), move), 0, rootIndex());
}

int UniformListView::horizontalOffset() const { return horizontalScrollBar()->value(); }

int UniformListView::verticalOffset() const {
  const long long offset = static_cast<long long>(verticalScrollBar()->value()) * rowSize_.height();
  return static_cast<int>(std::min<long long>(offset, INT_MAX));
}

void UniformListView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) {
  const UniformRows rows = Rows();
  const long long top = std::max(0LL, rows.RowAt(rect.normalized().top()));
  const long long bottom = std::min<long long>(RowCount() - 1, rows.RowAt(rect.normalized().bottom()));
  QItemSelection selection;
  if (top <= bottom) {
    selection.select(model()->index(static_cast<int>(top), 0, rootIndex()),
                     model()->index(static_cast<int>(bottom), 0, rootIndex()));
  }
  selectionModel()->select(selection, command);
}

QRegion UniformListView::visualRegionForSelection(const QItemSelection& selection) const {
  const UniformRows rows = Rows();
  const int lastShown = rows.firstRow + rows.VisibleRows();  // the partly shown row below included
  QRegion region;
  for (const QItemSelectionRange& range : selection) {
    if (range.parent() != rootIndex()) continue;
    const int top = std::max(range.top(), rows.firstRow);
    const int bottom = std::min(range.bottom(), lastShown);
    if (top > bottom) continue;
    region +=
        QRect(-horizontalOffset(), rows.RowTop(top), RowWidth(), rows.RowTop(bottom + 1) - rows.RowTop(top));
  }
  return region;
}

void UniformListView::paintEvent(QPaintEvent* event) {
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  QPainter painter(viewport());
  const UniformRows rows = Rows();
  const long long first = std::max(0LL, rows.RowAt(event->rect().top()));
  const long long last = std::min<long long>(RowCount() - 1, rows.RowAt(event->rect().bottom()));
  const QModelIndex current = currentIndex();
  const bool focus = (hasFocus() || viewport()->hasFocus()) && current.isValid();
  const QModelIndex hover =
      viewport()->underMouse() ? indexAt(viewport()->mapFromGlobal(QCursor::pos())) : QModelIndex();
  const QStyle::State state = option.state;
  for (long long row = first; row <= last; ++row) {
    const QModelIndex index = model()->index(static_cast<int>(row), 0, rootIndex());
    option.rect = visualRect(index);
    option.state = state;
    if (selectionModel() != nullptr && selectionModel()->isSelected(index))
      option.state |= QStyle::State_Selected;
    if ((model()->flags(index) & Qt::ItemIsEnabled) == 0) option.state &= ~QStyle::State_Enabled;
    option.palette.setCurrentColorGroup((option.state & QStyle::State_Enabled) != 0 ? QPalette::Normal
                                                                                    : QPalette::Disabled);
    option.state.setFlag(QStyle::State_HasFocus, focus && index == current);
    option.state.setFlag(QStyle::State_MouseOver, index == hover);
    itemDelegateForIndex(index)->paint(&painter, option, index);
  }
}

void UniformListView::scrollContentsBy(int /*dx*/, int /*dy*/) {
  // The rows are painted anew: a screenful costs little, and the view keeps no scrolled copy to mend.
  viewport()->update();
}

QSize UniformListView::viewportSizeHint() const {
  const long long height = static_cast<long long>(RowCount()) * rowSize_.height();
  return {rowSize_.width(), static_cast<int>(std::min<long long>(height, QWIDGETSIZE_MAX))};
}

}  // namespace kelvane::ui
