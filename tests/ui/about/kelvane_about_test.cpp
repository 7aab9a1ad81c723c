#include "ui/about/kelvane_about.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QMainWindow>
#include <QPixmap>
#include <QTest>
#include <QTimer>
#include <functional>

#include "kelvane/version.h"
#include "platform/dialogs/screen_metrics.h"

namespace kelvane::ui {
namespace {

class FixedScreen final : public platform::ScreenMetrics {
 public:
  explicit FixedScreen(double twipsPerPixel) : twipsPerPixel_(twipsPerPixel) {}
  double TwipsPerPixelX() const override { return twipsPerPixel_; }
  double TwipsPerPixelY() const override { return twipsPerPixel_; }
  double WidthTwips() const override { return 1920 * twipsPerPixel_; }
  double HeightTwips() const override { return 1080 * twipsPerPixel_; }

 private:
  double twipsPerPixel_;
};

QIcon RedIcon() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::red);
  return QIcon(pixmap);
}

class KelvaneAboutTest : public ::testing::Test {
 protected:
  KelvaneAboutTest() {
    owner_.setWindowIcon(RedIcon());
    owner_.setGeometry(100, 80, 800, 600);
  }

  QMainWindow owner_;
  FixedScreen screen_{15.0};
};

TEST_F(KelvaneAboutTest, FixedBoxWithTheVersionOfThisBuild) {
  Kelvane_About box(&owner_, screen_);
  EXPECT_EQ(box.windowTitle(), "About Kelvane");
  EXPECT_EQ(box.minimumSize(), QSize(399, 110));
  EXPECT_EQ(box.maximumSize(), QSize(399, 110));
  EXPECT_EQ(box.AboutText[0]->text(), "Kelvane");
  EXPECT_TRUE(box.AboutText[0]->font().bold());
  EXPECT_EQ(box.AboutText[1]->text(),
            "A utility for sorting the elements in an LDraw .DAT file by color, part number or X-Y-Z coordinates.");
  EXPECT_EQ(box.AboutText[2]->text(), QStringLiteral("Version ") + QString::fromLatin1(kVersionText));
  EXPECT_FALSE(box.AboutText[3]->text().isEmpty());
  EXPECT_EQ(box.QORNLogo->pixmap().size(), QSize(100, 97));
  EXPECT_EQ(box.IconImage->geometry(), QRect(336, 28, 32, 32));
  EXPECT_EQ(box.IconImage->pixmap().toImage().pixelColor(16, 16), QColor(Qt::red)) << "the owner's icon";
}

TEST_F(KelvaneAboutTest, EveryTextFitsItsLabel) {
  Kelvane_About box(&owner_, screen_);
  for (QLabel* label : box.AboutText) {
    const QFontMetrics metrics(label->font());
    const int flags = Qt::AlignLeft | Qt::AlignTop | (label->wordWrap() ? Qt::TextWordWrap : 0);
    const QRect needed = metrics.boundingRect(QRect(QPoint(0, 0), label->size()), flags, label->text());
    EXPECT_LE(needed.width(), label->width()) << label->text().toStdString();
    EXPECT_LE(needed.height(), label->height()) << label->text().toStdString();
  }
}

TEST_F(KelvaneAboutTest, EveryControlHasAnAccessibleName) {
  Kelvane_About box(&owner_, screen_);
  EXPECT_EQ(box.accessibleName(), "About Kelvane");
  for (const QWidget* control : box.findChildren<QWidget*>()) {
    EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
  }
  EXPECT_EQ(box.AboutText[2]->accessibleName(), box.AboutText[2]->text());
}

TEST_F(KelvaneAboutTest, CentredOverTheOwnerEachTimeItIsMade) {
  // Owner 1500, 1200, 12000 x 9000 twips and box 5985 x 1650: left 1500 + 3007, top 1200 + 3675.
  EXPECT_EQ(Kelvane_About(&owner_, screen_).pos(), QPoint(300, 325));
  EXPECT_EQ(Kelvane_About(&owner_, screen_).pos(), QPoint(300, 325));
  owner_.move(-200, 40);
  EXPECT_EQ(Kelvane_About(&owner_, screen_).pos(), QPoint(0, 285));
  owner_.setGeometry(500, 500, 398, 109);  // 15 twips narrower and lower than the box: 7 twips over
  EXPECT_EQ(Kelvane_About(&owner_, screen_).pos(), QPoint(500, 500));
}

struct ClickCase {
  const char* target;
  std::function<QWidget*(Kelvane_About&)> widget;
  QPoint point;  // inside the widget; null means its centre
  Qt::MouseButton button;
  bool closes;
};

TEST_F(KelvaneAboutTest, ClicksCloseTheBoxExceptOnTheIcon) {
  const auto label = [](int i) { return [i](Kelvane_About& box) -> QWidget* { return box.AboutText[i]; }; };
  const ClickCase cases[] = {
      {"product name", label(0), {}, Qt::LeftButton, true},
      {"description", label(1), {}, Qt::LeftButton, true},
      {"version", label(2), {}, Qt::LeftButton, true},
      {"credits", label(3), {}, Qt::LeftButton, true},
      {"logo", [](Kelvane_About& box) -> QWidget* { return box.QORNLogo; }, {}, Qt::LeftButton, true},
      {"surface", [](Kelvane_About& box) -> QWidget* { return &box; }, {392, 6}, Qt::LeftButton, true},
      {"icon", [](Kelvane_About& box) -> QWidget* { return box.IconImage; }, {}, Qt::LeftButton, false},
      {"right button on a label", label(1), {}, Qt::RightButton, false},
  };
  for (const ClickCase& click : cases) {
    Kelvane_About box(&owner_, screen_);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box)) << click.target;
    QWidget* widget = click.widget(box);
    if (widget == &box) {
      ASSERT_EQ(box.childAt(click.point), nullptr) << "the point must be bare surface";
    }
    QTest::mouseClick(widget, click.button, Qt::NoModifier, click.point.isNull() ? widget->rect().center() : click.point);
    EXPECT_EQ(box.isVisible(), !click.closes) << click.target;
  }
}

TEST_F(KelvaneAboutTest, LosingTheFocusClosesTheBox) {
  owner_.show();
  Kelvane_About box(&owner_, screen_);
  box.show();
  box.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  EXPECT_FALSE(box.isVisible());
}

TEST_F(KelvaneAboutTest, ShowAboutBoxIsModalOverItsOwnerAndReturnsWhenClosed) {
  owner_.show();
  QString shownTitle;
  QWidget* shownParent = nullptr;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<Kelvane_About*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    shownTitle = box->windowTitle();
    shownParent = box->parentWidget();
    QTest::mouseClick(box->AboutText[0], Qt::LeftButton);
  });
  ShowAboutBox(&owner_, screen_);
  EXPECT_EQ(shownTitle, "About Kelvane");
  EXPECT_EQ(shownParent, &owner_);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace kelvane::ui
