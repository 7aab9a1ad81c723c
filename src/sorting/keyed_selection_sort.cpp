#include "sorting/keyed_selection_sort.h"

#include <bit>
#include <limits>
#include <stdexcept>
#include <utility>

namespace kelvane::sorting {

namespace {

constexpr std::uint32_t kPlaced = std::numeric_limits<std::uint32_t>::max();

}  // namespace

template <bool kAscending>
void KeyedSelectionSort::SortIn(std::span<float> keys, std::span<std::string> lines) {
  const std::size_t count = keys.size();
  const std::size_t leaves = std::bit_ceil(count);

  // A placed position carries the worst key there is and the highest position, so it loses to every
  // position still open, even to one holding an infinite key.
  constexpr float kWorst =
      kAscending ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
  const Entry placed{kWorst, kPlaced};
  // The better of two entries; equal keys go to the lower position, as the strict comparisons of the
  // plain procedure do.
  const auto better = [](const Entry& a, const Entry& b) -> const Entry& {
    const bool bWins = kAscending ? (b.key < a.key || (b.key == a.key && b.position < a.position))
                                  : (b.key > a.key || (b.key == a.key && b.position < a.position));
    return bWins ? b : a;
  };

  tree_.assign(2 * leaves, placed);
  for (std::size_t k = 0; k < count; ++k) tree_[leaves + k] = Entry{keys[k], static_cast<std::uint32_t>(k)};
  for (std::size_t node = leaves - 1; node >= 1; --node) tree_[node] = better(tree_[2 * node], tree_[2 * node + 1]);

  const auto update = [&](std::size_t position) {
    for (std::size_t node = (leaves + position) / 2; node >= 1; node /= 2) {
      tree_[node] = better(tree_[2 * node], tree_[2 * node + 1]);
    }
  };

  for (std::size_t i = 0; i + 1 < count; ++i) {
    const std::size_t best = tree_[1].position;
    if (best != i) {
      std::swap(keys[i], keys[best]);
      lines[i].swap(lines[best]);
      tree_[leaves + best].key = keys[best];
      update(best);
    }
    tree_[leaves + i] = placed;
    update(i);
  }
}

void KeyedSelectionSort::Sort(std::span<float> keys, std::span<std::string> lines, bool ascending) {
  if (keys.size() < 2) return;
  if (lines.size() < keys.size()) throw std::invalid_argument("fewer lines than keys");
  if (keys.size() >= kPlaced) throw std::length_error("too many keys for one sort");
  if (ascending) {
    SortIn<true>(keys, lines);
  } else {
    SortIn<false>(keys, lines);
  }
}

}  // namespace kelvane::sorting
