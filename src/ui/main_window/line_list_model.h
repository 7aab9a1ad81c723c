#pragma once

#include <QAbstractListModel>
#include <functional>

#include "session/model_session.h"

namespace kelvane::ui {

// The open model's lines as the list view sees them: one row per line, its text decoded for display
// and its check mark as the check state. The view asks only for the rows it paints, so a file of
// millions of lines costs no widget and no text conversion per line.
class LineListModel final : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit LineListModel(session::ModelSession& session, QObject* parent = nullptr);

  const document::LineList& Lines() const { return session_.Lines(); }

  // Sets one row's check mark through the session's check rule; CheckChanged follows when the mark
  // was really touched.
  bool SetChecked(int row, bool checked);

  // For a change that replaces every line (a load).
  void Reset(const std::function<void()>& change);
  // For changes to many rows at once (select all, sort): the view is told once afterwards instead of
  // once per line.
  void ChangeAll(const std::function<void()>& change);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 signals:
  // Raised after a row's check mark was set or cleared by the user or by code, so that the window can
  // bring the Sort command up to date.
  void CheckChanged(int row);

 private:
  session::ModelSession& session_;
};

}  // namespace kelvane::ui
