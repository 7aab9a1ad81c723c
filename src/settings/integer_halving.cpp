#include "settings/integer_halving.h"

#include <cmath>
#include <limits>

namespace kelvane::settings {

std::optional<std::int32_t> IntegerHalf(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  // Rounded by hand rather than with nearbyint, which would follow whatever rounding mode is set.
  double rounded = std::floor(value);
  const double rest = value - rounded;
  if (rest > 0.5 || (rest == 0.5 && std::fmod(rounded, 2.0) != 0.0)) rounded += 1.0;
  if (rounded < std::numeric_limits<std::int32_t>::min() ||
      rounded > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(static_cast<std::int64_t>(rounded) / 2);
}

}  // namespace kelvane::settings
