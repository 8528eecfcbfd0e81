// The arithmetic of the frame pacing: show times on the beat, and input read as late as the recent
// frames of the same kind allow.
#include "media/frame_schedule.h"

#include <algorithm>

namespace {

FrameKind KindOf(const FrameSchedule& schedule) {
  return static_cast<FrameKind>(schedule.sinceHeavy);
}

void Keep(WorkExcesses& excesses, long long ticks) {
  excesses.ticks[excesses.next] = ticks;
  excesses.next = (excesses.next + 1) % WorkExcesses::kKept;
  excesses.count = std::min(excesses.count + 1, WorkExcesses::kKept);
}

// The value a quarter of the kept ones reach or pass (of eight, the second largest): a single
// outlier, such as a volley the game did not announce, does not raise the budget of the frames after.
long long UpperQuarter(const WorkExcesses& excesses) {
  long long sorted[WorkExcesses::kKept];
  std::copy(excesses.ticks, excesses.ticks + excesses.count, sorted);
  long long* const quarter = sorted + excesses.count * 3 / 4;
  std::nth_element(sorted, quarter, sorted + excesses.count);
  return *quarter;
}

// What a frame of `kind` is expected to take beyond the ordinary level. Ordinary frames are most
// frames, so an outlier must not raise their budget; heavy ones and those after them are three in
// seventeen, and there the largest recent excess costs little latency and keeps them on time.
long long Excess(const WorkExcesses& excesses, FrameKind kind) {
  if (kind == kOrdinaryFrame) return UpperQuarter(excesses);
  return *std::max_element(excesses.ticks, excesses.ticks + excesses.count);
}

// Ticks from reading input to being ready that a frame of `kind` is given; -1 while unknown.
long long Budget(const FrameSchedule& schedule, FrameKind kind) {
  const WorkExcesses& excesses = schedule.excesses[kind];
  if (schedule.ordinaryWork < 0 || excesses.count == 0) return -1;
  return schedule.ordinaryWork + std::max(0LL, Excess(excesses, kind)) + schedule.margin;
}

}  // namespace

FrameSchedule StartFrameSchedule(long long period, long long margin) {
  FrameSchedule schedule;
  schedule.period = period;
  schedule.margin = margin;
  return schedule;
}

void ExpectHeavyFrom(FrameSchedule& schedule, long long from) {
  schedule.heavyFrom = from;
}

long long InputReadTime(const FrameSchedule& schedule) {
  if (schedule.period <= 0 || !schedule.shown || schedule.inputRead) return kAtOnce;
  const long long showAt = schedule.lastShow + schedule.period + 1;
  const long long budget = Budget(schedule, KindOf(schedule));
  if (budget < 0) return kAtOnce;
  const long long readAt = showAt - budget;
  if (schedule.heavyFrom > readAt) return readAt;  // no volley falls due before the read
  const long long heavyBudget = Budget(schedule, kHeavyFrame);
  if (heavyBudget < 0) return kAtOnce;
  // Early enough for a heavy frame; a volley due later than that is left to the next frame: the
  // input is read a margin before it, as the game reads its own clock a little after this poll.
  if (schedule.heavyFrom <= showAt - heavyBudget) return showAt - heavyBudget;
  return std::max(schedule.lastShow, schedule.heavyFrom - schedule.margin);
}

void InputRead(FrameSchedule& schedule, long long now) {
  if (schedule.inputRead) return;
  if (now >= schedule.heavyFrom) schedule.sinceHeavy = kHeavyFrame;
  schedule.inputRead = true;
  schedule.workStart = now;
  schedule.workStarted = true;
}

long long FrameReady(FrameSchedule& schedule, long long now) {
  if (schedule.period <= 0) return kAtOnce;
  if (schedule.workStarted) {
    const FrameKind kind = KindOf(schedule);
    const long long work = now - schedule.workStart;
    // Excesses count from the ordinary level, so that a heavy frame's budget follows the scene.
    if (schedule.ordinaryWork >= 0) Keep(schedule.excesses[kind], work - schedule.ordinaryWork);
    if (kind == kOrdinaryFrame) schedule.ordinaryWork = work;
  }
  // "More than a period": a period in ticks is rounded down, so a second holds at most rate + 1 frames.
  return schedule.shown ? schedule.lastShow + schedule.period + 1 : kAtOnce;
}

long long FrameShown(FrameSchedule& schedule, long long now) {
  const bool first = !schedule.shown && schedule.period > 0;
  schedule.lastShow = now;
  schedule.shown = true;
  schedule.workStart = now;
  schedule.workStarted = true;
  schedule.inputRead = false;
  schedule.heavyFrom = kNoHeavyFrame;
  schedule.sinceHeavy = std::min(schedule.sinceHeavy + 1, static_cast<int>(kOrdinaryFrame));
  return first ? now + schedule.period + 1 : kAtOnce;
}
