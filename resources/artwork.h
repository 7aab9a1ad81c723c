#pragma once

// Our own drawings (scripts/draw_artwork.py), compiled into the program.
namespace kelvane::resources {

inline constexpr const char* kWindowIcon = ":/kelvane/kelvane-32.png";
inline constexpr const char* kApplicationIcon = ":/kelvane/kelvane.png";
inline constexpr const char* kLogoBanner = ":/kelvane/logo.png";  // 1280 x 32
inline constexpr const char* kArrowDown = ":/kelvane/arrow-down.png";
inline constexpr const char* kArrowUp = ":/kelvane/arrow-up.png";

// Registers the images with Qt's resource system. The resources live in a static library, whose
// registration code a linker would otherwise drop; calling this more than once is harmless.
void InitArtwork();

}  // namespace kelvane::resources
