#include "platform/dialogs/screen_metrics.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

namespace kelvane::platform {
namespace {

TEST(TwipsToPixelsTest, RoundsToTheNearestPixel) {
  struct Case {
    double twips;
    double twipsPerPixel;
    int pixels;
  };
  const Case cases[] = {
      {11445, 15, 763}, {195, 15, 13}, {7, 15, 0}, {8, 15, 1}, {600, 12, 50}, {1440, 1440.0 / 144.0, 144},
      {-15, 15, -1},    {0, 15, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TwipsToPixels(c.twips, c.twipsPerPixel), c.pixels) << c.twips << " at " << c.twipsPerPixel;
  }
}

TEST(QtScreenMetricsTest, FollowsTheLogicalResolutionOfThePrimaryScreen) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  ASSERT_NE(screen, nullptr);
  const QtScreenMetrics metrics;
  EXPECT_DOUBLE_EQ(metrics.TwipsPerPixelX() * screen->logicalDotsPerInchX(), 1440.0);
  EXPECT_DOUBLE_EQ(metrics.TwipsPerPixelY() * screen->logicalDotsPerInchY(), 1440.0);
  EXPECT_DOUBLE_EQ(metrics.WidthTwips(), screen->size().width() * metrics.TwipsPerPixelX());
  EXPECT_DOUBLE_EQ(metrics.HeightTwips(), screen->size().height() * metrics.TwipsPerPixelY());
}

}  // namespace
}  // namespace kelvane::platform
