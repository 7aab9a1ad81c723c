#include "sorting/sort_run.h"

#include "sorting/section_boundaries.h"

namespace kelvane::sorting {

SortRun::SortRun(const SortOptions& options) : options_(options) {
  options_.keyOrder = EffectiveKeyOrder(options.keyOrder);
}

void SortRun::SortList(document::LineList& lines) {
  SectionLines.clear();
  // Room for the largest possible section; pages that no section reaches are never touched.
  SectionLines.reserve(lines.CheckedCount());
  try {
    for (std::size_t i = 0; i < lines.Size(); ++i) {
      const bool checked = lines.IsChecked(i);
      if (checked) {
        if (SectionLines.empty()) SectionStart = i;
        SectionLines.emplace_back();  // within the reserved room: cannot fail
        lines.SwapText(i, SectionLines.back());
      }
      // Tested after a checked line has joined the section, so a checked line that ends in "STEP"
      // closes its own section.
      const std::string& text = checked ? SectionLines.back() : lines.Text(i);
      if ((options_.betweenSteps && IsStepLine(text)) || IsModelBoundaryLine(text)) CloseSection(lines);
    }
    CloseSection(lines);
  } catch (...) {
    ReturnSectionLines(lines);
    throw;
  }
}

void SortRun::CloseSection(document::LineList& lines) {
  // A section of one line has nothing to sort, but it still ends here: its line must not wander into
  // the next step or model.
  if (SectionLines.size() >= 2) SortSection();
  ReturnSectionLines(lines);
}

void SortRun::ReturnSectionLines(document::LineList& lines) {
  std::size_t next = 0;
  for (std::size_t i = SectionStart; i < lines.Size() && next < SectionLines.size(); ++i) {
    if (lines.IsChecked(i)) lines.SwapText(i, SectionLines[next++]);
  }
  SectionLines.clear();
}

}  // namespace kelvane::sorting
