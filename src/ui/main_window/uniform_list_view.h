#pragma once

#include <QListView>

#include "ui/main_window/layout/uniform_rows.h"

namespace kelvane::ui {

// A list view for rows that are all one height, as a model's lines are. QListView lays every row out
// and keeps two numbers per row for it, 8 MB for a million lines; this view places rows by arithmetic
// alone (UniformRows) and keeps nothing per row. It stays a QListView for everything else: selection,
// mouse and keyboard handling, check boxes through the delegate, and what screen readers are told.
// Every row is as high and as wide as the first.
class UniformListView final : public QListView {
  Q_OBJECT

 public:
  explicit UniformListView(QWidget* parent = nullptr);

  QRect visualRect(const QModelIndex& index) const override;
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
  QModelIndex indexAt(const QPoint& point) const override;
  void doItemsLayout() override;
  void reset() override;

 protected:
  QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
  int horizontalOffset() const override;
  int verticalOffset() const override;
  void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
  QRegion visualRegionForSelection(const QItemSelection& selection) const override;
  void updateGeometries() override;
  void paintEvent(QPaintEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  QSize viewportSizeHint() const override;
  void rowsInserted(const QModelIndex& parent, int start, int end) override;

 private:
  UniformRows Rows() const;
  int RowCount() const;
  int RowWidth() const;  // the rows' width on screen: the first row's, or the viewport's if wider

  QSize rowSize_{1, 1};  // the first row's size, which every row has
};

}  // namespace kelvane::ui
