#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "cli/sort_file.h"

namespace kelvane::cli::testing {

// Stands in for the engine where a test is about what surrounds it: reverses the checked lines among
// their own positions, which shows which lines were checked and that the result was written.
class ReversingSort {
 public:
  SortFunction Function() {
    return [this](document::LineList& lines, const sorting::SortOptions&) {
      ++calls_;
      std::vector<std::size_t> checked;
      for (std::size_t i = 0; i < lines.Size(); ++i) {
        if (lines.IsChecked(i)) checked.push_back(i);
      }
      if (checked.size() < 2) return false;
      for (std::size_t a = 0, b = checked.size() - 1; a < b; ++a, --b) {
        std::string first = lines.Text(checked[a]);
        lines.SetText(checked[a], lines.Text(checked[b]));
        lines.SetText(checked[b], std::move(first));
      }
      return true;
    };
  }
  int Calls() const { return calls_; }

 private:
  int calls_ = 0;
};

}  // namespace kelvane::cli::testing
