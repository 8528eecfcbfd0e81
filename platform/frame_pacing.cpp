// Frame pacing on the high-resolution counter: SetFrameRate, and the waits before a frame's input
// and before its show.
#include "platform/frame_pacing.h"

#include <SDL.h>

#include <chrono>
#include <thread>

#include "media/frame_schedule.h"

namespace {

struct Pacing {
  long long frequency = 0;  // counter ticks per second, read by SetFrameRate
  FrameSchedule schedule;   // period 0 = no pacing
  long long showTime = 0;   // counter at the end of the wait before the show in progress
};

Pacing pacing;

long long Counter() {
  return static_cast<long long>(SDL_GetPerformanceCounter());
}

// Sleeps until the counter reaches `until` and returns the counter then. Sleeps overrun by about
// 0.1 ms here, now and then by far more; spinning only through the last fifth of a millisecond keeps
// a show, and the read of a frame's input, on time without costing a core.
long long WaitUntil(long long until) {
  const long long spinTicks = pacing.frequency / 5000;
  long long now = Counter();
  while (now < until) {
    const long long remaining = until - now;
    if (remaining > spinTicks) {
      const double seconds =
          static_cast<double>(remaining - spinTicks) / static_cast<double>(pacing.frequency);
      std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    }
    now = Counter();
  }
  return now;
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
  // A third of a millisecond of margin for what the recent frames do not foretell of the next one.
  pacing.schedule = StartFrameSchedule(FramePeriodTicks(ticksPerSecond, rate), ticksPerSecond / 3000);
  return 1;
}

void ExpectHeavyFrameIn(int milliseconds) {
  // The game's clock counts whole milliseconds: one less is the earliest the moment can be.
  const long long from = Counter() + (static_cast<long long>(milliseconds) - 1) * pacing.frequency / 1000;
  ExpectHeavyFrom(pacing.schedule, from);
}

void WaitToReadInput() {
  InputRead(pacing.schedule, WaitUntil(InputReadTime(pacing.schedule)));
}

void WaitForNextFrame() {
  pacing.showTime = WaitUntil(FrameReady(pacing.schedule, Counter()));
}

void WaitAfterShow() {
  const long long holdUntil = FrameShown(pacing.schedule, pacing.showTime);
  // The beat counts from the end of the wait, however late a busy machine ends it.
  if (holdUntil != kAtOnce) FrameShown(pacing.schedule, WaitUntil(holdUntil));
}
