#include "sorting/keyed_selection_sort.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace kelvane::sorting {

std::span<const KeyedSelectionSort::Exchange> KeyedSelectionSort::Exchanges(std::span<const float> keys,
                                                                            bool ascending) {
  exchanges_.clear();
  const std::size_t count = keys.size();
  if (count < 2) return exchanges_;
  if (count > std::numeric_limits<std::uint32_t>::max())
    throw std::length_error("too many keys for one sort");

  byKey_.resize(count);
  for (std::size_t k = 0; k < count; ++k) byKey_[k] = {keys[k], static_cast<std::uint32_t>(k)};
  // Groups in the order they are placed; the order inside a group does not matter yet.
  if (ascending) {
    std::sort(byKey_.begin(), byKey_.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  } else {
    std::sort(byKey_.begin(), byKey_.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  }
  positions_.resize(count);
  slotAt_.resize(count);
  for (std::size_t slot = 0; slot < count; ++slot) {
    positions_[slot] = byKey_[slot].second;
    slotAt_[byKey_[slot].second] = static_cast<std::uint32_t>(slot);
  }

  std::uint32_t filling = 0;
  for (std::size_t groupBegin = 0; groupBegin < count;) {
    std::size_t groupEnd = groupBegin + 1;
    while (groupEnd < count && byKey_[groupEnd].first == byKey_[groupBegin].first) ++groupEnd;
    const auto first = positions_.begin() + static_cast<std::ptrdiff_t>(groupBegin);
    std::sort(first, first + static_cast<std::ptrdiff_t>(groupEnd - groupBegin));
    for (std::size_t slot = groupBegin; slot < groupEnd; ++slot, ++filling) {
      const std::uint32_t taken = positions_[slot];
      if (taken == filling) continue;
      // The key at `filling` belongs to a later group; it moves to the position just taken.
      const std::uint32_t displaced = slotAt_[filling];
      positions_[displaced] = taken;
      slotAt_[taken] = displaced;
      exchanges_.push_back({filling, taken});
    }
    groupBegin = groupEnd;
  }
  return exchanges_;
}

void KeyedSelectionSort::Sort(std::span<float> keys, std::span<std::string> lines, bool ascending) {
  if (lines.size() < keys.size()) throw std::invalid_argument("fewer lines than keys");
  for (const Exchange& exchange : Exchanges(keys, ascending)) {
    std::swap(keys[exchange.first], keys[exchange.second]);
    lines[exchange.first].swap(lines[exchange.second]);
  }
}

}  // namespace kelvane::sorting
