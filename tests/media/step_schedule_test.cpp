// Tests of the game's steps on a fake clock: how many a frame runs and how far it blends.
#include "media/step_schedule.h"

#include <gtest/gtest.h>

namespace {

constexpr long long kStep = 24400;  // ticks: about 41 steps a second on a clock of a million a second

TEST(StepSchedule, StepsComeDueOnTheirBeatWhateverTheFrames) {
  StepSchedule steps = StartStepSchedule(kStep);
  const long long start = 1000000;
  EXPECT_EQ(TakeDueSteps(steps, start), 1) << "the first step is due at once";
  EXPECT_EQ(StepFraction(steps, start), 0.0f) << "and the frame after it shows the world before it";
  // 60 frames over the time of 41 steps run one step or none each.
  const long long span = 41 * kStep;
  int taken = 1;
  for (int frame = 1; frame <= 60; ++frame) {
    const int due = TakeDueSteps(steps, start + frame * span / 60);
    EXPECT_LE(due, 1) << "frame " << frame;
    taken += due;
  }
  EXPECT_EQ(taken, 42) << "41 steps, and the one at the end";
  // 20 frames over that time run two or three each.
  StepSchedule slow = StartStepSchedule(kStep);
  taken = TakeDueSteps(slow, start);
  for (int frame = 1; frame <= 20; ++frame) {
    const int due = TakeDueSteps(slow, start + frame * span / 20);
    EXPECT_GE(due, 2) << "frame " << frame;
    taken += due;
  }
  EXPECT_EQ(taken, 42);
}

TEST(StepSchedule, TheFractionGrowsThroughTheStepAndStopsAtOne) {
  StepSchedule steps = StartStepSchedule(kStep);
  ASSERT_EQ(TakeDueSteps(steps, 0), 1);
  EXPECT_FLOAT_EQ(StepFraction(steps, kStep / 2), 0.5f);
  EXPECT_FLOAT_EQ(StepFraction(steps, kStep / 4), 0.25f);
  EXPECT_EQ(StepFraction(steps, kStep + 500), 1.0f)
      << "a frame shown after the next step was due, before it ran";
  ASSERT_EQ(TakeDueSteps(steps, kStep + 500), 1);
  EXPECT_FLOAT_EQ(StepFraction(steps, kStep + 500), 500.0f / kStep) << "the beat keeps its phase";
  EXPECT_EQ(StepFraction(steps, -5), 0.0f);
}

TEST(StepSchedule, AFrameRunsAtMostFourAndASlowMachineSlowsTheGame) {
  StepSchedule steps = StartStepSchedule(kStep);
  ASSERT_EQ(TakeDueSteps(steps, 0), 1);
  EXPECT_EQ(TakeDueSteps(steps, 10 * kStep + 7), 4) << "ten steps due after a stall: four are run";
  EXPECT_EQ(TakeDueSteps(steps, 10 * kStep + 8), 0) << "the others are dropped, not run later";
  EXPECT_EQ(TakeDueSteps(steps, 11 * kStep), 1) << "and the beat goes on where it was";
}

TEST(StepSchedule, APauseHoldsTheStepsAndTheFraction) {
  StepSchedule steps = StartStepSchedule(kStep);
  ASSERT_EQ(TakeDueSteps(steps, 0), 1);
  HoldSteps(steps, kStep / 4);
  EXPECT_EQ(TakeDueSteps(steps, 50 * kStep), 0) << "no step comes due while paused";
  EXPECT_FLOAT_EQ(StepFraction(steps, 50 * kStep), 0.25f) << "the paused frame keeps its fraction";
  ResumeSteps(steps, 100 * kStep);
  EXPECT_FLOAT_EQ(StepFraction(steps, 100 * kStep), 0.25f) << "and the next frame goes on from it";
  EXPECT_EQ(TakeDueSteps(steps, 100 * kStep + kStep / 2), 0);
  EXPECT_EQ(TakeDueSteps(steps, 100 * kStep + kStep * 3 / 4), 1) << "the step due three quarters later";
}

TEST(StepSchedule, LockstepRunsOneStepPerFrameAndShowsItWhole) {
  StepSchedule steps = StartStepSchedule(0);
  EXPECT_EQ(TakeDueSteps(steps, 0), 1);
  EXPECT_EQ(TakeDueSteps(steps, 0), 1) << "every frame one step, whatever the clock";
  EXPECT_EQ(StepFraction(steps, 123), 1.0f);
}

}  // namespace
