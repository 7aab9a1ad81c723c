#pragma once

#include <QImage>

namespace kelvane::ui {

inline constexpr int kAboutLogoWidth = 100;
inline constexpr int kAboutLogoHeight = 97;

// The About box's logo, drawn here rather than shipped as a file: three bricks stacked from the
// longest at the bottom to the shortest on top, a sorted pile, beside an arrow pointing down the
// pile. Transparent around the drawing.
QImage PaintAboutLogo();

}  // namespace kelvane::ui
