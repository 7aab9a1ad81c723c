// The sort options panel in the window: the enabling rule for each sort key, the swap buttons and
// the stacking of the axis frames. (What the panel means to the engine is checked by sorting.)
#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QTest>

#include "ui/main_window/rectangle_shape.h"
#include "window_fixture.h"

namespace kelvane::testing {
namespace {

class WindowSortOptionsTest : public WindowTest {
 protected:
  void SetUp() override { window->show(); }

  void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

  std::array<int, 3> FrameTopsInTwips() const {
    std::array<int, 3> tops{};
    for (int axis = 0; axis < 3; ++axis)
      tops[axis] = static_cast<int>(window->TwipsY(window->CoordSortFrm[axis]->y()));
    return tops;
  }

  void ExpectEnabling(bool coordinates, bool part, bool color, const std::string& when) const {
    for (const auto* pair : {&window->XSortOptRB, &window->YSortOptRB, &window->ZSortOptRB}) {
      for (QRadioButton* button : *pair) EXPECT_EQ(button->isEnabled(), coordinates) << when;
    }
    for (QPushButton* swap : window->SortKeyBtn) EXPECT_EQ(swap->isEnabled(), coordinates) << when;
    const QColor outline =
        coordinates ? QColor(Qt::black) : window->CoordSortRect->palette().color(QPalette::Dark);
    EXPECT_EQ(window->CoordSortRect->OutlineColor(), outline) << when;
    for (QRadioButton* button : window->SortPartOptRB) EXPECT_EQ(button->isEnabled(), part) << when;
    for (QRadioButton* button : window->SortColorOptRB) EXPECT_EQ(button->isEnabled(), color) << when;
    EXPECT_TRUE(window->SortBtwnStpChk->isEnabled()) << when;
  }
};

TEST_F(WindowSortOptionsTest, EnablesOnlyTheControlsOfTheChosenKeyAndKeepsEverySelection) {
  // Selections made beforehand in every group, to be found again unchanged.
  Click(window->XSortOptRB[1]);
  Click(window->SortKeyBtn[2]);
  Click(window->SortBtwnStpChk);
  const std::array<int, 3> order = window->SortKeyOrder;

  const int choices[] = {1, 1, 2, 2, 0, 0, 2, 1, 0};
  for (int choice : choices) {
    Click(window->SortOptionRB[choice]);
    const std::string when = "key " + std::to_string(choice);
    EXPECT_TRUE(window->SortOptionRB[choice]->isChecked()) << when;
    ExpectEnabling(choice == 0, choice == 1, choice == 2, when);
    if (choice == 1) Click(window->SortPartOptRB[1]);
    if (choice == 2) Click(window->SortColorOptRB[1]);
    EXPECT_TRUE(window->XSortOptRB[1]->isChecked()) << when;
    EXPECT_TRUE(window->YSortOptRB[0]->isChecked()) << when;
    EXPECT_TRUE(window->ZSortOptRB[0]->isChecked()) << when;
    EXPECT_EQ(window->SortKeyOrder, order) << when;
    EXPECT_TRUE(window->SortBtwnStpChk->isChecked()) << when;
  }
  EXPECT_TRUE(window->SortPartOptRB[1]->isChecked());
  EXPECT_TRUE(window->SortColorOptRB[1]->isChecked());
}

TEST_F(WindowSortOptionsTest, SelectingAKeyFromCodeAppliesTheRule) {
  window->SortOptionRB[2]->setChecked(true);
  ExpectEnabling(false, false, true, "color chosen by code");
  window->SortOptionRB[0]->setChecked(true);
  ExpectEnabling(true, false, false, "coordinates chosen by code");
}

TEST_F(WindowSortOptionsTest, StoredPairsMayHoldNeitherOrBothSelections) {
  ui::KelvaneMain::SetOptionPair(window->XSortOptRB, false, false);
  EXPECT_FALSE(window->XSortOptRB[0]->isChecked());
  EXPECT_FALSE(window->XSortOptRB[1]->isChecked());
  EXPECT_TRUE(window->CurrentSortOptions().xAscending) << "without button 0 the other one counts";
  ui::KelvaneMain::SetOptionPair(window->YSortOptRB, false, true);
  EXPECT_TRUE(window->YSortOptRB[1]->isChecked());
  EXPECT_FALSE(window->YSortOptRB[0]->isChecked());
  // A person still moves the selection from one button to the other.
  Click(window->YSortOptRB[0]);
  EXPECT_TRUE(window->YSortOptRB[0]->isChecked());
  EXPECT_FALSE(window->YSortOptRB[1]->isChecked());
  Click(window->YSortOptRB[0]);
  EXPECT_TRUE(window->YSortOptRB[0]->isChecked()) << "nor can a person clear it";
}

TEST_F(WindowSortOptionsTest, DisabledPairsCannotBeChanged) {
  Click(window->SortPartOptRB[1]);
  Click(window->SortColorOptRB[1]);
  EXPECT_TRUE(window->SortPartOptRB[0]->isChecked());
  EXPECT_TRUE(window->SortColorOptRB[0]->isChecked());
}

TEST_F(WindowSortOptionsTest, SwapButtonsReorderTheKeysAndRestackTheFrames) {
  struct Case {
    int button;
    std::array<int, 3> order;
    std::array<int, 3> topsByAxis;  // X, Y, Z
  };
  const Case cases[] = {
      {0, {2, 1, 0}, {1800, 1200, 600}},  // Z, Y, X
      {1, {1, 2, 0}, {1800, 600, 1200}},  // back to Y, Z, X
      {2, {1, 0, 2}, {1200, 600, 1800}},  // Y, X, Z
      {3, {1, 2, 0}, {1800, 600, 1200}},  // back again
      {3, {1, 0, 2}, {1200, 600, 1800}}, {1, {0, 1, 2}, {600, 1200, 1800}},
  };
  for (const Case& c : cases) {
    Click(window->SortKeyBtn[c.button]);
    EXPECT_EQ(window->SortKeyOrder, c.order) << "button " << c.button;
    EXPECT_EQ(FrameTopsInTwips(), c.topsByAxis) << "button " << c.button;
  }
  for (QWidget* frame : window->CoordSortFrm) {
    EXPECT_EQ(frame->x(), window->PixelsX(300));
    EXPECT_EQ(frame->size(), QSize(window->PixelsX(1575), window->PixelsY(555)));
  }
}

TEST_F(WindowSortOptionsTest, ActivationStacksTheFramesByTheCurrentOrder) {
  window->SortKeyOrder = {0, 2, 1};  // as start-up sets it from the settings
  EXPECT_EQ(FrameTopsInTwips(), (std::array<int, 3>{1800, 600, 1200})) << "nothing moves before activation";
  QEvent activation(QEvent::WindowActivate);
  QApplication::sendEvent(window.get(), &activation);
  EXPECT_EQ(FrameTopsInTwips(), (std::array<int, 3>{600, 1800, 1200}));
}

TEST_F(WindowSortOptionsTest, AnOrderThatIsNoPermutationIsRepairedToTheOneTheSortUses) {
  for (const std::array<int, 3>& broken : {std::array<int, 3>{0, 0, 1}, std::array<int, 3>{2, 7, 0}}) {
    window->SortKeyOrder = broken;
    window->Form_Activate();
    EXPECT_EQ(window->SortKeyOrder, (std::array<int, 3>{1, 2, 0}));
    EXPECT_EQ(FrameTopsInTwips(), (std::array<int, 3>{1800, 600, 1200}));
    EXPECT_EQ(window->CurrentSortOptions().keyOrder, (std::array<int, 3>{1, 2, 0}));
  }
}

}  // namespace
}  // namespace kelvane::testing
