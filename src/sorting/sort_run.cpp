#include "sorting/sort_run.h"

#include <iterator>

#include "sorting/section_boundaries.h"

namespace kelvane::sorting {

SortRun::SortRun(const SortOptions& options) : options_(options) {
  options_.keyOrder = EffectiveKeyOrder(options.keyOrder);
}

void SortRun::SortList(document::LineList& lines) {
  SortLines.clear();
  SortLines.reserve(lines.CheckedCount());
  SectionStart = 0;
  for (std::size_t i = 0; i < lines.Size(); ++i) {
    const std::string& text = lines.Text(i);
    if (lines.IsChecked(i)) SortLines.push_back(text);
    // Tested after a checked line has joined the section, so a checked line that ends in "STEP" closes
    // its own section.
    if ((options_.betweenSteps && IsStepLine(text)) || IsModelBoundaryLine(text)) CloseSection();
  }
  CloseSection();

  std::size_t next = 0;
  for (std::size_t i = 0; i < lines.Size(); ++i) {
    if (lines.IsChecked(i)) lines.SetText(i, std::move(SortLines[next++]));
  }
}

void SortRun::CloseSection() {
  // A section of one line has nothing to sort, but it still ends here: its line must not wander into
  // the next step or model.
  const std::size_t end = SortLines.size();
  if (end - SectionStart >= 2) {
    const auto first = SortLines.begin() + static_cast<std::ptrdiff_t>(SectionStart);
    const auto last = SortLines.begin() + static_cast<std::ptrdiff_t>(end);
    SectionLines.assign(std::make_move_iterator(first), std::make_move_iterator(last));
    SortSection();
  }
  SectionStart = end;
}

}  // namespace kelvane::sorting
