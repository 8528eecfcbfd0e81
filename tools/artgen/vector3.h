// Three-component vectors for the lighting of the generated pictures.
#pragma once

#include <cmath>

struct Vec3 {
  float x, y, z;
};

inline Vec3 Normalize(Vec3 v) {
  const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  return {v.x / length, v.y / length, v.z / length};
}

inline float Dot(Vec3 a, Vec3 b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
