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
  if (count > std::numeric_limits<std::uint32_t>::max()) {
    throw std::length_error("too many keys for one sort");
  }

  // Each key with its position: first its starting one, later its current one.
  byKey_.resize(count);
  for (std::size_t k = 0; k < count; ++k) byKey_[k] = {keys[k], static_cast<std::uint32_t>(k)};
  // Groups in the order they are placed; the order inside a group does not matter yet.
  if (ascending) {
    std::sort(byKey_.begin(), byKey_.end(), [](const Entry& a, const Entry& b) { return a.key < b.key; });
  } else {
    std::sort(byKey_.begin(), byKey_.end(), [](const Entry& a, const Entry& b) { return a.key > b.key; });
  }
  slotAt_.resize(count);
  for (std::size_t slot = 0; slot < count; ++slot)
    slotAt_[byKey_[slot].position] = static_cast<std::uint32_t>(slot);
  exchanges_.reserve(count);  // at most one exchange per position

  std::uint32_t filling = 0;
  for (auto groupBegin = byKey_.begin(); groupBegin != byKey_.end();) {
    const auto groupEnd = std::find_if(groupBegin, byKey_.end(),
                                       [&](const Entry& entry) { return entry.key != groupBegin->key; });
    std::sort(groupBegin, groupEnd, [](const Entry& a, const Entry& b) { return a.position < b.position; });
    for (auto entry = groupBegin; entry != groupEnd; ++entry, ++filling) {
      const std::uint32_t taken = entry->position;
      if (taken == filling) continue;
      // The key at `filling` belongs to a later group; it moves to the position just taken.
      const std::uint32_t displaced = slotAt_[filling];
      byKey_[displaced].position = taken;
      slotAt_[taken] = displaced;
      exchanges_.push_back({filling, taken});
    }
    groupBegin = groupEnd;
  }
  return exchanges_;
}

}  // namespace kelvane::sorting
