#include "sorting/keyed_selection_sort.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace kelvane::sorting {

namespace {

constexpr std::uint64_t kRankBits = 0xFFFFFFFF00000000ull;

std::uint32_t PositionOf(std::uint64_t entry) { return static_cast<std::uint32_t>(entry); }

}  // namespace

std::span<const KeyedSelectionSort::Exchange> KeyedSelectionSort::Exchanges(std::span<const float> keys,
                                                                            bool ascending) {
  exchanges_.clear();
  const std::size_t count = keys.size();
  if (count < 2) return exchanges_;
  if (count == 2) {  // most runs of tied keys that a second key sorts hold two lines
    if (ascending ? keys[1] < keys[0] : keys[1] > keys[0]) exchanges_.push_back({0, 1});
    return exchanges_;
  }
  if (count > std::numeric_limits<std::uint32_t>::max()) {
    throw std::length_error("too many keys for one sort");
  }

  // Each key as its rank in the upper half of a 64-bit number and its position in the lower half:
  // sorting the numbers puts the groups in the order they are placed.
  byKey_.resize(count);
  for (std::size_t k = 0; k < count; ++k)
    byKey_[k] = std::uint64_t{PlacementRank(keys[k], ascending)} << 32 | k;
  std::sort(byKey_.begin(), byKey_.end());
  slotAt_.resize(count);
  for (std::size_t slot = 0; slot < count; ++slot)
    slotAt_[PositionOf(byKey_[slot])] = static_cast<std::uint32_t>(slot);
  exchanges_.reserve(count);  // at most one exchange per position

  std::uint32_t filling = 0;
  for (auto groupBegin = byKey_.begin(); groupBegin != byKey_.end();) {
    const std::uint64_t rank = *groupBegin & kRankBits;
    auto groupEnd = groupBegin + 1;
    while (groupEnd != byKey_.end() && (*groupEnd & kRankBits) == rank) ++groupEnd;
    // Keys of earlier groups displaced some of this group's keys; with one rank, the numbers sort by
    // the keys' current positions.
    if (groupEnd - groupBegin > 1) std::sort(groupBegin, groupEnd);
    for (auto entry = groupBegin; entry != groupEnd; ++entry, ++filling) {
      const std::uint32_t taken = PositionOf(*entry);
      if (taken == filling) continue;
      // The key at `filling` belongs to a later group; it moves to the position just taken.
      const std::uint32_t displaced = slotAt_[filling];
      byKey_[displaced] = (byKey_[displaced] & kRankBits) | taken;
      slotAt_[taken] = displaced;
      exchanges_.push_back({filling, taken});
    }
    groupBegin = groupEnd;
  }
  return exchanges_;
}

}  // namespace kelvane::sorting
