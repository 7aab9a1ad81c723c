#include "sorting/sort_options.h"

#include <algorithm>

namespace kelvane::sorting {

KeyOrder EffectiveKeyOrder(const KeyOrder& keyOrder) {
  KeyOrder sorted = keyOrder;
  std::sort(sorted.begin(), sorted.end());
  if (sorted == KeyOrder{kAxisX, kAxisY, kAxisZ}) return keyOrder;
  return kDefaultKeyOrder;
}

}  // namespace kelvane::sorting
