// Mission set-up and progress: the start values, the approach, the departure, the destruction
// sequence and the end conditions.
#include "mission/mission_progress.h"

#include <gtest/gtest.h>

#include <cmath>

#include "media/input.h"
#include "media/input_injection.h"
#include "mission/controls.h"
#include "mission/game_state.h"
#include "mission_fixture.h"

namespace {

using MissionProgress = MissionTest;
using MissionProgressInput = MissionMediaTest;

// Frames of AdvanceMission alone until the approach is over; -1 if it is not over after `limit`.
int FramesUntilApproachEnds(int limit) {
  for (int frame = 1; frame <= limit; ++frame) {
    AdvanceMission();
    if (approachPhase == 0) return frame;
  }
  return -1;
}

TEST_F(MissionProgress, StartSetsTheMissionValuesAndKeepsTheRest) {
  leaveLoop = 0;
  nextShotTime = 1234;
  musicOn = 0;
  shots.Append().z = 5000.0f;  // a shot of the last mission
  sparks.Append();
  StartMission();

  EXPECT_EQ(shipX, 800000.0f);
  EXPECT_EQ(speed, -8000);
  EXPECT_EQ(approachPhase, 1);
  EXPECT_EQ(weapon, 2);
  EXPECT_EQ(gunSide, 1);
  EXPECT_EQ(hull, 4000);
  EXPECT_EQ(energy, 1330.0f);
  EXPECT_EQ(aimX, 400);
  EXPECT_EQ(aimY, 300);
  EXPECT_EQ(musicVolume, 0.0f);
  EXPECT_EQ(nextShotTime, 1234) << "the fire interval is kept across missions";
  EXPECT_EQ(musicOn, 0) << "the music switch is kept";
  EXPECT_EQ(shots.Count(), 1) << "shots in flight survive into the next mission";
  EXPECT_EQ(sparks.Count(), 0) << "sparks of the last mission are gone";
  ASSERT_EQ(aliens.Count(), 40);

  int types[4] = {};
  for (int i = 0; i < aliens.Count(); ++i) {
    const Alien& alien = aliens.At(i);
    const int type = alien.quad - 39;
    ASSERT_GE(type, 1);
    ASSERT_LE(type, 3);
    ++types[type];
    const float depth = alien.z - static_cast<float>((type - 1) * 3000);
    EXPECT_GE(depth, 6000.0f) << "depths run from 6000";
    EXPECT_LE(depth, 46000.0f) << "depths run to 46000";
    EXPECT_LE(std::abs(alien.y), 2.0f * depth) << "the y spread is 2 x depth around the ship";
    EXPECT_GE(alien.x, -150000.0f);
    EXPECT_LE(alien.x, 50000.0f);
    EXPECT_EQ(alien.armed, 0) << "an alien is armed only once drawn";
  }
  EXPECT_GT(types[1], types[3]) << "type 1 is three times as likely as type 3";

  for (int i = 0; i <= lastDebrisIndex; ++i) {
    EXPECT_GE(debris[i].x, 700000);
    EXPECT_LE(debris[i].x, 900000);
    EXPECT_EQ(debris[i].z % 1000, 0);
    EXPECT_GE(debris[i].z, 3000);
    EXPECT_LE(debris[i].z, 13000);
    EXPECT_EQ(debris[i].size, 2000);
  }
}

TEST_F(MissionProgress, UntouchedApproachTakes198FramesAndEndsNearTheFleet) {
  StartMission();
  EXPECT_EQ(FramesUntilApproachEnds(400), 198) << "the approach lasts 198 frames";
  EXPECT_EQ(speed, -80) << "the approach leaves the speed at -80";
  EXPECT_EQ(shipX, 4040.0f) << "the ship covers 795960 units during the approach";
  AdvanceMission();
  EXPECT_EQ(speed, -80) << "after the approach nothing brakes";
  EXPECT_EQ(shipX, 3960.0f);
}

TEST_F(MissionProgress, MusicFadesInOverTwoHundredFrames) {
  StartMission();
  for (int frame = 1; frame < 200; ++frame) AdvanceMission();
  EXPECT_EQ(musicVolume, 99.5f);
  AdvanceMission();
  EXPECT_EQ(musicVolume, 100.0f) << "full volume in the 200th frame";
  AdvanceMission();
  EXPECT_EQ(musicVolume, 100.0f);
}

TEST_F(MissionProgress, DepartureTakes80FramesAfterTheLastAlien) {
  StartMission();
  FramesUntilApproachEnds(400);
  aliens.Clear();
  for (int frame = 1; frame < 80; ++frame) {
    AdvanceMission();
    ASSERT_EQ(leaveLoop, 0) << "still accelerating in frame " << frame;
  }
  AdvanceMission();
  EXPECT_EQ(leaveLoop, 1) << "the departure from -80 takes 80 frames";
  EXPECT_EQ(speed, -8080);
  EXPECT_EQ(missionResult, 0) << "a departure is a won mission";
}

TEST_F(MissionProgress, HullZeroHoldsAndMinusOneDestroys) {
  StartMission();
  hull = 0;
  AdvanceMission();
  EXPECT_EQ(missionResult, 0) << "a hull of exactly 0 does not destroy the ship";
  hull = -1;
  AdvanceMission();
  EXPECT_EQ(missionResult, 1) << "a hull below 0 starts the destruction sequence";
}

TEST_F(MissionProgress, DestructionSequenceBlastsAt300AndEndsAt401) {
  StartMission();
  hull = -1;
  AdvanceMission();
  ASSERT_EQ(missionResult, 1);
  int frame = 1;
  float lastShipY = shipY;
  while (leaveLoop == 0 && frame < 1000) {
    const int sparksBefore = sparks.Count();
    AdvanceMission();
    ++frame;
    EXPECT_EQ(shipY, lastShipY + 600.0f) << "the view sinks 600 per frame";
    lastShipY = shipY;
    EXPECT_GE(shakeFrames, 10) << "the screen shakes all through the sequence";
    EXPECT_GE(shakeStrength, 10);
    const int added = sparks.Count() - sparksBefore;
    if (missionResult == 300) {
      EXPECT_TRUE(added == 20 || added == 23) << "the final blast adds 20 sparks";
    } else {
      EXPECT_TRUE(added == 0 || added == 3) << "random bursts add 3 sparks";
    }
  }
  EXPECT_EQ(missionResult, 401) << "leaveLoop is set when missionResult reaches 401";
  EXPECT_EQ(frame, 401) << "400 frames after missionResult became 1";
}

TEST_F(MissionProgress, DestroyedWhileDepartingStaysLost) {
  StartMission();
  aliens.Clear();
  approachPhase = 0;
  speed = -80;
  hull = -5;
  while (leaveLoop == 0) AdvanceMission();
  EXPECT_GT(missionResult, 0) << "the departure ends the mission but it counts as lost";
}

TEST_F(MissionProgressInput, KeypadPlusShortensTheApproach) {
  StartMission();
  InjectKey(Key::KeypadPlus, true);
  int frames = 0;
  while (approachPhase == 1 && frames < 400) {
    ReadMissionInput();
    if (frames == 0) {
      EXPECT_EQ(speed, -1000) << "-8005 is clamped to -1000 at once";
    }
    AdvanceMission();
    ++frames;
  }
  EXPECT_EQ(frames, 26) << "net +35 per frame from -960 while KeypadPlus stays held";
  EXPECT_EQ(speed, -85);
  ReadMissionInput();
  AdvanceMission();
  EXPECT_EQ(speed, -90) << "after the approach KeypadPlus speeds up by 5 per frame";
  InjectKey(Key::KeypadPlus, false);
}

TEST_F(MissionProgressInput, KeypadMinusDuringTheApproachIsNotClamped) {
  StartMission();
  InjectKey(Key::KeypadMinus, true);
  ReadMissionInput();
  EXPECT_EQ(speed, -7995) << "KeypadMinus only clamps at 0";
  InjectKey(Key::KeypadMinus, false);
}

TEST_F(MissionProgressInput, EscapeAbortsTheApproachButNotADestruction) {
  StartMission();
  InjectKey(Key::Escape, true);
  ReadMissionInput();
  EXPECT_EQ(leaveLoop, 0) << "Escape counts when released";
  InjectKey(Key::Escape, false);
  ReadMissionInput();
  EXPECT_EQ(leaveLoop, 1);
  EXPECT_EQ(missionResult, -1) << "Escape during the approach aborts the mission";

  StartMission();
  leaveLoop = 0;
  missionResult = 57;
  InjectKey(Key::Escape, true);
  ReadMissionInput();
  InjectKey(Key::Escape, false);
  ReadMissionInput();
  EXPECT_EQ(leaveLoop, 1);
  EXPECT_EQ(missionResult, 57) << "Escape during the destruction keeps the mission lost";
}

}  // namespace
