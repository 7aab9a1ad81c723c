// The field and number readers on any line: fields are pieces of the line, no value is NaN, and the
// one-pass coordinate reader agrees with reading each coordinate field on its own.
#include <cmath>
#include <string_view>

#include "fuzz_check.h"
#include "sorting/line_fields.h"
#include "sorting/numeric_value.h"

namespace sorting = kelvane::sorting;

namespace {

bool Within(std::string_view line, std::string_view field) {
  return field.empty() ||
         (field.data() >= line.data() && field.data() + field.size() <= line.data() + line.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  FUZZ_CHECK(Within(line, sorting::ColorField(line)));
  FUZZ_CHECK(Within(line, sorting::PartNameField(line)));
  FUZZ_CHECK(sorting::CoordinateField(line, -1).empty() && sorting::CoordinateField(line, 3).empty());

  const auto values = sorting::CoordinateValues(line);
  for (int axis = 0; axis < 3; ++axis) {
    const std::string_view field = sorting::CoordinateField(line, axis);
    FUZZ_CHECK(Within(line, field));
    FUZZ_CHECK(!std::isnan(values[axis]) && values[axis] == sorting::NumericValue(field));
  }
  const double value = sorting::NumericValue(line);
  FUZZ_CHECK(!std::isnan(value) && !std::isnan(sorting::SortKeyFromValue(value)));
  return 0;
}
