#pragma once

#include <QAbstractListModel>
#include <functional>
#include <string>
#include <vector>

#include "document/line_list.h"

namespace kelvane::ui {

// The line list as the list view sees it: one row per line, its text decoded for display and its
// check mark as the check state. The view asks only for the rows it paints, so a file of millions of
// lines costs no widget and no text conversion per line.
class LineListModel final : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit LineListModel(QObject* parent = nullptr);

  const document::LineList& Lines() const { return lines_; }

  // Replaces every line; all rows come unchecked.
  void Assign(std::vector<std::string> texts);
  void Clear();

  // Sets one row's check mark; CheckChanged follows only when the mark really changed.
  bool SetChecked(int row, bool checked);

  // For changes to many rows at once (select all, sort): `change` edits the lines directly, and the
  // view is told once afterwards instead of once per line.
  void ChangeAll(const std::function<void(document::LineList&)>& change);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 signals:
  // Raised after every real change of a row's check mark made through SetChecked or setData, by the
  // user or by code, so that the window can apply its check rule.
  void CheckChanged(int row);

 private:
  document::LineList lines_;
};

}  // namespace kelvane::ui
