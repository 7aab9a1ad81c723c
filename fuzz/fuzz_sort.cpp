// The whole sort on any model, options and check marks: it only rearranges, moves each checked line
// with the attached metas right before it, leaves every other line in its order, says whether it
// changed anything, and a second sort finds nothing left to do.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "document/check_rules.h"
#include "document/line_splitter.h"
#include "fuzz_check.h"
#include "sorting/section_boundaries.h"
#include "sorting/sort_command.h"

using kelvane::document::LineList;
namespace sorting = kelvane::sorting;

namespace {

// The lines that stay put in file order, and the moving units (a checked line with the attached metas
// right before it, a meta that closes a section excepted) in sorted order.
struct Parts {
  std::vector<std::string> staying;
  std::vector<std::vector<std::string>> units;
};

Parts Split(const LineList& lines, bool betweenSteps) {
  Parts parts;
  std::vector<bool> moves(lines.Size(), false);
  for (std::size_t i = lines.Size(); i-- > 0;) {
    moves[i] = lines.IsChecked(i) || (i + 1 < lines.Size() && moves[i + 1] && !lines.IsChecked(i) &&
                                      sorting::IsAttachedMetaLine(lines.Text(i)) &&
                                      !sorting::ClosesSection(lines.Text(i), betweenSteps));
  }
  std::vector<std::string> unit;
  for (std::size_t i = 0; i < lines.Size(); ++i) {
    if (!moves[i]) {
      parts.staying.emplace_back(lines.Text(i));
      continue;
    }
    unit.emplace_back(lines.Text(i));
    if (lines.IsChecked(i)) parts.units.push_back(std::exchange(unit, {}));
  }
  std::sort(parts.units.begin(), parts.units.end());
  return parts;
}

bool Same(const LineList& a, const LineList& b) {
  if (a.Texts() != b.Texts()) return false;
  for (std::size_t i = 0; i < a.Size(); ++i) {
    if (a.IsChecked(i) != b.IsChecked(i)) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  sorting::SortOptions options;
  options.sortKey = static_cast<sorting::SortKey>(input.ConsumeIntegralInRange(0, 2));
  for (int& axis : options.keyOrder) axis = input.ConsumeIntegralInRange(-1, 3);
  for (bool* flag : {&options.xAscending, &options.yAscending, &options.zAscending, &options.partAscending,
                     &options.colorAscending, &options.betweenSteps}) {
    *flag = input.ConsumeBool();
  }
  const auto marks = input.ConsumeIntegral<std::uint64_t>();
  const std::string bytes = input.ConsumeRemainingBytesAsString();
  auto buffer = std::make_unique_for_overwrite<char[]>(bytes.size());
  std::copy(bytes.begin(), bytes.end(), buffer.get());
  LineList lines(std::move(buffer), kelvane::document::SplitLines(bytes));
  for (std::size_t i = 0; i < lines.Size(); ++i) {
    if ((marks >> (i % 64) & 1) && kelvane::document::IsCheckable(lines.Text(i))) lines.SetChecked(i, true);
  }

  const LineList before = lines;
  const std::size_t moved = sorting::SortCheckedLines(lines, options);
  const bool changed = !Same(lines, before);
  auto texts = lines.Texts(), textsBefore = before.Texts();
  std::sort(texts.begin(), texts.end());
  std::sort(textsBefore.begin(), textsBefore.end());
  FUZZ_CHECK(texts == textsBefore);
  FUZZ_CHECK(lines.CheckedCount() == before.CheckedCount());
  const Parts parts = Split(lines, options.betweenSteps), partsBefore = Split(before, options.betweenSteps);
  FUZZ_CHECK(parts.staying == partsBefore.staying);
  FUZZ_CHECK(parts.units == partsBefore.units);
  FUZZ_CHECK((moved == 0) == !changed);

  // A checked line that closes a section (one ending in "STEP") carries its step boundary to another
  // place, so a second sort sees other steps and may rightly move lines again.
  const auto closes = [&](const std::string& text) {
    return sorting::ClosesSection(text, options.betweenSteps);
  };
  const bool boundaryMoves = std::any_of(parts.units.begin(), parts.units.end(), [&](const auto& unit) {
    return std::any_of(unit.begin(), unit.end(), closes);
  });
  if (boundaryMoves) return 0;
  const LineList once = lines;
  FUZZ_CHECK(sorting::SortCheckedLines(lines, options) == 0);
  FUZZ_CHECK(Same(lines, once));
  return 0;
}
