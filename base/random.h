// The game's random-number generator: a lagged table of 34 words with a 64-bit output.
#pragma once

#include <cstdint>

void SeedRandom(std::uint32_t seed);  // the start-up seeds once with the tick count
std::uint64_t NextRandom();           // one step: hi * 2^32 + lo
// A uniform integer from 0 to n inclusive: the integer part of X * (n + 1) / 2^64.
// For n below 0 it gives -2147483648.
int RandomUpTo(int n);
