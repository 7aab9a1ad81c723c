// The window's controls as defined, and what the sort options panel does with them.
#include <QLabel>
#include <QListView>
#include <cmath>

#include "ui/main_window/rectangle_shape.h"
#include "ui/main_window/sort_panel_rules.h"
#include "window_fixture.h"

namespace kelvane::testing {
namespace {

struct Control {
  const char *name, *container, *kind;
  int left, top, width, height, enabled, checked;  // place in twips
  const char *caption, *tooltip;
};
constexpr char C[] = "KelvaneMainClient", P[] = "SortOptionsFrm", F[] = "QWidget", B[] = "QPushButton";
constexpr char R[] = "QRadioButton", K[] = "QCheckBox", X[] = "CoordSortFrm(0)", Y[] = "CoordSortFrm(1)";
constexpr char Z[] = "CoordSortFrm(2)";

const Control kControls[] = {
    {"BackupFilechk", C, K, 7800, 6660, 2355, 255, 1, 0, "Backup existing .DAT file",
     "Make a backup of the existing .DAT file before backing up the sorted version"},
    {"KelvaneLogo", C, "QLabel", 120, 7740, 11175, 495, 1, 0, "", ""},
    {"SaveFileBtn", C, B, 7800, 6960, 2355, 315, 1, 0, "Save File", "Save the sorted .DAT file"},
    {"SortOptionsFrm", C, "QGroupBox", 7800, 420, 2355, 4395, 1, 0, "Sort Options", ""},
    {"SortKeyBtn(3)", P, B, 1860, 1800, 315, 555, 1, 0, "", "Swap the 3rd and 2nd sort keys"},
    {"SortKeyBtn(2)", P, B, 1860, 1470, 315, 285, 1, 0, "", "Swap the 2nd and 3rd sort keys"},
    {"SortKeyBtn(1)", P, B, 1860, 1200, 315, 285, 1, 0, "", "Swap the 2nd and 1st sort keys"},
    {"SortKeyBtn(0)", P, B, 1860, 600, 315, 555, 1, 0, "", "Swap the 1st and 2nd sort keys"},
    {"SortBtwnStpChk", P, K, 120, 4080, 1755, 195, 1, 0, "Sort Between Steps",
     "Sort each section between steps independently"},
    {"CoordSortFrm(2)", P, F, 300, 1200, 1575, 555, 1, 0, "", ""},
    {"ZSortOptRB(0)", Z, R, 60, 60, 1515, 195, 1, 1, "+Z to -Z (B to F)", "Sort Back to Front"},
    {"ZSortOptRB(1)", Z, R, 60, 300, 1515, 195, 1, 0, "-Z to +Z (F to B)", "Sort Front to Back"},
    {"CoordSortFrm(1)", P, F, 300, 600, 1575, 555, 1, 0, "", ""},
    {"YSortOptRB(0)", Y, R, 60, 60, 1455, 195, 1, 1, "+Y to -Y (B to T)", "Sort Bottom to Top"},
    {"YSortOptRB(1)", Y, R, 60, 300, 1515, 195, 1, 0, "-Y to +Y (T to B)", "Sort Top to Bottom"},
    {"CoordSortFrm(0)", P, F, 300, 1800, 1575, 555, 1, 0, "", ""},
    {"XSortOptRB(0)", X, R, 60, 60, 1515, 195, 1, 1, "+X to -X (R to L)", "Sort Right to Left"},
    {"XSortOptRB(1)", X, R, 60, 300, 1515, 195, 1, 0, "-X to +X (L to R)", "Sort Left to Right"},
    {"SortOptionRB(2)", P, R, 120, 3300, 1815, 195, 1, 0, "By Color", "Sort by part colors"},
    {"SortOptionRB(1)", P, R, 120, 2520, 1815, 195, 1, 0, "By Part Number", "Sort by part numbers"},
    {"SortOptionRB(0)", P, R, 120, 300, 1815, 195, 1, 1, "By Coordinates", "Sort by X-Y-Z coordinates"},
    {"SortPartFrm", P, F, 300, 2700, 1335, 555, 1, 0, "", ""},
    {"SortPartOptRB(0)", "SortPartFrm", R, 60, 60, 1215, 195, 0, 1, "Ascending", ""},
    {"SortPartOptRB(1)", "SortPartFrm", R, 60, 300, 1215, 195, 0, 0, "Descending", ""},
    {"SortColorFrm", P, F, 300, 3480, 1335, 555, 1, 0, "", ""},
    {"SortColorOptRB(0)", "SortColorFrm", R, 60, 60, 1215, 195, 0, 1, "Ascending", ""},
    {"SortColorOptRB(1)", "SortColorFrm", R, 60, 300, 1215, 195, 0, 0, "Descending", ""},
    {"CoordSortRect", P, "kelvane::ui::RectangleShape", 240, 540, 1995, 1875, 1, 0, "", ""},
    {"SelectBtn", C, B, 7800, 5220, 2355, 315, 1, 0, "Select All", "Select/Deselect all items in .DAT file"},
    {"SortBtn", C, B, 7800, 4860, 2355, 315, 0, 0, "Sort File", "Sort the .DAT file"},
    {"DATDataList", C, "QListView", 120, 480, 7515, 6810, 1, 0, "", ""},
    {"BrowseDATFileBtn", C, B, 2580, 60, 315, 315, 1, 0, "...", "Browse for a .DAT file to sort"},
    {"DATFileCombo", C, "QComboBox", 120, 60, 2415, 315, 1, 0, "", "Select the .DAT file to sort"},
};

using Order = std::array<int, 3>;
using WindowControlsTest = WindowTest;

TEST_F(WindowControlsTest, EveryControlAsDefined) {
  for (const double twipsPerPixel : {15.0, 12.0}) {  // 96 and 120 dots per inch
    const auto created = NewWindow(twipsPerPixel);
    const auto px = [&](int twips) { return static_cast<int>(std::lround(twips / twipsPerPixel)); };
    for (const Control& c : kControls) {
      const QWidget* it = created->findChild<QWidget*>(QString::fromLatin1(c.name));
      ASSERT_NE(it, nullptr) << c.name;
      EXPECT_TRUE(it->inherits(c.kind) && it->parentWidget()->objectName() == c.container) << c.name;
      EXPECT_EQ(it->geometry(), QRect(px(c.left), px(c.top), px(c.width), px(c.height))) << c.name;
      EXPECT_EQ(it->property("text").toString() + it->property("title").toString(), c.caption) << c.name;
      EXPECT_EQ(it->toolTip(), QString::fromUtf8(c.tooltip)) << c.name;
      EXPECT_TRUE(it->isEnabled() == c.enabled && it->property("checked").toBool() == c.checked) << c.name;
    }
  }
  ui::KelvaneMain& w = *window;
  EXPECT_TRUE(w.windowTitle() == "Kelvane" && !w.windowIcon().isNull());
  EXPECT_FALSE(w.MenuSortFile->isEnabled()) << "nothing can be sorted before a file is loaded";
  EXPECT_TRUE(Model().rowCount() == 0 && w.DATFileCombo->count() == 0 && w.DATFileCombo->isEditable());
  EXPECT_EQ(w.CoordSortRect->OutlineColor(), w.CoordSortRect->palette().color(QPalette::WindowText));
  EXPECT_EQ(w.KelvaneLogo->pixmap().size(), QSize(1280, 32));
  EXPECT_TRUE(w.MenuSortFile->text() == "Sort File" && w.MenuAbout->shortcut() == QKeySequence(Qt::Key_F1));
  w.show();
  EXPECT_EQ(w.centralWidget()->size(), QSize(763, 556));
  w.MenuExit->trigger();
  EXPECT_FALSE(w.isVisible());
}

TEST_F(WindowControlsTest, EachSortKeyEnablesItsOwnControlsAndEverySelectionStays) {
  ui::KelvaneMain& w = *window;
  w.show();
  Click(w.SortPartOptRB[1]), Click(w.XSortOptRB[1]), Click(w.SortKeyBtn[2]), Click(w.SortBtwnStpChk);
  EXPECT_TRUE(w.SortPartOptRB[0]->isChecked()) << "a disabled pair cannot be changed";
  const Order order = w.SortKeyOrder;
  const auto enabled = [](std::vector<QAbstractButton*> all, bool on) {
    return std::all_of(all.begin(), all.end(), [on](auto* button) { return button->isEnabled() == on; });
  };
  const std::pair<int, bool> keys[] = {{1, 0}, {1, 0}, {2, 1}, {2, 0}, {0, 0}, {0, 1}, {2, 0}, {1, 1}};
  for (const auto& [key, byCode] : keys) {  // the key chosen by a click or from code, some twice in a row
    byCode ? w.SortOptionRB[key]->setChecked(true) : Click(w.SortOptionRB[key]);
    EXPECT_TRUE(w.SortOptionRB[key]->isChecked()) << key;
    EXPECT_TRUE(enabled({w.XSortOptRB[0], w.XSortOptRB[1], w.YSortOptRB[0], w.YSortOptRB[1], w.ZSortOptRB[0],
                         w.ZSortOptRB[1], w.SortKeyBtn[0], w.SortKeyBtn[1], w.SortKeyBtn[2], w.SortKeyBtn[3]},
                        key == 0));
    const QColor outline = key == 0 ? QColor(Qt::black) : w.CoordSortRect->palette().color(QPalette::Dark);
    EXPECT_EQ(w.CoordSortRect->OutlineColor(), outline) << key;
    EXPECT_TRUE(enabled({w.SortPartOptRB[0], w.SortPartOptRB[1]}, key == 1)) << key;
    EXPECT_TRUE(enabled({w.SortColorOptRB[0], w.SortColorOptRB[1]}, key == 2)) << key;
    EXPECT_TRUE(w.SortBtwnStpChk->isEnabled() && w.SortBtwnStpChk->isChecked()) << key;
    EXPECT_TRUE(w.XSortOptRB[1]->isChecked() && w.YSortOptRB[0]->isChecked() && w.ZSortOptRB[0]->isChecked());
    EXPECT_EQ(w.SortKeyOrder, order) << key;
    if (key != 0) Click(key == 1 ? w.SortPartOptRB[1] : w.SortColorOptRB[1]);
  }
  EXPECT_TRUE(w.SortPartOptRB[1]->isChecked() && w.SortColorOptRB[1]->isChecked());
}

TEST_F(WindowControlsTest, SwapsAndActivationStackTheAxisFramesByTheKeyOrder) {
  window->show();
  const auto& frames = window->CoordSortFrm;  // X, Y, Z; their tops in twips:
  const auto tops = [&] { return Order{frames[0]->y() * 15, frames[1]->y() * 15, frames[2]->y() * 15}; };
  const std::tuple<int, Order, Order> swaps[] = {
      {0, {2, 1, 0}, {1800, 1200, 600}}, {1, {1, 2, 0}, {1800, 600, 1200}},  // swap button, order, tops
      {2, {1, 0, 2}, {1200, 600, 1800}}, {3, {1, 2, 0}, {1800, 600, 1200}},
      {3, {1, 0, 2}, {1200, 600, 1800}}, {1, {0, 1, 2}, {600, 1200, 1800}}};
  for (const auto& [button, order, frameTops] : swaps) {
    Click(window->SortKeyBtn[button]);
    EXPECT_TRUE(window->SortKeyOrder == order && tops() == frameTops) << button;
  }
  window->SortKeyOrder = {0, 2, 1};  // as start-up sets it from the settings
  EXPECT_EQ(tops(), (Order{600, 1200, 1800})) << "nothing moves before activation";
  QEvent activation(QEvent::WindowActivate);
  QApplication::sendEvent(window.get(), &activation);
  EXPECT_EQ(tops(), (Order{600, 1800, 1200}));
  for (const Order& order : {Order{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}}) {
    for (const auto& [first, second] : {std::pair{0, 1}, {1, 0}, {2, 3}, {3, 2}})
      EXPECT_EQ(ui::SwapSortKeys(ui::SwapSortKeys(order, first), second), order) << first << second;
  }
}

}  // namespace
}  // namespace kelvane::testing

namespace kelvane::testing {
namespace {

// The window applies the resize layout to its outer size: a drag below the minimum ends at 600 x 550
// pixels, with the list, the column and the logo placed from the outer edges.
TEST_F(WindowTest, ResizingLaysOutTheControlsAndKeepsTheMinimum) {
  window->show();
  const QSize decorations = window->frameGeometry().size() - window->size();
  for (const auto& [asked, expected] : {std::pair{QSize(400, 300), QSize(600, 550)},
                                        std::pair{QSize(800, 600), QSize(800, 600)}}) {
    window->resize(asked - decorations);
    QCoreApplication::processEvents();
    ASSERT_EQ(window->frameGeometry().size(), expected);
    const int w = expected.width(), h = expected.height();
    EXPECT_EQ(window->DATDataList->geometry(), QRect(8, 32, w - 30 - 157, h - 120));
    EXPECT_EQ(window->SortBtn->x(), w - 15 - 157);
    EXPECT_EQ(window->KelvaneLogo->geometry().topLeft(), QPoint(8, h - 85));
    EXPECT_EQ(window->SaveFileBtn->y(), h - 85 - 32);
  }
}

}  // namespace
}  // namespace kelvane::testing
