#pragma once

#include <cstdint>
#include <optional>

namespace kelvane::settings {

// Half of a length in twips, for centring one window on another or on the screen: the value is
// rounded to the nearest whole number (a half goes to the even neighbour), then halved with the
// remainder dropped toward zero, so -15 gives -7 and 2.5 gives 1. Nothing when the value is not a
// number or its rounded value does not fit 32 bits, where the arithmetic would overflow.
std::optional<std::int32_t> IntegerHalf(double value);

}  // namespace kelvane::settings
