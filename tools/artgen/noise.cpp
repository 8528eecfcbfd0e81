// Seeded random numbers and smooth lattice noise for the generated art.
#include "tools/artgen/noise.h"

#include <cmath>

Rng::Rng(std::uint64_t seed) : state_(seed * 6364136223846793005ULL + 1442695040888963407ULL) {
  Next();
}

std::uint32_t Rng::Next() {
  std::uint64_t old = state_;
  state_ = old * 6364136223846793005ULL + 1442695040888963407ULL;
  auto xorshifted = static_cast<std::uint32_t>(((old >> 18u) ^ old) >> 27u);
  auto rot = static_cast<std::uint32_t>(old >> 59u);
  return (xorshifted >> rot) | (xorshifted << ((32u - rot) & 31u));
}

float Rng::Uniform() {
  return static_cast<float>(Next() >> 8) / 16777216.0f;
}

float Rng::Range(float low, float high) {
  return low + (high - low) * Uniform();
}

int Rng::Below(int n) {
  return static_cast<int>(Next() % static_cast<std::uint32_t>(n));
}

float LatticeValue(int x, int y, std::uint32_t seed) {
  std::uint32_t h = seed * 0x9E3779B9u;
  h ^= static_cast<std::uint32_t>(x) * 0x85EBCA6Bu;
  h = (h << 13) | (h >> 19);
  h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE35u;
  h ^= h >> 16;
  h *= 0x7FEB352Du;
  h ^= h >> 15;
  h *= 0x846CA68Bu;
  h ^= h >> 16;
  return static_cast<float>(h >> 8) / 16777215.0f;
}

namespace {

float Smooth(float t) {
  return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f);
}

}  // namespace

float ValueNoise(float x, float y, std::uint32_t seed) {
  float fx = std::floor(x);
  float fy = std::floor(y);
  int ix = static_cast<int>(fx);
  int iy = static_cast<int>(fy);
  float tx = Smooth(x - fx);
  float ty = Smooth(y - fy);
  float a = LatticeValue(ix, iy, seed);
  float b = LatticeValue(ix + 1, iy, seed);
  float c = LatticeValue(ix, iy + 1, seed);
  float d = LatticeValue(ix + 1, iy + 1, seed);
  float top = a + (b - a) * tx;
  float bottom = c + (d - c) * tx;
  return top + (bottom - top) * ty;
}

float Fbm(float x, float y, std::uint32_t seed, int octaves) {
  float sum = 0.0f;
  float weight = 0.5f;
  float total = 0.0f;
  for (int i = 0; i < octaves; ++i) {
    // Each octave is shifted so that lattice points of different octaves do not line up.
    sum += weight * ValueNoise(x + 17.31f * static_cast<float>(i), y - 9.77f * static_cast<float>(i),
                               seed + static_cast<std::uint32_t>(i) * 101u);
    total += weight;
    x *= 2.03f;
    y *= 2.03f;
    weight *= 0.5f;
  }
  return sum / total;
}
