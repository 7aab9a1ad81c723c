#include "ui/about/kelvane_about.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "kelvane/version.h"
#include "platform/dialogs/fake_dialogs.h"

namespace kelvane::ui {
namespace {

const testing::FakeScreenMetrics kScreen;

TEST(KelvaneAboutTest, CentredWithThisBuildsVersionAndTextsThatFitClosedByAClickButOnTheIconOrLosingFocus) {
  QWidget owner;
  QPixmap red(32, 32);
  red.fill(Qt::red);
  owner.setWindowIcon(QIcon(red));
  owner.setGeometry(100, 80, 800, 600);
  Kelvane_About about(&owner, kScreen);
  EXPECT_EQ(std::pair(about.minimumSize(), about.maximumSize()), std::pair(QSize(399, 110), QSize(399, 110)));
  EXPECT_EQ(about.AboutText[2]->text(), QStringLiteral("Version ") + QString::fromLatin1(kVersionText));
  EXPECT_TRUE(about.AboutText[0]->font().bold());
  EXPECT_EQ(about.IconImage->geometry(), QRect(336, 28, 32, 32));
  EXPECT_EQ(about.IconImage->pixmap().toImage().pixelColor(16, 16), QColor(Qt::red)) << "the owner's icon";
  for (const QWidget* control : about.findChildren<QWidget*>()) {
    EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
    const auto* label = qobject_cast<const QLabel*>(control);
    if (label == nullptr || label->text().isEmpty()) continue;  // the logo and the icon show pictures
    const int flags = Qt::AlignLeft | Qt::AlignTop | (label->wordWrap() ? Qt::TextWordWrap : 0);
    const QRect needed = QFontMetrics(label->font()).boundingRect(label->rect(), flags, label->text());
    EXPECT_TRUE(label->rect().contains(needed)) << label->text().toStdString();
  }
  // Owner 1500, 1200, 12000 x 9000 twips and box 5985 x 1650: left 1500 + 3007, top 1200 + 3675.
  EXPECT_EQ(about.pos(), QPoint(300, 325));
  owner.setGeometry(500, 500, 398, 109);  // 15 twips narrower and lower than the box: 7 twips over
  EXPECT_EQ(Kelvane_About(&owner, kScreen).pos(), QPoint(500, 500));
  // Shown from the owner, the box is modal and closed by a left click anywhere but on the icon.
  // Left clicks on a label 0..3, the logo, the icon and the bare surface at (392, 6), then a right click.
  for (int part = 0; part < 8; ++part) {
    bool stayed = false;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<Kelvane_About*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      QWidget* const target =
          part < 4 ? box->AboutText[part]
                   : std::array<QWidget*, 4>{box->QORNLogo, box->IconImage, box, box->AboutText[1]}[part - 4];
      EXPECT_TRUE(box->parentWidget() == &owner && box->childAt(392, 6) == nullptr) << "a bare surface point";
      QTest::mouseClick(target, part == 7 ? Qt::RightButton : Qt::LeftButton, {},
                        part == 6 ? QPoint(392, 6) : target->rect().center());
      stayed = box->isVisible();
      box->close();
    });
    ShowAboutBox(&owner, kScreen);  // returns once the box has closed
    EXPECT_EQ(stayed, part == 5 || part == 7) << part;
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  }
  // Losing the focus closes the box.
  const auto front = [](QWidget& w) { return w.show(), w.activateWindow(), QTest::qWaitForWindowActive(&w); };
  owner.show();
  ASSERT_TRUE(front(about));
  QWidget other;
  ASSERT_TRUE(front(other));
  EXPECT_FALSE(about.isVisible());
}

}  // namespace
}  // namespace kelvane::ui
