#include "ui/main_window/line_list_model.h"

#include "ui/main_window/line_text_decoding.h"

namespace kelvane::ui {

LineListModel::LineListModel(session::ModelSession& session, QObject* parent)
    : QAbstractListModel(parent), session_(session) {}

bool LineListModel::SetChecked(int row, bool checked) {
  if (row < 0 || static_cast<std::size_t>(row) >= Lines().Size()) return false;
  const bool wasChecked = Lines().IsChecked(static_cast<std::size_t>(row));
  if (wasChecked == checked) return false;
  // A mark the check rule takes off again is never shown: the row is repainted either way.
  session_.SetChecked(static_cast<std::size_t>(row), checked);
  const QModelIndex changed = index(row);
  emit dataChanged(changed, changed, {Qt::CheckStateRole});
  emit CheckChanged(row);
  return true;
}

void LineListModel::Reset(const std::function<void()>& change) {
  beginResetModel();
  change();
  endResetModel();
}

void LineListModel::ChangeAll(const std::function<void()>& change) {
  change();
  if (Lines().Empty()) return;
  emit dataChanged(index(0), index(rowCount() - 1), {Qt::DisplayRole, Qt::CheckStateRole});
}

int LineListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(Lines().Size());
}

QVariant LineListModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) return {};
  const auto row = static_cast<std::size_t>(index.row());
  switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
      return DecodeLineForDisplay(Lines().Text(row));
    case Qt::CheckStateRole:
      return static_cast<int>(Lines().IsChecked(row) ? Qt::Checked : Qt::Unchecked);
    default:
      return {};
  }
}

bool LineListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::CheckStateRole) return false;
  if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) return false;
  SetChecked(index.row(), value.toInt() == Qt::Checked);
  return true;
}

Qt::ItemFlags LineListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  // Every line carries a check box; the window takes a mark off a line that may not have one.
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemNeverHasChildren;
}

}  // namespace kelvane::ui
