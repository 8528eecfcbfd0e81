// Fuzz support: stops the run when a reader breaks one of its promises.
#pragma once

#define FUZZ_REQUIRE(condition)         \
  do {                                  \
    if (!(condition)) __builtin_trap(); \
  } while (0)
