#pragma once

namespace kelvane::platform {

// Twips (1/1440 inch) are the unit in which the window's layout gives every position and size.
inline constexpr double kTwipsPerInch = 1440.0;

class ScreenMetrics {
 public:
  virtual ~ScreenMetrics() = default;
  // 1440 / logical dots per inch: 15 on a 96 dpi screen.
  virtual double TwipsPerPixelX() const = 0;
  virtual double TwipsPerPixelY() const = 0;
  // The primary screen's size in twips.
  virtual double WidthTwips() const = 0;
  virtual double HeightTwips() const = 0;
};

class QtScreenMetrics final : public ScreenMetrics {
 public:
  double TwipsPerPixelX() const override;
  double TwipsPerPixelY() const override;
  double WidthTwips() const override;
  double HeightTwips() const override;
};

// Whole pixels for a length in twips, rounded to the nearest pixel.
int TwipsToPixels(double twips, double twipsPerPixel);

}  // namespace kelvane::platform
