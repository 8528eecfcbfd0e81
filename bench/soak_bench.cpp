// The soak: missions one after another on the real layer, flown by an automatic pilot with random
// input, for a given time; the resident memory after the first minute and at the end. The
// allocator runs with the settings the game itself uses.
//
//   SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy build/bench/soak_bench [seconds]
//
// 600 seconds unless given.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "tests/mission/soak_pilot.h"

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 600.0;
  const soak::Figures figures = soak::Run(seconds, std::min(60.0, seconds / 2.0), 7u).Go();
  soak::Print(figures, stdout);
  return figures.opened ? 0 : 1;
}
