// The game's steps on the clock, apart from the frames that show them: a fixed step with an
// accumulator, on counter values that the caller reads and passes in.
//
// Steps come due one period apart, the first at once. A frame runs every step that has come due,
// at most kMostStepsPerFrame; a machine too slow for more makes the game slower rather than ever
// further behind. The frame then shows the world at the fraction of the current step that has
// passed by its show. A held schedule (a pause) keeps that fraction until it goes on. In lockstep
// (no period) every frame runs one step and shows it whole, as frames paced at the step rate do.
#pragma once

constexpr int kMostStepsPerFrame = 4;

struct StepSchedule {
  long long period = 0;   // counter ticks from one step to the next; 0 = lockstep
  bool started = false;   // the first step was taken
  long long nextDue = 0;  // counter value at which the next step comes due
  bool held = false;      // paused since heldAt
  long long heldAt = 0;
};

// A schedule whose first step comes due at its first TakeDueSteps.
StepSchedule StartStepSchedule(long long period);

// The steps due at `now` that the frame is to run, 0 to kMostStepsPerFrame; 1 in lockstep; 0 while
// held. Those beyond the most are dropped: the game slows down.
int TakeDueSteps(StepSchedule& schedule, long long now);

// How far the current step has come at `at`, 0 (the previous step's world) to 1 (the last one's);
// 1 in lockstep.
float StepFraction(const StepSchedule& schedule, long long at);

// A pause from `now` on: no steps come due and the fraction stands still.
void HoldSteps(StepSchedule& schedule, long long now);
// The end of the pause at `now`: the steps go on from where they stood.
void ResumeSteps(StepSchedule& schedule, long long now);
