#pragma once

#include <array>
#include <string>
#include <string_view>

#include "sorting/numeric_value.h"

namespace kelvane::sorting {

// The fields of a part-reference line ("1 <color> <x> <y> <z> <a> ... <i> <file>"), found purely by
// counting space characters: a tab is an ordinary character, and two spaces in a row are two
// separators with an empty field between them. Nothing checks the line type or what comes out, so a
// line that is not a well-formed part reference gives a wrong but harmless field. When a field cannot
// be found at all the result is empty, which NumericValue reads as 0.
//
// The *Field functions return views into `line` for the engine's inner loops; the Get* functions
// return the same bytes as a text of their own.

// The color: from the space after the line type up to, not including, the first space at or after
// the third character (" 16" for "1 16 10 ..."). Empty when there is no such space.
std::string_view ColorField(std::string_view line);

// What follows the last space of the line (the whole line if it has none), less its last four
// characters, whatever they are ("s\973s01" for "... s\973s01.dat"). Empty when four characters or
// fewer follow the last space.
std::string_view PartNameField(std::string_view line);

// The coordinate on `axis` (0 = X, 1 = Y, 2 = Z) with the space in front of it: the field after the
// (axis + 2)-th space, a space in the first position not counted. Empty when the line has too few
// spaces, when the field is the last of the line (a coordinate is always followed by a space), or
// when the axis is not 0, 1 or 2.
std::string_view CoordinateField(std::string_view line, int axis);

// NumericValue of the X, Y and Z fields, as CoordinateField finds them, in one pass over the line.
std::array<double, 3> CoordinateValues(std::string_view line);

inline std::string GetColor(std::string_view line) { return std::string(ColorField(line)); }
inline std::string GetPartName(std::string_view line) { return std::string(PartNameField(line)); }
inline std::string GetCoordinate(std::string_view line, int axis) {
  return std::string(CoordinateField(line, axis));
}

}  // namespace kelvane::sorting
