// Frame pacing and the game's steps on the monotonic clock.
#include "platform/frame_pacing.h"

#include <sys/prctl.h>
#include <time.h>

#include <cerrno>

#include "media/frame_schedule.h"
#include "media/step_schedule.h"
#include "platform/presenter.h"

namespace {

constexpr long long kTicksPerSecond = 1000000000;  // the clock counts nanoseconds

struct Pacing {
  int displayRate = 0;     // frames a second; 0 = lockstep
  FrameSchedule frames;    // period 0 = no pacing
  StepSchedule steps;      // period 0 = lockstep
  long long showTime = 0;  // clock at the end of the wait before the show in progress
};

Pacing pacing;

long long Now() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * kTicksPerSecond + now.tv_nsec;
}

// The last stretch before a show is spent awake: a sleep here wakes about 0.05 ms late on the median
// (0.09 ms with the default timer slack) and 0.2 ms at the 99th percentile, and a frame shown that
// late widens its gap by as much. The input's wait sleeps all the way: reading it a little late
// only uses some of the third of a millisecond the frame has to spare.
constexpr long long kAwakeBeforeShow = kTicksPerSecond / 10000;

// Waits until the clock reaches `until`, the last `awake` ticks of it without sleeping, and returns
// the clock then. The sleep is absolute, so the time spent getting to sleep is not added to it.
long long WaitUntil(long long until, long long awake) {
  if (until == kAtOnce) return Now();
  const long long sleepUntil = until - awake;
  const timespec wake{static_cast<time_t>(sleepUntil / kTicksPerSecond),
                      static_cast<long>(sleepUntil % kTicksPerSecond)};
  if (Now() < sleepUntil) {
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &wake, nullptr) == EINTR) {
    }
  }
  long long now = Now();
  while (now < until) now = Now();
  return now;
}

// When the coming frame will be shown: on the beat, or at once if it is late.
long long ExpectedShow() {
  const long long now = Now();
  if (pacing.frames.period <= 0 || !pacing.frames.shown) return now;
  const long long beat = pacing.frames.lastShow + pacing.frames.period + 1;
  return beat > now ? beat : now;
}

}  // namespace

void SetPacedFrameRate(int framesPerSecond) {
  pacing.displayRate = framesPerSecond > 0 ? framesPerSecond : 0;
}

long long FramePeriodTicks(long long frequency, int rate) {
  if (rate <= 0) return 0;
  return frequency / (static_cast<long long>(rate) + 1);
}

int SetFrameRate(int rate) {
  // Sleeps end when asked rather than up to 50 microseconds later, the default slack.
  prctl(PR_SET_TIMERSLACK, 1UL);
  const long long stepPeriod = FramePeriodTicks(kTicksPerSecond, rate);
  const bool lockstep = pacing.displayRate == 0 || stepPeriod == 0;
  const long long framePeriod = lockstep ? stepPeriod : kTicksPerSecond / pacing.displayRate;
  // A third of a millisecond of margin for what the recent frames do not foretell of the next one.
  pacing.frames = StartFrameSchedule(framePeriod, kTicksPerSecond / 3000);
  pacing.steps = StartStepSchedule(lockstep ? 0 : stepPeriod);
  return 1;
}

void ExpectHeavyFrameIn(int milliseconds) {
  // The game's clock counts whole milliseconds: one less is the earliest the moment can be.
  const long long from = Now() + (static_cast<long long>(milliseconds) - 1) * (kTicksPerSecond / 1000);
  ExpectHeavyFrom(pacing.frames, from);
}

int TakeDueSteps() {
  WaitToReadInput();
  // The frame shows the world as it stands at its show: every step due by then is run now.
  return TakeDueSteps(pacing.steps, ExpectedShow());
}

float StepFraction() {
  return StepFraction(pacing.steps, ExpectedShow());
}

void HoldSteps(bool hold) {
  if (hold) {
    HoldSteps(pacing.steps, Now());
  } else {
    ResumeSteps(pacing.steps, Now());
  }
}

void WaitToReadInput() {
  InputRead(pacing.frames, WaitUntil(InputReadTime(pacing.frames), 0));
}

void WaitForNextFrame() {
  const long long showAt = FrameReady(pacing.frames, Now());
  // A present that waits for the display's refresh is the wait: the show comes when it returns.
  pacing.showTime = PresenterWaitsForRefresh() ? kAtOnce : WaitUntil(showAt, kAwakeBeforeShow);
}

void WaitAfterShow() {
  if (pacing.showTime == kAtOnce) {
    FrameShown(pacing.frames, Now());
    return;
  }
  const long long holdUntil = FrameShown(pacing.frames, pacing.showTime);
  // The beat counts from the end of the wait, however late a busy machine ends it.
  if (holdUntil != kAtOnce) FrameShown(pacing.frames, WaitUntil(holdUntil, kAwakeBeforeShow));
}
