#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kelvane::sorting {

// The program's one sort algorithm: a selection sort with exchanges. Step i picks the leftmost
// position among i..n-1 that holds the smallest key (largest when descending) and, if that is not i
// itself, exchanges it with position i, doing the same exchange on the lines. It is not stable, and
// the order it leaves equal keys in is part of the program's result: a second key sort starts from
// it, and users see it.
//
// The plain procedure takes O(n^2) comparisons; this one gives exactly the same exchanges in
// O(n log n) with a tournament tree over the positions, whose root always names the leftmost best key
// among the positions not yet placed. The tree's storage is kept between calls.
class KeyedSelectionSort {
 public:
  // Sorts `keys` and moves `lines[k]` along with `keys[k]`. Needs lines.size() >= keys.size() (lines
  // past the keys are not touched) and no NaN among the keys (NumericValue never makes one).
  void Sort(std::span<float> keys, std::span<std::string> lines, bool ascending);

 private:
  struct Entry {
    float key;
    std::uint32_t position;
  };
  template <bool kAscending>
  void SortIn(std::span<float> keys, std::span<std::string> lines);

  std::vector<Entry> tree_;
};

}  // namespace kelvane::sorting
