#pragma once

#include <QString>
#include <cstddef>
#include <string_view>

namespace kelvane::ui {

// The text the list shows for a line's bytes. LDraw files are UTF-8; a line that is not valid UTF-8
// comes from an older editor and is read as Windows-1252, as the format recommends. Control
// characters other than the tab are shown as their visible symbols (NUL as U+2400), so that no byte
// of the line is invisible. A line longer than kLongestShownLine bytes is shown cut, with an ellipsis.
// Display only: the document keeps the bytes.
inline constexpr std::size_t kLongestShownLine = 4096;
QString DecodeLineForDisplay(std::string_view bytes);

}  // namespace kelvane::ui
