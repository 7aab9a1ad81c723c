// The window's controls follow its edges when it is resized, and it never gets smaller than
// 600 x 550 pixels, outer size: the window's frame included.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QTest>

#include "window_fixture.h"

namespace kelvane::testing {
namespace {

struct Expected {
  QSize window;
  QSize list;
  int columnLeft;
  int logoTop;
  int logoWidth;
  int saveTop;
  int backupTop;
};

class WindowResizeTest : public WindowTest {
 protected:
  // Resizes the window so that its outer size, frame included, becomes `outer`.
  void ResizeOuter(QSize outer) { window->resize(outer - (window->frameGeometry().size() - window->size())); }

  void ExpectLayout(const Expected& e) {
    EXPECT_EQ(window->frameGeometry().size(), e.window);
    EXPECT_EQ(window->DATDataList->geometry(), QRect(QPoint(8, 32), e.list));
    EXPECT_EQ(window->SortBtn->pos(), QPoint(e.columnLeft, 324));
    EXPECT_EQ(window->SelectBtn->pos(), QPoint(e.columnLeft, 348));
    EXPECT_EQ(window->SortOptionsFrm->pos(), QPoint(e.columnLeft, 28));
    EXPECT_EQ(window->KelvaneLogo->geometry(), QRect(8, e.logoTop, e.logoWidth, 33));
    EXPECT_EQ(window->SaveFileBtn->pos(), QPoint(e.columnLeft, e.saveTop));
    EXPECT_EQ(window->BackupFilechk->pos(), QPoint(e.columnLeft, e.backupTop));
    // What the layout never moves.
    EXPECT_EQ(window->DATFileCombo->geometry(), QRect(8, 4, 161, 21));
    EXPECT_EQ(window->BrowseDATFileBtn->geometry(), QRect(172, 4, 21, 21));
    EXPECT_EQ(window->SortOptionsFrm->size(), QSize(157, 293));
  }
};

TEST_F(WindowResizeTest, ControlsFollowTheWindowsEdges) {
  window->show();
  ResizeOuter({800, 600});  // 12000 x 9000 twips
  ExpectLayout({{800, 600}, {613, 480}, 628, 515, 778, 483, 463});
  ResizeOuter({1000, 700});
  ExpectLayout({{1000, 700}, {813, 580}, 828, 615, 978, 583, 563});
}

TEST_F(WindowResizeTest, AWindowBelowTheMinimumIsEnlarged) {
  window->resize(400, 300);  // as a size stored on a larger screen might be restored
  window->show();
  ExpectLayout({{600, 550}, {413, 430}, 428, 465, 578, 433, 413});
  ResizeOuter({599, 700});
  ExpectLayout({{600, 700}, {413, 580}, 428, 615, 578, 583, 563});
  EXPECT_EQ(window->minimumSize() + (window->frameGeometry().size() - window->size()), QSize(600, 550));
}

}  // namespace
}  // namespace kelvane::testing
