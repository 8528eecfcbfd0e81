// The soak: missions one after another on the real layer, flown by an automatic pilot with random
// input, for a given time; the resident memory after the first minute and at the end.
//
//   SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy build/bench/soak_bench [seconds] [--allocator-defaults]
//
// 600 seconds unless given. The allocator's mapping threshold is fixed unless --allocator-defaults
// is given (see soak::Run for why).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tests/mission/soak_pilot.h"

int main(int argc, char** argv) {
  double seconds = 600.0;
  bool fixedAllocator = true;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--allocator-defaults") == 0) {
      fixedAllocator = false;
    } else {
      seconds = std::atof(argv[i]);
    }
  }
  const soak::Figures figures = soak::Run(seconds, std::min(60.0, seconds / 2.0), 7u, fixedAllocator).Go();
  soak::Print(figures, stdout);
  return figures.opened ? 0 : 1;
}
