#include "ui/about/kelvane_about.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QTest>
#include <QTimer>

#include "kelvane/version.h"
#include "platform/dialogs/fake_dialogs.h"
#include "ui/about/about_box_position.h"

namespace kelvane::ui {
namespace {

TEST(AboutBoxPositionTest, CentredOverTheOwnerByIntegerHalving) {
  const struct { TwipsBounds owner; float w, h; std::optional<std::pair<float, float>> at; } cases[] = {
      {{1500, 1200, 12000, 9000}, 6075, 2070, {{4462, 4665}}},
      {{4500, 300, 12000, 9000}, 6075, 2070, {{7462, 3765}}},
      {{3000, 2000, 6060, 2055}, 6075, 2070, {{2993, 1993}}},     // owner 15 twips smaller: 7 over
      {{-9000, -450, 12000, 9000}, 6075, 2070, {{-6038, 3015}}},  // owner partly off the screen
      {{0, 0, 12001, 9001}, 6074, 2074, {{2963, 3463}}},          // an odd difference drops its half
      {{0, 0, 12000.5f, 8998.5f}, 5985, 1650, {{3008, 3674}}},    // a fraction rounds half to even
      {{0, 0, 1.0e20f, 9000}, 5985, 1650, std::nullopt},          // overflow
  };
  for (const auto& [owner, w, h, at] : cases) {
    const auto p = AboutBoxPosition(owner, w, h);
    EXPECT_EQ(p ? std::optional(std::pair(p->left, p->top)) : std::nullopt, at) << owner.left << ", " << w;
  }
  EXPECT_EQ(VersionLine(12, 0, 305), "Version 12.0.305");
}

class KelvaneAboutTest : public ::testing::Test {
 protected:
  KelvaneAboutTest() {
    QPixmap red(32, 32);
    red.fill(Qt::red);
    owner_.setWindowIcon(QIcon(red));
    owner_.setGeometry(100, 80, 800, 600);
  }
  QMainWindow owner_;
  testing::FakeScreenMetrics screen_{15.0};
};

TEST_F(KelvaneAboutTest, FixedBoxWithTheVersionOfThisBuildWhoseTextsFitAndHaveAccessibleNames) {
  Kelvane_About box(&owner_, screen_);
  EXPECT_EQ(box.windowTitle(), "About Kelvane");
  EXPECT_EQ(box.accessibleName(), "About Kelvane");
  EXPECT_EQ(box.minimumSize(), QSize(399, 110));
  EXPECT_EQ(box.maximumSize(), QSize(399, 110));
  EXPECT_EQ(box.AboutText[0]->text(), "Kelvane");
  EXPECT_TRUE(box.AboutText[0]->font().bold());
  EXPECT_EQ(box.AboutText[1]->text(),
            "A utility for sorting the elements in an LDraw .DAT file by color, part number or X-Y-Z coordinates.");
  EXPECT_EQ(box.AboutText[2]->text(), QStringLiteral("Version ") + QString::fromLatin1(kVersionText));
  EXPECT_EQ(box.AboutText[2]->accessibleName(), box.AboutText[2]->text());
  EXPECT_FALSE(box.AboutText[3]->text().isEmpty());
  EXPECT_EQ(box.QORNLogo->pixmap().size(), QSize(100, 97));
  EXPECT_EQ(box.IconImage->geometry(), QRect(336, 28, 32, 32));
  EXPECT_EQ(box.IconImage->pixmap().toImage().pixelColor(16, 16), QColor(Qt::red)) << "the owner's icon";
  for (const QWidget* control : box.findChildren<QWidget*>()) {
    EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
  }
  for (const QLabel* label : box.AboutText) {
    const int flags = Qt::AlignLeft | Qt::AlignTop | (label->wordWrap() ? Qt::TextWordWrap : 0);
    const QRect needed = QFontMetrics(label->font()).boundingRect(label->rect(), flags, label->text());
    EXPECT_TRUE(label->rect().contains(needed)) << label->text().toStdString();
  }
}

TEST_F(KelvaneAboutTest, CentredOverTheOwnerEachTimeItIsMade) {
  // Owner 1500, 1200, 12000 x 9000 twips and box 5985 x 1650: left 1500 + 3007, top 1200 + 3675.
  EXPECT_EQ(Kelvane_About(&owner_, screen_).pos(), QPoint(300, 325));
  owner_.move(-200, 40);
  EXPECT_EQ(Kelvane_About(&owner_, screen_).pos(), QPoint(0, 285));
  owner_.setGeometry(500, 500, 398, 109);  // 15 twips narrower and lower than the box: 7 twips over
  EXPECT_EQ(Kelvane_About(&owner_, screen_).pos(), QPoint(500, 500));
}

TEST_F(KelvaneAboutTest, ClicksCloseTheBoxExceptOnTheIconAndLosingTheFocusClosesIt) {
  // Left clicks on a label 0..3, the logo, the icon and the bare surface at (392, 6), then a right click.
  for (int part = 0; part < 8; ++part) {
    Kelvane_About box(&owner_, screen_);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    QWidget* const parts[] = {box.AboutText[0], box.AboutText[1], box.AboutText[2], box.AboutText[3],
                              box.QORNLogo,     box.IconImage,    &box,             box.AboutText[1]};
    ASSERT_EQ(box.childAt(392, 6), nullptr) << "the surface point must be bare";
    QTest::mouseClick(parts[part], part == 7 ? Qt::RightButton : Qt::LeftButton, {},
                      part == 6 ? QPoint(392, 6) : parts[part]->rect().center());
    EXPECT_EQ(box.isVisible(), part == 5 || part == 7) << part;
  }
  owner_.show();
  const auto front = [](QWidget& w) { return w.show(), w.activateWindow(), QTest::qWaitForWindowActive(&w); };
  Kelvane_About box(&owner_, screen_);
  ASSERT_TRUE(front(box));
  QWidget other;
  ASSERT_TRUE(front(other));
  EXPECT_FALSE(box.isVisible());
}

TEST_F(KelvaneAboutTest, ShowAboutBoxIsModalOverItsOwnerAndReturnsWhenClosed) {
  owner_.show();
  QWidget* shownParent = nullptr;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<Kelvane_About*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    shownParent = box->parentWidget();
    QTest::mouseClick(box->AboutText[0], Qt::LeftButton);
  });
  ShowAboutBox(&owner_, screen_);
  EXPECT_EQ(shownParent, &owner_);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace kelvane::ui
