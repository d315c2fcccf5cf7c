// The picture arithmetic's rounding: to the nearest integer, ties to the even integer.
#pragma once

#include <cmath>
#include <cstdint>

namespace trimora {

// Rounds to the nearest integer, halves to the even neighbour (2.5 gives 2, 3.5 gives 4).
inline std::int64_t RoundHalfEven64(double value) {
  double nearest = std::round(value);
  if (std::fabs(value - std::trunc(value)) == 0.5) nearest = 2.0 * std::round(value / 2.0);
  return static_cast<std::int64_t>(nearest);
}

// The same for values that fit an int.
inline int RoundHalfEven(double value) { return static_cast<int>(RoundHalfEven64(value)); }

}  // namespace trimora
