// The arithmetic of a fixed step on the clock.
#include "media/step_schedule.h"

#include <algorithm>

StepSchedule StartStepSchedule(long long period) {
  StepSchedule schedule;
  schedule.period = std::max(0LL, period);
  return schedule;
}

int TakeDueSteps(StepSchedule& schedule, long long now) {
  if (schedule.period == 0) return 1;
  if (schedule.held) return 0;
  if (!schedule.started) {
    schedule.started = true;
    schedule.nextDue = now;
  }
  if (now < schedule.nextDue) return 0;
  const long long due = (now - schedule.nextDue) / schedule.period + 1;
  // Every due step moves the next one on, also those dropped: the beat keeps its phase.
  schedule.nextDue += due * schedule.period;
  return static_cast<int>(std::min<long long>(due, kMostStepsPerFrame));
}

float StepFraction(const StepSchedule& schedule, long long at) {
  if (schedule.period == 0) return 1.0f;
  if (!schedule.started) return 0.0f;
  if (schedule.held) at = schedule.heldAt;
  const long long sinceStep = at - (schedule.nextDue - schedule.period);
  const double fraction = static_cast<double>(sinceStep) / static_cast<double>(schedule.period);
  return static_cast<float>(std::clamp(fraction, 0.0, 1.0));
}

void HoldSteps(StepSchedule& schedule, long long now) {
  if (schedule.held) return;
  schedule.held = true;
  schedule.heldAt = now;
}

void ResumeSteps(StepSchedule& schedule, long long now) {
  if (!schedule.held) return;
  schedule.held = false;
  if (schedule.started && now > schedule.heldAt) schedule.nextDue += now - schedule.heldAt;
}
