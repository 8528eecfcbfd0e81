// Float-to-integer stores of the gameplay: to the nearest integer with halves to the even
// neighbour, or rounded up where a length is drawn. Values beyond the int range saturate.
#pragma once

#include <climits>
#include <cmath>

// Rounds to the nearest int, halves to even (the default rounding mode); NaN gives 0. Takes a
// double so that sums formed in double precision are rounded once; a float converts exactly.
inline int RoundToInt(double value) {
  const double rounded = std::nearbyint(value);
  if (std::isnan(rounded)) return 0;
  if (rounded >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (rounded <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(rounded);
}

// Rounds up to the next int (ceiling), saturating like RoundToInt.
inline int CeilToInt(float value) {
  return RoundToInt(std::ceil(value));
}
