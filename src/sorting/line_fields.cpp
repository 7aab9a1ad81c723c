#include "sorting/line_fields.h"

namespace kelvane::sorting {

namespace {
constexpr std::string_view::size_type kNone = std::string_view::npos;
}  // namespace

std::string_view ColorField(std::string_view line) {
  // The search starts at the third character whatever the line holds, so a second space right after
  // the first ("1  4 ...") gives the lone space in front of it.
  if (line.size() < 3) return {};
  const auto end = line.find(' ', 2);
  if (end == kNone) return {};
  return line.substr(1, end - 1);
}

std::string_view PartNameField(std::string_view line) {
  const auto lastSpace = line.rfind(' ');
  const std::string_view last = lastSpace == kNone ? line : line.substr(lastSpace + 1);
  if (last.size() <= 4) return {};
  return last.substr(0, last.size() - 4);
}

std::string_view CoordinateField(std::string_view line, int axis) {
  if (axis < 0 || axis > 2) return {};
  // Counting starts after the first character, so a space that opens the line is never counted.
  std::string_view::size_type start = 0;
  for (int count = 0; count < axis + 2; ++count) {
    start = line.find(' ', start + 1);
    if (start == kNone) return {};
  }
  const auto end = line.find(' ', start + 1);
  if (end == kNone) return {};
  return line.substr(start, end - start);
}

std::array<double, 3> CoordinateValues(std::string_view line) {
  // The 1st to 5th spaces after the first character: axis a lies between the (a + 2)-th and the
  // (a + 3)-th of them.
  std::array<std::size_t, 5> spaces{};
  std::size_t found = 0;
  for (std::size_t i = 1; i < line.size() && found < spaces.size(); ++i) {
    if (line[i] == ' ') spaces[found++] = i;
  }
  std::array<double, 3> values{};
  for (std::size_t axis = 0; axis < values.size() && axis + 2 < found; ++axis) {
    const std::size_t start = spaces[axis + 1];
    values[axis] = NumericValue(line.substr(start, spaces[axis + 2] - start));
  }
  return values;
}

}  // namespace kelvane::sorting
