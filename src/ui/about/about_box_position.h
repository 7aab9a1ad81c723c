#pragma once

#include <optional>
#include <string>

namespace kelvane::ui {

// Outer bounds of a window in twips: borders and title bar included.
struct TwipsBounds {
  float left = 0.0f;
  float top = 0.0f;
  float width = 0.0f;
  float height = 0.0f;
};

struct TwipsPosition {
  float left = 0.0f;
  float top = 0.0f;
};

// Where the About box goes: centred over its owner by integer halving of the difference of the outer
// sizes. A box larger than its owner overhangs it on both sides (a width difference of -15 twips puts
// the box 7 twips left of the owner), and nothing keeps it on the screen. Nothing when the arithmetic
// overflows.
std::optional<TwipsPosition> AboutBoxPosition(const TwipsBounds& owner, float boxWidth, float boxHeight);

// "Version " and the three numbers, plain decimal: "Version 1.0.1".
std::string VersionLine(int major, int minor, int revision);

}  // namespace kelvane::ui
