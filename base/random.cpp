// The game's random-number generator: 34 words, two lagged positions, 64 bits per step.
#include "base/random.h"

#include <bit>
#include <climits>

namespace {

constexpr int kWords = 34;
constexpr int kLastPosition = 32;  // positions are even word indices 0 to 32

std::uint32_t table[kWords];  // the generator's words
int posA = 0;                 // even word index 0 to 32
int posB = 20;                // even word index 0 to 32

int StepDown(int position) {
  return position == 0 ? kLastPosition : position - 2;
}

}  // namespace

void SeedRandom(std::uint32_t seed) {
  for (int k = 0; k < kWords; ++k) {
    seed = seed * 2891336453u + 1u;
    table[k] = seed;
  }
  posA = 0;
  posB = 20;
  for (int step = 0; step < 31; ++step) NextRandom();
}

std::uint64_t NextRandom() {
  const std::uint32_t lo = std::rotl(table[posA + 1], 27) + table[posB + 1];
  const std::uint32_t hi = std::rotl(table[posA], 19) + table[posB];
  table[posA] = lo;
  table[posA + 1] = hi;
  posA = StepDown(posA);
  posB = StepDown(posB);
  return (std::uint64_t{hi} << 32) | lo;
}

int RandomUpTo(int n) {
  if (n < 0) return INT_MIN;
  // X * (n + 1) needs up to 95 bits; the 128-bit product keeps the integer part exact.
  const unsigned __int128 product =
      static_cast<unsigned __int128>(NextRandom()) * (static_cast<std::uint64_t>(n) + 1);
  return static_cast<int>(product >> 64);
}
