// The keyboard: Return and Enter press the focused button, Tab stops once in each radio group and the
// arrows move inside it, and Space sets or clears the marks of all selected lines.
#include <QButtonGroup>
#include <QGroupBox>
#include <QKeyEvent>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>

#include "ui/main_window/kelvane_main.h"
#include "ui/main_window/line_list_model.h"

namespace kelvane::ui {

bool KelvaneMain::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  if (auto* button = qobject_cast<QPushButton*>(watched)) {
    // Outside a dialog Qt presses a button only on Space; desktop users expect Return as well.
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && key->modifiers() == Qt::NoModifier) {
      button->click();
      return true;
    }
  } else if (auto* radio = qobject_cast<QRadioButton*>(watched);
             radio != nullptr && radio->group() != nullptr) {
    // Only the selected button of a group takes Tab, so the arrows must reach the others.
    const int step = key->key() == Qt::Key_Down || key->key() == Qt::Key_Right ? 1
                     : key->key() == Qt::Key_Up || key->key() == Qt::Key_Left  ? -1
                                                                               : 0;
    const QList<QAbstractButton*> buttons = radio->group()->buttons();
    if (step != 0 && key->modifiers() == Qt::NoModifier) {
      const auto count = buttons.size();
      for (qsizetype i = 1; i < count; ++i) {  // the next enabled button, round the group
        QAbstractButton* next = buttons[((buttons.indexOf(radio) + step * i) % count + count) % count];
        if (!next->isEnabled()) continue;
        next->setFocus(Qt::TabFocusReason);
        next->click();
        break;
      }
      return true;
    }
  } else if (watched == DATDataList && key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier) {
    ToggleSelectedLines();
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void KelvaneMain::UpdateTabStops() {
  // Tab enters a group at its selected button and arrows move inside it, as in other desktop
  // programs. A group with nothing selected (a hand-edited setting) is entered at its first button.
  QList<QButtonGroup*> groups;
  for (QRadioButton* button : SortOptionsFrm->findChildren<QRadioButton*>()) {
    if (button->group() != nullptr && !groups.contains(button->group())) groups.append(button->group());
  }
  for (QButtonGroup* group : groups) {
    const QList<QAbstractButton*> buttons = group->buttons();
    QAbstractButton* stop = group->checkedButton() != nullptr ? group->checkedButton() : buttons.front();
    for (QAbstractButton* button : buttons)
      button->setFocusPolicy(button == stop ? Qt::StrongFocus : Qt::ClickFocus);
  }
}

void KelvaneMain::ToggleSelectedLines() {
  const QModelIndex current = DATDataList->currentIndex();
  if (!current.isValid()) return;
  std::vector<std::size_t> rows;
  for (const QModelIndex& index : DATDataList->selectionModel()->selectedRows()) {
    rows.push_back(static_cast<std::size_t>(index.row()));
  }
  if (rows.empty()) rows.push_back(static_cast<std::size_t>(current.row()));
  // The line with the focus decides: checked, it clears them all; unchecked, it sets them all.
  const bool check = !session_.Lines().IsChecked(static_cast<std::size_t>(current.row()));
  lineModel_->ChangeAll([&] { session_.SetCheckedMany(rows, check); });
  UpdateSortCommand();
}

}  // namespace kelvane::ui
