// The window as it is created: every control with its kind, container, caption, tooltip, place and
// state, the tab order and the menu.
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <cmath>

#include "ui/main_window/rectangle_shape.h"
#include "window_fixture.h"

namespace kelvane::testing {
namespace {

struct Placed {
  const char* name;
  const char* container;
  int left, top, width, height;  // twips
};

// The window's definition, control by control.
const Placed kPlaces[] = {
    {"BackupFilechk", "KelvaneMainClient", 7800, 6660, 2355, 255},
    {"KelvaneLogo", "KelvaneMainClient", 120, 7740, 11175, 495},
    {"SaveFileBtn", "KelvaneMainClient", 7800, 6960, 2355, 315},
    {"SortOptionsFrm", "KelvaneMainClient", 7800, 420, 2355, 4395},
    {"SortKeyBtn(3)", "SortOptionsFrm", 1860, 1800, 315, 555},
    {"SortKeyBtn(2)", "SortOptionsFrm", 1860, 1470, 315, 285},
    {"SortKeyBtn(1)", "SortOptionsFrm", 1860, 1200, 315, 285},
    {"SortKeyBtn(0)", "SortOptionsFrm", 1860, 600, 315, 555},
    {"SortBtwnStpChk", "SortOptionsFrm", 120, 4080, 1755, 195},
    {"CoordSortFrm(2)", "SortOptionsFrm", 300, 1200, 1575, 555},
    {"ZSortOptRB(0)", "CoordSortFrm(2)", 60, 60, 1515, 195},
    {"ZSortOptRB(1)", "CoordSortFrm(2)", 60, 300, 1515, 195},
    {"CoordSortFrm(1)", "SortOptionsFrm", 300, 600, 1575, 555},
    {"YSortOptRB(0)", "CoordSortFrm(1)", 60, 60, 1455, 195},
    {"YSortOptRB(1)", "CoordSortFrm(1)", 60, 300, 1515, 195},
    {"CoordSortFrm(0)", "SortOptionsFrm", 300, 1800, 1575, 555},
    {"XSortOptRB(0)", "CoordSortFrm(0)", 60, 60, 1515, 195},
    {"XSortOptRB(1)", "CoordSortFrm(0)", 60, 300, 1515, 195},
    {"SortOptionRB(2)", "SortOptionsFrm", 120, 3300, 1815, 195},
    {"SortOptionRB(1)", "SortOptionsFrm", 120, 2520, 1815, 195},
    {"SortOptionRB(0)", "SortOptionsFrm", 120, 300, 1815, 195},
    {"SortPartFrm", "SortOptionsFrm", 300, 2700, 1335, 555},
    {"SortPartOptRB(0)", "SortPartFrm", 60, 60, 1215, 195},
    {"SortPartOptRB(1)", "SortPartFrm", 60, 300, 1215, 195},
    {"SortColorFrm", "SortOptionsFrm", 300, 3480, 1335, 555},
    {"SortColorOptRB(0)", "SortColorFrm", 60, 60, 1215, 195},
    {"SortColorOptRB(1)", "SortColorFrm", 60, 300, 1215, 195},
    {"CoordSortRect", "SortOptionsFrm", 240, 540, 1995, 1875},
    {"SelectBtn", "KelvaneMainClient", 7800, 5220, 2355, 315},
    {"SortBtn", "KelvaneMainClient", 7800, 4860, 2355, 315},
    {"DATDataList", "KelvaneMainClient", 120, 480, 7515, 6810},
    {"BrowseDATFileBtn", "KelvaneMainClient", 2580, 60, 315, 315},
    {"DATFileCombo", "KelvaneMainClient", 120, 60, 2415, 315},
};

int Pixels(int twips, double twipsPerPixel) { return static_cast<int>(std::lround(twips / twipsPerPixel)); }

class WindowControlsTest : public WindowTest {
 protected:
  QWidget* Control(const char* name) const {
    auto* control = window->findChild<QWidget*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  QString Caption(const char* name) const {
    QWidget* control = Control(name);
    if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
    if (auto* frame = qobject_cast<QGroupBox*>(control)) return frame->title();
    return {};
  }
};

TEST_F(WindowControlsTest, EveryControlStandsInItsContainerAtItsPlace) {
  for (const Placed& p : kPlaces) {
    QWidget* control = Control(p.name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->parentWidget()->objectName(), QString::fromLatin1(p.container)) << p.name;
    EXPECT_EQ(control->geometry(),
              QRect(Pixels(p.left, 15), Pixels(p.top, 15), Pixels(p.width, 15), Pixels(p.height, 15)))
        << p.name;
  }
}

TEST_F(WindowControlsTest, TheInnerAreaIsAsDefined) {
  window->show();
  EXPECT_EQ(window->centralWidget()->size(), QSize(763, 556));
}

TEST_F(WindowControlsTest, PlacesFollowTheScreensResolution) {
  // 120 dots per inch: 12 twips per pixel, every control a quarter larger in pixels.
  ui::KelvaneMain large(ui::WindowServices{messages, fileDialog, std::make_shared<FakeScreenMetrics>(12.0)});
  for (const Placed& p : kPlaces) {
    auto* control = large.findChild<QWidget*>(QString::fromLatin1(p.name));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->geometry(),
              QRect(Pixels(p.left, 12), Pixels(p.top, 12), Pixels(p.width, 12), Pixels(p.height, 12)))
        << p.name;
  }
}

TEST_F(WindowControlsTest, ControlsAreOfTheirKind) {
  EXPECT_TRUE(qobject_cast<QComboBox*>(Control("DATFileCombo")));
  EXPECT_TRUE(window->DATFileCombo->isEditable());
  EXPECT_TRUE(qobject_cast<QListView*>(Control("DATDataList")));
  EXPECT_TRUE(window->DATDataList->uniformItemSizes());
  EXPECT_TRUE(qobject_cast<QGroupBox*>(Control("SortOptionsFrm")));
  EXPECT_TRUE(window->SortOptionsFrm->font().bold());
  EXPECT_FALSE(window->SortOptionRB[0]->font().bold());
  EXPECT_FALSE(window->XSortOptRB[0]->font().bold());
  EXPECT_TRUE(qobject_cast<ui::RectangleShape*>(Control("CoordSortRect")));
  EXPECT_TRUE(qobject_cast<QLabel*>(Control("KelvaneLogo")));
  for (const char* name : {"SortBtwnStpChk", "BackupFilechk"})
    EXPECT_TRUE(qobject_cast<QCheckBox*>(Control(name)));
  for (const char* name : {"SortBtn", "SelectBtn", "SaveFileBtn", "BrowseDATFileBtn", "SortKeyBtn(0)"}) {
    EXPECT_TRUE(qobject_cast<QPushButton*>(Control(name))) << name;
  }
  for (const char* name : {"SortOptionRB(0)", "XSortOptRB(1)", "SortPartOptRB(0)", "SortColorOptRB(1)"}) {
    EXPECT_TRUE(qobject_cast<QRadioButton*>(Control(name))) << name;
  }
}

TEST_F(WindowControlsTest, CaptionsAndTooltips) {
  const std::pair<const char*, const char*> captions[] = {
      {"BackupFilechk", "Backup existing .DAT file"},
      {"SaveFileBtn", "Save File"},
      {"SortOptionsFrm", "Sort Options"},
      {"SortBtwnStpChk", "Sort Between Steps"},
      {"ZSortOptRB(0)", "+Z to -Z (B to F)"},
      {"ZSortOptRB(1)", "-Z to +Z (F to B)"},
      {"YSortOptRB(0)", "+Y to -Y (B to T)"},
      {"YSortOptRB(1)", "-Y to +Y (T to B)"},
      {"XSortOptRB(0)", "+X to -X (R to L)"},
      {"XSortOptRB(1)", "-X to +X (L to R)"},
      {"SortOptionRB(2)", "By Color"},
      {"SortOptionRB(1)", "By Part Number"},
      {"SortOptionRB(0)", "By Coordinates"},
      {"SortPartOptRB(0)", "Ascending"},
      {"SortPartOptRB(1)", "Descending"},
      {"SortColorOptRB(0)", "Ascending"},
      {"SortColorOptRB(1)", "Descending"},
      {"SelectBtn", "Select All"},
      {"SortBtn", "Sort File"},
      {"BrowseDATFileBtn", "..."},
  };
  for (const auto& [name, caption] : captions) EXPECT_EQ(Caption(name), QString::fromUtf8(caption)) << name;

  const std::pair<const char*, const char*> tooltips[] = {
      {"DATFileCombo", "Select the .DAT file to sort"},
      {"BrowseDATFileBtn", "Browse for a .DAT file to sort"},
      {"SortBtn", "Sort the .DAT file"},
      {"SelectBtn", "Select/Deselect all items in .DAT file"},
      {"SaveFileBtn", "Save the sorted .DAT file"},
      {"BackupFilechk", "Make a backup of the existing .DAT file before backing up the sorted version"},
      {"SortBtwnStpChk", "Sort each section between steps independently"},
      {"SortOptionRB(0)", "Sort by X-Y-Z coordinates"},
      {"SortOptionRB(1)", "Sort by part numbers"},
      {"SortOptionRB(2)", "Sort by part colors"},
      {"XSortOptRB(0)", "Sort Right to Left"},
      {"XSortOptRB(1)", "Sort Left to Right"},
      {"YSortOptRB(0)", "Sort Bottom to Top"},
      {"YSortOptRB(1)", "Sort Top to Bottom"},
      {"ZSortOptRB(0)", "Sort Back to Front"},
      {"ZSortOptRB(1)", "Sort Front to Back"},
      {"SortKeyBtn(0)", "Swap the 1st and 2nd sort keys"},
      {"SortKeyBtn(1)", "Swap the 2nd and 1st sort keys"},
      {"SortKeyBtn(2)", "Swap the 2nd and 3rd sort keys"},
      {"SortKeyBtn(3)", "Swap the 3rd and 2nd sort keys"},
  };
  for (const auto& [name, tip] : tooltips)
    EXPECT_EQ(Control(name)->toolTip(), QString::fromUtf8(tip)) << name;
  for (const char* untipped :
       {"DATDataList", "SortOptionsFrm", "SortPartOptRB(0)", "SortColorOptRB(1)", "KelvaneLogo"}) {
    EXPECT_TRUE(Control(untipped)->toolTip().isEmpty()) << untipped;
  }
}

TEST_F(WindowControlsTest, EveryControlHasAnAccessibleName) {
  for (const Placed& p : kPlaces) EXPECT_FALSE(Control(p.name)->accessibleName().isEmpty()) << p.name;
  EXPECT_EQ(window->SortBtn->accessibleName(), "Sort File");
  EXPECT_EQ(window->SortKeyBtn[2]->accessibleName(), "Swap the 2nd and 3rd sort keys");
}

TEST_F(WindowControlsTest, StateAtCreation) {
  EXPECT_EQ(window->windowTitle(), "Kelvane");
  EXPECT_FALSE(window->windowIcon().isNull());
  EXPECT_FALSE(window->SortBtn->isEnabled()) << "nothing can be sorted before a file is loaded";
  EXPECT_FALSE(window->MenuSortFile->isEnabled());
  EXPECT_EQ(Model().rowCount(), 0);
  EXPECT_TRUE(window->DATFileCombo->currentText().isEmpty());
  EXPECT_EQ(window->DATFileCombo->count(), 0);
  for (QWidget* enabled :
       std::initializer_list<QWidget*>{window->SelectBtn, window->SaveFileBtn, window->BrowseDATFileBtn,
                                       window->SortBtwnStpChk, window->BackupFilechk}) {
    EXPECT_TRUE(enabled->isEnabled()) << enabled->objectName().toStdString();
  }
  EXPECT_FALSE(window->BackupFilechk->isChecked());
  EXPECT_FALSE(window->SortBtwnStpChk->isChecked());

  EXPECT_TRUE(window->SortOptionRB[0]->isChecked());
  EXPECT_FALSE(window->SortOptionRB[1]->isChecked());
  EXPECT_FALSE(window->SortOptionRB[2]->isChecked());
  for (const auto* pair : {&window->XSortOptRB, &window->YSortOptRB, &window->ZSortOptRB}) {
    EXPECT_TRUE((*pair)[0]->isChecked());
    EXPECT_FALSE((*pair)[1]->isChecked());
    EXPECT_TRUE((*pair)[0]->isEnabled());
    EXPECT_TRUE((*pair)[1]->isEnabled());
  }
  for (const auto* pair : {&window->SortPartOptRB, &window->SortColorOptRB}) {
    EXPECT_TRUE((*pair)[0]->isChecked());
    EXPECT_FALSE((*pair)[0]->isEnabled());
    EXPECT_FALSE((*pair)[1]->isEnabled());
  }
  for (QPushButton* swap : window->SortKeyBtn) {
    EXPECT_TRUE(swap->isEnabled());
    EXPECT_FALSE(swap->icon().isNull());
  }
  EXPECT_EQ(window->CoordSortRect->OutlineColor(),
            window->CoordSortRect->palette().color(QPalette::WindowText));
  EXPECT_EQ(window->SortKeyOrder, (std::array<int, 3>{1, 2, 0}));
}

TEST_F(WindowControlsTest, AxisFramesStandYThenZThenX) {
  EXPECT_EQ(window->CoordSortFrm[1]->y(), Pixels(600, 15));
  EXPECT_EQ(window->CoordSortFrm[2]->y(), Pixels(1200, 15));
  EXPECT_EQ(window->CoordSortFrm[0]->y(), Pixels(1800, 15));
}

TEST_F(WindowControlsTest, LogoShowsTheBannerAtItsNaturalSizeFromTheTopLeft) {
  const QPixmap logo = window->KelvaneLogo->pixmap();
  EXPECT_EQ(logo.size(), QSize(1280, 32));
  EXPECT_FALSE(window->KelvaneLogo->hasScaledContents());
  EXPECT_EQ(window->KelvaneLogo->alignment(), Qt::AlignLeft | Qt::AlignTop);
}

TEST_F(WindowControlsTest, TabOrder) {
  const std::vector<QWidget*> expected = {
      window->DATFileCombo,     window->BrowseDATFileBtn,  window->DATDataList,
      window->SortBtn,          window->SelectBtn,         window->SortOptionRB[0],
      window->SortOptionRB[1],  window->SortOptionRB[2],   window->XSortOptRB[1],
      window->XSortOptRB[0],    window->YSortOptRB[1],     window->YSortOptRB[0],
      window->ZSortOptRB[1],    window->ZSortOptRB[0],     window->SortBtwnStpChk,
      window->SortKeyBtn[0],    window->SortKeyBtn[1],     window->SortKeyBtn[2],
      window->SortKeyBtn[3],    window->SaveFileBtn,       window->SortPartOptRB[1],
      window->SortPartOptRB[0], window->SortColorOptRB[1], window->SortColorOptRB[0],
      window->BackupFilechk,
  };
  std::vector<QWidget*> seen;
  QWidget* widget = window->DATFileCombo;
  do {
    const bool listed = std::find(expected.begin(), expected.end(), widget) != expected.end();
    if (listed && std::find(seen.begin(), seen.end(), widget) == seen.end()) seen.push_back(widget);
    widget = widget->nextInFocusChain();
  } while (widget != window->DATFileCombo && seen.size() < expected.size());
  EXPECT_EQ(seen, expected);
}

TEST_F(WindowControlsTest, MenuBar) {
  const QList<QAction*> menus = window->menuBar()->actions();
  ASSERT_EQ(menus.size(), 2);
  EXPECT_EQ(menus[0]->text(), "File");
  EXPECT_EQ(menus[1]->text(), "Help");
  const QList<QAction*> file = window->MenuFile->actions();
  ASSERT_EQ(file.size(), 3);
  EXPECT_EQ(file[0]->text(), "Sort File");
  EXPECT_TRUE(file[1]->isSeparator());
  EXPECT_EQ(file[2]->text(), "Exit");
  const QList<QAction*> help = window->MenuHelp->actions();
  ASSERT_EQ(help.size(), 1);
  EXPECT_EQ(help[0]->text(), "About Kelvane");
  EXPECT_EQ(help[0]->shortcut(), QKeySequence(Qt::Key_F1));
}

TEST_F(WindowControlsTest, F1ReachesTheAboutCommand) {
  QSignalSpy about(window->MenuAbout, &QAction::triggered);
  window->show();
  QApplication::setActiveWindow(window.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QTest::keyClick(window.get(), Qt::Key_F1);
  EXPECT_EQ(about.count(), 1);
}

TEST_F(WindowControlsTest, ExitClosesTheWindow) {
  window->show();
  ASSERT_TRUE(window->isVisible());
  window->MenuExit->trigger();
  EXPECT_FALSE(window->isVisible());
}

}  // namespace
}  // namespace kelvane::testing
