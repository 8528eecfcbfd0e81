// Frame pacing on the high-resolution counter: SetFrameRate and the wait at the end of a present.
#include "media/frame_pacing.h"

#include <SDL.h>

#include <chrono>
#include <thread>

namespace {

struct Pacing {
  long long frequency = 0;      // counter ticks per second, read by SetFrameRate
  long long framePeriod = 0;    // ticks between two presents; 0 = no pacing
  long long lastPresent = 0;    // counter at the end of the previous wait
  bool lastPresentSet = false;  // false until the first wait after SetFrameRate
};

Pacing pacing;

long long Counter() {
  return static_cast<long long>(SDL_GetPerformanceCounter());
}

}  // namespace

long long FramePeriodTicks(long long frequency, int rate) {
  if (rate <= 0) return 0;
  return frequency / (static_cast<long long>(rate) + 1);
}

int SetFrameRate(int rate) {
  const long long ticksPerSecond = static_cast<long long>(SDL_GetPerformanceFrequency());
  if (ticksPerSecond <= 0) return 0;
  pacing.frequency = ticksPerSecond;
  pacing.framePeriod = FramePeriodTicks(ticksPerSecond, rate);
  pacing.lastPresentSet = false;
  return 1;
}

void WaitForNextFrame() {
  if (pacing.framePeriod == 0) return;
  long long now = Counter();
  if (!pacing.lastPresentSet) {
    pacing.lastPresent = now;
    pacing.lastPresentSet = true;
  }
  // Sleep through most of the period and spin only through the last fifth of a millisecond: sleeps
  // overrun by about 0.1 ms here, and the spin keeps the frame on time without costing a core.
  const long long spinTicks = pacing.frequency / 5000;
  while (now - pacing.lastPresent <= pacing.framePeriod) {
    const long long remaining = pacing.lastPresent + pacing.framePeriod + 1 - now;
    if (remaining > spinTicks) {
      const double seconds =
          static_cast<double>(remaining - spinTicks) / static_cast<double>(pacing.frequency);
      std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    }
    now = Counter();
  }
  pacing.lastPresent = now;
}
