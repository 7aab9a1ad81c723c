#include "platform/dialogs/screen_metrics.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace kelvane::platform {
namespace {

// Without a screen (a window system that has none yet) the classic 96 dpi is the safest guess.
constexpr double kFallbackDotsPerInch = 96.0;

double TwipsPerPixel(double dotsPerInch) {
  return kTwipsPerInch / (dotsPerInch > 0.0 ? dotsPerInch : kFallbackDotsPerInch);
}

}  // namespace

double QtScreenMetrics::TwipsPerPixelX() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return TwipsPerPixel(screen ? screen->logicalDotsPerInchX() : kFallbackDotsPerInch);
}

double QtScreenMetrics::TwipsPerPixelY() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return TwipsPerPixel(screen ? screen->logicalDotsPerInchY() : kFallbackDotsPerInch);
}

double QtScreenMetrics::WidthTwips() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->size().width() * TwipsPerPixelX() : 0.0;
}

double QtScreenMetrics::HeightTwips() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->size().height() * TwipsPerPixelY() : 0.0;
}

int TwipsToPixels(double twips, double twipsPerPixel) {
  return static_cast<int>(std::lround(twips / twipsPerPixel));
}

}  // namespace kelvane::platform
