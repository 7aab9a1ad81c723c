#include "ui/about/about_box_position.h"

#include "settings/integer_halving.h"

namespace kelvane::ui {

std::optional<TwipsPosition> AboutBoxPosition(const TwipsBounds& owner, float boxWidth, float boxHeight) {
  const auto halfWidth = settings::IntegerHalf(owner.width - boxWidth);
  const auto halfHeight = settings::IntegerHalf(owner.height - boxHeight);
  if (!halfWidth || !halfHeight) return std::nullopt;
  return TwipsPosition{owner.left + static_cast<float>(*halfWidth),
                       owner.top + static_cast<float>(*halfHeight)};
}

std::string VersionLine(int major, int minor, int revision) {
  return std::string("Version ") + std::to_string(major) + "." + std::to_string(minor) + "." +
         std::to_string(revision);
}

}  // namespace kelvane::ui
