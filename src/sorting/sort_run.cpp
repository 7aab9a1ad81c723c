#include "sorting/sort_run.h"

#include <algorithm>

#include "sorting/section_boundaries.h"

namespace kelvane::sorting {

SortRun::SortRun(const SortOptions& options) : options_(options) {
  options_.keyOrder = EffectiveKeyOrder(options.keyOrder);
}

std::size_t SortRun::SortList(document::LineList& lines, std::size_t begin, std::size_t end) {
  ForgetSection();
  movedLines_ = 0;
  lines_ = &lines;
  begin_ = begin;
  end = std::min(end, lines.Size());
  // Room for the largest possible section, reserved once so that no section regrows the storage;
  // pages that no section reaches are never touched.
  const std::size_t room = lines.CheckedCount();
  SectionLines.reserve(room);
  origins_.reserve(room);
  positions_.reserve(room);
  unitStarts_.reserve(room);
  // The list itself changes only when a section is written back, which cannot fail; an exception
  // while a section is sorted leaves its lines where they were.
  try {
    for (std::size_t i = begin; i < end; ++i) {
      if (lines.IsChecked(i)) TakeLine(i);
      // Tested after a checked line has joined the section, so a checked line that ends in "STEP"
      // closes its own section.
      if (ClosesSection(lines.Text(i), options_.betweenSteps)) CloseSection();
    }
    CloseSection();
  } catch (...) {
    ForgetSection();
    throw;
  }
  return movedLines_;
}

void SortRun::TakeLine(std::size_t index) {
  const document::LineList& lines = *lines_;
  // A checked line is never a meta, so the metas of one line never reach back into another unit; and
  // a meta that also closes a section ("0 MLCAD BTG xSTEP") stays where it is, as every boundary does.
  // The walk also stops at the range's start: the line before it belongs to a range another run may
  // be writing.
  std::size_t unitStart = index;
  while (unitStart > begin_ && !lines.IsChecked(unitStart - 1) &&
         IsAttachedMetaLine(lines.Text(unitStart - 1)) &&
         !ClosesSection(lines.Text(unitStart - 1), options_.betweenSteps)) {
    --unitStart;
  }
  sectionHasMetas_ = sectionHasMetas_ || unitStart != index;
  origins_.push_back(static_cast<std::uint32_t>(SectionLines.size()));
  positions_.push_back(index);
  unitStarts_.push_back(unitStart);
  SectionLines.push_back(lines.Span(index));
}

void SortRun::CloseSection() {
  // A section of one line has nothing to sort, but it still ends here: its line must not wander into
  // the next step or model.
  if (SectionLines.size() >= 2) SortSection();
  std::size_t moved = 0;
  for (std::size_t slot = 0; slot < origins_.size(); ++slot) moved += origins_[slot] != slot ? 1 : 0;
  if (moved > 0 && sectionHasMetas_) {
    RebuildSection();
  } else {
    ReturnSectionLines();
  }
  movedLines_ += moved;
}

void SortRun::ReturnSectionLines() {
  for (std::size_t slot = 0; slot < SectionLines.size(); ++slot)
    lines_->SetSpan(positions_[slot], SectionLines[slot]);
  ForgetSection();
}

void SortRun::RebuildSection() {
  document::LineList& lines = *lines_;
  const std::size_t first = unitStarts_.front();
  const std::size_t last = positions_.back();
  // Made before any line moves: if this fails, the list is still as it was.
  rebuiltSpans_.resize(last - first + 1);
  rebuiltChecks_.assign(rebuiltSpans_.size(), 0);
  std::size_t out = 0;
  std::size_t slot = 0;
  for (std::size_t i = first; i <= last;) {
    if (slot < positions_.size() && i == unitStarts_[slot]) {
      // This unit's place now holds the unit whose line was sorted into it.
      const std::uint32_t from = origins_[slot];
      for (std::size_t meta = unitStarts_[from]; meta < positions_[from]; ++meta)
        rebuiltSpans_[out++] = lines.Span(meta);
      rebuiltSpans_[out] = SectionLines[slot];
      rebuiltChecks_[out++] = 1;
      i = positions_[slot++] + 1;
    } else {
      rebuiltSpans_[out] = lines.Span(i);
      rebuiltChecks_[out++] = lines.IsChecked(i) ? 1 : 0;
      ++i;
    }
  }
  // The marks only change places, so their count stays right without being touched.
  for (std::size_t k = 0; k < rebuiltSpans_.size(); ++k)
    lines.Place(first + k, rebuiltSpans_[k], rebuiltChecks_[k] != 0);
  ForgetSection();
}

void SortRun::ForgetSection() {
  SectionLines.clear();
  origins_.clear();
  positions_.clear();
  unitStarts_.clear();
  sectionHasMetas_ = false;
}

}  // namespace kelvane::sorting
