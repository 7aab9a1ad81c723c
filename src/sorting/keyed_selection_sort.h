#pragma once

#include <bit>
#include <cstdint>
#include <span>
#include <vector>

namespace kelvane::sorting {

// A key as an unsigned integer of the same order, best first: the float's bits with the sign folded
// in, turned over for a descending sort. -0 and +0 are one key, as they compare equal.
// Without branches, as signs and directions come at random: adding +0 turns -0 into +0 and changes
// no other key, and the sign bit spread over the word turns a negative key's bits over.
inline std::uint32_t PlacementRank(float key, bool ascending) {
  const std::uint32_t bits = std::bit_cast<std::uint32_t>(key + 0.0F);
  const std::uint32_t negative = static_cast<std::uint32_t>(static_cast<std::int32_t>(bits) >> 31);
  return bits ^ (negative | 0x80000000u) ^ (ascending ? 0u : ~0u);
}

// The program's one sort algorithm: a selection sort with exchanges. Step i picks the leftmost
// position among i..n-1 that holds the smallest key (largest when descending) and, if that is not i
// itself, exchanges it with position i, doing the same exchange on the lines. It is not stable, and
// the order it leaves equal keys in is part of the program's result: a second key sort starts from
// it, and users see it.
//
// The plain procedure takes O(n^2) comparisons. This one finds exactly the same exchanges in
// O(n log n), from the following observation. The steps place the keys group by group, a group being
// all keys of one value, best value first. While a group is placed, each step takes the leftmost
// remaining position of the group, so the group's positions are taken in increasing order; and the
// position being filled is the leftmost open one, so the key displaced from it is the leftmost of its
// own group and simply moves to the position just taken. So it is enough to know, when a group's turn
// comes, the current positions of its keys in increasing order, and to follow each displaced key to
// its new position.
//
// The storage is kept from one call to the next, so sorting many small sections allocates nothing.
class KeyedSelectionSort {
 public:
  struct Exchange {
    std::uint32_t first;   // the position being filled
    std::uint32_t second;  // the position the chosen key stood at; always after `first`
  };

  // The exchanges the selection sort makes on `keys`, in the order it makes them; the keys themselves
  // are not changed. Needs no NaN among the keys (NumericValue never makes one). The result is valid
  // until the next call.
  std::span<const Exchange> Exchanges(std::span<const float> keys, bool ascending);

 private:
  // The keys, in the order their groups are placed, each as its rank (upper 32 bits) and its current
  // position (lower 32 bits).
  std::vector<std::uint64_t> byKey_;
  // For each open position: the index into byKey_ of the key that stands there.
  std::vector<std::uint32_t> slotAt_;
  std::vector<Exchange> exchanges_;
};

}  // namespace kelvane::sorting
