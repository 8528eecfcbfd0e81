// Values between two steps of the game: at `t` 0 the previous step's, at 1 the last step's, both
// exactly.
#pragma once

#include <cmath>

inline float Blend(float from, float to, float t) {
  return from * (1.0f - t) + to * t;
}

// Angles in degrees, the shorter way round: from 350 to 10 passes 0, not 180.
inline float BlendDegrees(int from, int to, float t) {
  if (t >= 1.0f) return static_cast<float>(to);
  const float turn = std::remainder(static_cast<float>(to - from), 360.0f);  // -180 to 180
  return static_cast<float>(from) + turn * t;
}
