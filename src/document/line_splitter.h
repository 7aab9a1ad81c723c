#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "document/line_list.h"

namespace kelvane::document {

// Cuts the bytes of a model file into lines. CR LF, a lone CR and a lone LF each end a line; the
// terminator is not part of the line; a terminator at the very end adds no empty line after it. Every
// other byte (tabs, NUL, bytes that are not UTF-8) stays in its line. The spans point into `bytes`,
// which must be shorter than kLargestModelSize. With `partLines`, it also receives one mark per line,
// made while the line is at hand: 1 for a part-reference line (IsCheckable), 0 for any other.
std::vector<LineSpan> SplitLines(std::string_view bytes, std::vector<std::uint8_t>* partLines = nullptr);

}  // namespace kelvane::document
