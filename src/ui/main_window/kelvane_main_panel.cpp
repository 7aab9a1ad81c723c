// The sort options panel: the enabling rule of the sort key, the key swaps and the stacking of the
// axis frames. The rules themselves are in sort_panel_rules; this applies them to the controls.
#include <QButtonGroup>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include "sorting/sort_options.h"
#include "ui/main_window/kelvane_main.h"
#include "ui/main_window/rectangle_shape.h"
#include "ui/main_window/sort_panel_rules.h"

namespace kelvane::ui {

void KelvaneMain::SortOptionRB_Click(int index) {
  const PanelEnabling enabling = EnablingForSortKey(index);
  for (const auto* pair : DirectionPairs()) {
    for (QRadioButton* button : *pair) button->setEnabled(enabling.coordinateControls);
  }
  for (QPushButton* button : SortKeyBtn) button->setEnabled(enabling.coordinateControls);
  CoordSortRect->SetOutlineColor(
      enabling.coordinateControls ? QColor(Qt::black) : CoordSortRect->palette().color(QPalette::Dark));
  for (QRadioButton* button : SortPartOptRB) button->setEnabled(enabling.partNumberPair);
  for (QRadioButton* button : SortColorOptRB) button->setEnabled(enabling.colorPair);
}

void KelvaneMain::SortKeyBtn_Click(int index) {
  SortKeyOrder = SwapSortKeys(SortKeyOrder, index);
  ArrangeCoordFrames();
}

void KelvaneMain::ArrangeCoordFrames() {
  // A stored order that names no axis twice is used as it is; anything else is replaced here by the
  // order the sort would use anyway, so that what the panel shows is what the sort does.
  SortKeyOrder = sorting::EffectiveKeyOrder(SortKeyOrder);
  const std::array<int, 3> tops = CoordFrameTopsTwips(SortKeyOrder);
  for (int axis = 0; axis < 3; ++axis) {
    QWidget* frame = CoordSortFrm[axis];
    frame->move(frame->x(), PixelsY(tops[axis]));
  }
  SyncSortOptions();
}

void KelvaneMain::SyncSortOptions() { session_.SetSortOptions(CurrentSortOptions()); }

void KelvaneMain::SetOptionPair(const std::array<QRadioButton*, 2>& pair, bool firstSelected,
                                bool secondSelected) {
  QButtonGroup* group = pair[0]->group();
  group->setExclusive(false);
  pair[0]->setChecked(firstSelected);
  pair[1]->setChecked(secondSelected);
  group->setExclusive(true);
}

sorting::SortOptions KelvaneMain::CurrentSortOptions() const {
  PanelSelections selections;
  selections.byCoordinates = SortOptionRB[0]->isChecked();
  selections.byPartNumber = SortOptionRB[1]->isChecked();
  selections.partFirstSelected = SortPartOptRB[0]->isChecked();
  selections.colorFirstSelected = SortColorOptRB[0]->isChecked();
  selections.xFirstSelected = XSortOptRB[0]->isChecked();
  selections.yFirstSelected = YSortOptRB[0]->isChecked();
  selections.zFirstSelected = ZSortOptRB[0]->isChecked();
  selections.betweenSteps = SortBtwnStpChk->isChecked();
  selections.keyOrder = SortKeyOrder;
  return ReadSortOptions(selections);
}

}  // namespace kelvane::ui
