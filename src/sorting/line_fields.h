#pragma once

#include <array>
#include <string_view>

#include "sorting/numeric_value.h"

namespace kelvane::sorting {

// The fields of a part-reference line ("1 <color> <x> <y> <z> <a> ... <i> <file>"). Fields are
// separated by runs of spaces and tabs, and blanks before the line type are skipped, so aligned
// columns read the same as single spaces. Nothing checks the line type or what comes out: a line
// that is not a well-formed part reference gives a wrong but harmless field, and a field the line
// does not have is empty, which NumericValue reads as 0.
// Each function returns a view into `line`.

// The color: the second field ("16" for "1 16 10 ...").
std::string_view ColorField(std::string_view line);

// The part's file name less its last four characters, whatever they are ("s\973s01" for
// "... s\973s01.dat"). The file name is everything after the 14th field without the blanks around
// it, since sub-model names may contain spaces ("6339 - minifig 1.ldr"); on a line of fewer than 15
// fields it is the last field. Empty when the name has four characters or fewer.
std::string_view PartNameField(std::string_view line);

// The coordinate on `axis` (0 = X, 1 = Y, 2 = Z): the third, fourth or fifth field. Empty when the
// axis is not 0, 1 or 2.
std::string_view CoordinateField(std::string_view line, int axis);

// NumericValue of the X, Y and Z fields in one pass over the line.
std::array<double, 3> CoordinateValues(std::string_view line);

}  // namespace kelvane::sorting
