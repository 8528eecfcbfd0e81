// Seeded random numbers and smooth lattice noise for the generated art.
#pragma once

#include <cstdint>

// PCG32: a small generator whose sequence depends on the seed alone.
class Rng {
 public:
  explicit Rng(std::uint64_t seed);
  std::uint32_t Next();                // 32 random bits
  float Uniform();                     // [0, 1)
  float Range(float low, float high);  // [low, high)
  int Below(int n);                    // 0 to n - 1, for n > 0

 private:
  std::uint64_t state_;
};

// Value noise on the integer lattice with smooth interpolation; 0 to 1.
float ValueNoise(float x, float y, std::uint32_t seed);
// Sum of `octaves` layers of value noise, each twice as fine and half as strong; 0 to 1.
float Fbm(float x, float y, std::uint32_t seed, int octaves);
// Hash of a lattice point, 0 to 1.
float LatticeValue(int x, int y, std::uint32_t seed);
