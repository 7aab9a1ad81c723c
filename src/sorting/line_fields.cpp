#include "sorting/line_fields.h"

#include "text/blank_fields.h"

namespace kelvane::sorting {

namespace {

// Fields before the file name: line type, color, x, y, z and the nine numbers of the matrix.
constexpr int kFieldsBeforeFileName = 14;
constexpr std::size_t kExtensionLength = 4;

std::string_view FieldAt(std::string_view line, int index) {
  text::FieldReader reader(line);
  for (int i = 0; i < index; ++i) reader.Next();
  return reader.Next();
}

}  // namespace

std::string_view ColorField(std::string_view line) { return FieldAt(line, 1); }

std::string_view PartNameField(std::string_view line) {
  text::FieldReader reader(line);
  std::string_view last;
  for (int i = 0; i < kFieldsBeforeFileName; ++i) {
    const std::string_view field = reader.Next();
    if (field.empty()) break;
    last = field;
  }
  const std::string_view rest = reader.Rest();
  const std::string_view name = rest.empty() ? last : rest;
  if (name.size() <= kExtensionLength) return {};
  return name.substr(0, name.size() - kExtensionLength);
}

std::string_view CoordinateField(std::string_view line, int axis) {
  if (axis < 0 || axis > 2) return {};
  return FieldAt(line, 2 + axis);
}

std::array<double, 3> CoordinateValues(std::string_view line) {
  // One pass over the line, the hottest loop of a coordinate sort: a plain number that ends where its
  // field ends is read as the field is found; any other field goes to NumericValue whole.
  const char* p = line.data();
  const char* const end = p + line.size();
  const auto skipBlanks = [&] {
    while (p != end && text::IsBlank(*p)) ++p;
  };
  const auto fieldEnd = [&](const char* from) {
    while (from != end && !text::IsBlank(*from)) ++from;
    return from;
  };
  for (int field = 0; field < 2; ++field) {  // line type and color
    skipBlanks();
    p = fieldEnd(p);
  }
  std::array<double, 3> values{};
  for (double& value : values) {
    skipBlanks();
    const std::size_t length = ReadPlainDecimal({p, static_cast<std::size_t>(end - p)}, value);
    const char* const stop = fieldEnd(p + length);
    if (length == 0 || stop != p + length) value = NumericValue({p, static_cast<std::size_t>(stop - p)});
    p = stop;
  }
  return values;
}

}  // namespace kelvane::sorting
