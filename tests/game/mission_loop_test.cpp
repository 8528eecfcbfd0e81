// Two short missions through the game's own mission frame with scripted input, whose expected
// figures are worked out by hand in the comments, so that a reader can check each one. The golden
// replay of tests/mission guards a long mission against unintended change; these say what is right.
//
// Both runs are set up so that only the script decides the outcome: a seeded start, the fleet
// replaced by aliens beyond depth 61000 (never drawn, so never armed: they cannot fire, and the
// display does not steer them), headings 0 (the mouse stays at the centre, so every shot flies
// straight ahead), and the fire interval waived: these frames run unpaced, far faster than the
// tick count advances, so before each frame nextShotTime is set to the tick count, and a trigger
// held for one frame fires exactly one volley.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "base/random.h"
#include "base/tick_count.h"
#include "game/main_loop.h"
#include "game_fixture.h"
#include "media/slots.h"
#include "mission/aliens.h"
#include "mission/game_state.h"
#include "mission/mission_progress.h"
#include "platform/frame_pacing.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "platform/testing/input_injection.h"

namespace {

constexpr int kLeftButton = -2;  // stands for the left mouse button in a script

// Before frame `frame` (the first frame is 1) the key or button goes down or up.
struct Step {
  int frame;
  int key;  // a Key:: code or kLeftButton
  bool down;
};

using MissionByHand = GameScreen;

// A seeded mission, unpaced, whose 40 aliens are replaced by the test's own.
void StartScriptedMission() {
  SeedRandom(13u);
  StartMission();
  SetFrameRate(0);
  game.aliens.Clear();
}

// A still alien at (x, y, z) in world units; a type-3 alien is placed 6000 deeper than z.
Alien& PlaceAlien(int type, int x, int y, int z) {
  SpawnAlien(x, y, z, type);
  Alien& alien = game.aliens.At(game.aliens.Count() - 1);
  alien.drift = 0.0f;
  return alien;
}

// Runs mission frames with the script until leaveLoop is set or `limit` frames have run; calls
// observe(frame) after each frame. Returns the frame in which leaveLoop became 1 (0: never).
template <typename Observer>
int RunScript(const std::vector<Step>& script, int limit, Observer observe) {
  for (int frame = 1; frame <= limit; ++frame) {
    for (const Step& step : script) {
      if (step.frame != frame) continue;
      if (step.key == kLeftButton) {
        InjectMouseButton(1, step.down);
      } else {
        InjectKey(step.key, step.down);
      }
    }
    game.nextShotTime = GetTickCount();
    MissionFrame();
    observe(frame);
    if (game.leaveLoop != 0) return frame;
  }
  return 0;
}

TEST_F(MissionByHand, EscapeRunFiresEveryWeaponAndUsesEveryControl) {
  StartScriptedMission();
  // Target T, type 1 (40 hit points, box 12000 x 4000), straight ahead of where the ship will
  // stop (x 3440, below). Reserve R, type 3, far to the side at depth 68000: never struck, it
  // keeps the fleet from being empty, so that no departure starts.
  PlaceAlien(1, 3440, 0, 65000);
  PlaceAlien(3, -100000, 0, 62000);
  ASSERT_EQ(IsWavePlaying(kMusicLoop), 1) << "the music is on from the start";

  const std::vector<Step> script = {
      {5, Key::LeftControl, true},    {5, Key::M, true},
      {6, Key::LeftControl, false},   {7, Key::M, false},
      {8, Key::LeftControl, true},    {8, Key::S, true},
      {9, Key::LeftControl, false},   {10, Key::S, false},
      {199, Key::KeypadMinus, true},  {215, Key::KeypadMinus, false},
      {216, Key::Digit1, true},       {217, Key::Digit1, false},
      {217, Key::Space, true},        {218, Key::Space, false},
      {330, Key::Digit2, true},       {331, Key::Digit2, false},
      {331, Key::Space, true},        {332, Key::Space, false},
      {444, Key::Digit3, true},       {445, Key::Digit3, false},
      {445, kLeftButton, true},       {446, kLeftButton, false},
      {555, Key::LeftControl, true},  {555, Key::S, true},
      {556, Key::LeftControl, false}, {557, Key::S, false},
      {560, Key::Digit4, true},       {561, Key::Digit4, false},
      {561, Key::Space, true},        {562, Key::Space, false},
      {680, Key::KeypadPlus, true},   {690, Key::KeypadPlus, false},
      {691, Key::Escape, true},       {692, Key::Escape, false},
  };
  std::map<int, int> targetHitPoints;  // frame -> T's hit points after it, where they changed
  int lastHitPoints = 40;
  int destroyedFrame = 0;
  const int leaveFrame = RunScript(script, 1000, [&](int frame) {
    if (frame == 198) {
      EXPECT_EQ(game.approachPhase, 0) << "the approach ends in frame 198";
      EXPECT_EQ(game.speed, -80);
      EXPECT_EQ(game.shipX, 4040.0f);
    }
    if (frame == 6) {
      EXPECT_EQ(IsWavePlaying(kMusicLoop), 0) << "LeftControl released with M held: music off";
    }
    if (frame == 217) {
      EXPECT_EQ(IsWavePlaying(kShotSound), 0) << "effects switched off: a silent volley";
    }
    if (frame == 561) {
      EXPECT_EQ(IsWavePlaying(kShotSound), 1) << "effects on again: the volley sounds";
    }
    if (frame == 670) {
      EXPECT_EQ(IsWavePlaying(kExplosionSound), 1) << "T explodes audibly";
    }
    if (frame == 214) {
      EXPECT_EQ(game.speed, 0) << "KeypadMinus held 16 frames brakes from -80 to 0";
      EXPECT_EQ(game.shipX, 3440.0f);
    }
    const bool targetLeft = game.aliens.Count() == 2;
    const int hitPoints = targetLeft ? game.aliens.At(0).hitPoints : lastHitPoints;
    if (hitPoints != lastHitPoints) targetHitPoints[frame] = hitPoints;
    lastHitPoints = hitPoints;
    if (!targetLeft && destroyedFrame == 0) destroyedFrame = frame;
  });

  // The approach (untouched, frames 1 to 198) brakes from -8000 by 40 a frame to -80 and covers
  // 795960 units: shipX 800000 -> 4040. KeypadMinus held in frames 199 to 214 gives speeds
  // -75, -70, ..., 0: shipX 4040 - 5 x (15 + 14 + ... + 1) = 4040 - 600 = 3440, and there the ship
  // stays still while it fires.
  //
  // A shot fired in frame f starts at depth 1 and has moved 600 in that frame's shot pass, so after
  // frame f + k it is at 601 + 600 k. T at depth 65000 is within 700 of it for k = 107 (64801) and
  // k = 108 (65401): a volley strikes in frames f + 107 and f + 108, one shot per frame. Every
  // muzzle lies inside T's box (x 3440 +- 2000 and +- 1000 within 6000; y 800, 0, +- 1000 within
  // 2000). Each volley strikes before the next weapon is chosen, so the damage is 3 x the weapon
  // that fired it.
  //   weapon 1, fired in 217 (Digit1 released, Space held): frame 324, 40 - 3 = 37
  //   weapon 2, fired in 331, from shipX + 1000 (gunSide starts at +1): frame 438, 37 - 6 = 31
  //   weapon 3, fired in 445 with the left button, two shots: 552 -> 31 - 9 = 22, 553 -> 13
  //   weapon 4, fired in 561, four shots: 668 -> 13 - 12 = 1, 669 -> 1 - 12 = -11
  // T is removed by the alien pass of frame 670: score 100 x type 1 = 100. Its other two weapon-4
  // shots fly on and strike nothing.
  EXPECT_EQ(targetHitPoints,
            (std::map<int, int>{{324, 37}, {438, 31}, {552, 22}, {553, 13}, {668, 1}, {669, -11}}))
      << "each shot strikes 107 or 108 frames after its volley, for 3 x weapon";
  EXPECT_EQ(destroyedFrame, 670) << "the alien pass after the last strike removes T";
  EXPECT_EQ(game.score, 100) << "100 x type for T; R is never struck";

  // Escape goes down before frame 691 and up before 692: the mission is aborted in frame 692.
  EXPECT_EQ(leaveFrame, 692) << "Escape counts in the frame it is released";
  EXPECT_EQ(game.missionResult, MissionResult::kAborted) << "aborted";
  // No alien is armed, so nothing strikes the ship.
  EXPECT_EQ(game.hull, 4000) << "untouched hull";
  // 1330 - 1 (weapon 1) - 1 (weapon 2) - 2 (weapon 3) - 4 (weapon 4); never below 50, so no regain.
  EXPECT_EQ(game.energy, 1322.0f) << "each volley costs its weapon's energy";
  // 1 + 1 + 1 (weapon 3 counts its two shots as one) + 4.
  EXPECT_EQ(game.shotsFired, 7) << "shots counted per weapon";
  // KeypadPlus held in frames 680 to 689: speeds -5, -10, ..., -50, then -50 in 690, 691, 692:
  // shipX 3440 - 5 x (1 + 2 + ... + 10) - 3 x 50 = 3440 - 275 - 150 = 3015.
  EXPECT_EQ(game.speed, -50) << "KeypadPlus speeds up by 5 a frame";
  EXPECT_EQ(game.shipX, 3015.0f);
  EXPECT_EQ(game.weapon, 4) << "the last weapon chosen";
  // M switched the music off in frame 6; S switched the effects off in 9 and on again in 556.
  EXPECT_EQ(game.musicOn, 0);
  EXPECT_EQ(game.soundOn, 1);
  EXPECT_EQ(IsWavePlaying(kMusicLoop), 0) << "the music stays off";
}

TEST_F(MissionByHand, LostRunEndsFourHundredFramesAfterTheHullBreaks) {
  StartScriptedMission();
  PlaceAlien(3, -100000, 0, 62000);  // R again: the fleet is never empty, so no departure
  // The ship at rest at (0, 0) with the approach over, its hull worn down to 16, and three shots of
  // aliens straight ahead of it at depths 4400, 3200 and 2000, flying towards it at 600 a frame.
  game.approachPhase = 0;
  game.speed = 0;
  game.shipX = 0.0f;
  game.hull = 16;
  const int alienShots[3][2] = {{4400, 13}, {3200, 11}, {2000, 12}};  // depth, quad
  for (const auto& [depth, quad] : alienShots) {
    Shot& shot = game.shots.Append();
    shot.z = static_cast<float>(depth);
    shot.direction = -1;
    shot.quad = quad;
    shot.width = shot.height = 2000;
  }
  // Space is held from the first frame to the end.
  const std::vector<Step> script = {{1, Key::Space, true}};
  int blastFrame = 0;
  int bigBursts = 0;
  int sparksBefore = game.sparks.Count();
  const int leaveFrame = RunScript(script, 1000, [&](int frame) {
    if (frame == 6) {
      EXPECT_EQ(game.hull, 0) << "after two strikes";
    }
    if (frame == 7) {
      EXPECT_EQ(game.missionResult, MissionResult::kRunningOrWon) << "a hull of exactly 0 holds";
    }
    // Random bursts add 3 sparks; only the final blast adds more (20) in one frame.
    if (game.sparks.Count() - sparksBefore > 3) {
      ++bigBursts;
      blastFrame = frame;
    }
    sparksBefore = game.sparks.Count();
  });

  // An alien shot at depth d has d - 600 k after frame k and strikes in the first frame with a
  // depth below 800 (the ship is right in front of it): 2000 -> frame 3 (200), 3200 -> frame 5,
  // 4400 -> frame 7. They stand in the list far to near, so no strike removes the first shot
  // while another follows it (that would pass over the next one for a frame). Player shots
  // appended behind them change nothing. The hull: 16 - 9 (quad 12) = 7 in frame 3,
  // 7 - 7 (quad 11) = 0 in frame 5, which holds, 0 - 11 (quad 13) = -11 in frame 7.
  EXPECT_EQ(game.hull, -11) << "three strikes of 9, 7 and 11";
  // The shot pass runs after AdvanceMission: the ship counts as destroyed from frame 8 on, with
  // destructionFrames 1, then one more a frame: 1 + j in frame 8 + j. The final blast at 300:
  // frame 8 + 299 = 307; leaveLoop at 401: frame 8 + 400 = 408.
  EXPECT_EQ(bigBursts, 1) << "one final blast";
  EXPECT_EQ(blastFrame, 307) << "the final blast when destructionFrames reaches 300";
  EXPECT_EQ(leaveFrame, 408) << "leaveLoop when destructionFrames reaches 401";
  EXPECT_EQ(game.missionResult, MissionResult::kDestroyed) << "lost";
  EXPECT_EQ(game.destructionFrames, 401);
  // The view sinks 600 a frame in frames 9 to 408: 400 x 600.
  EXPECT_EQ(game.shipY, 240000.0f);
  EXPECT_EQ(game.shipX, 0.0f) << "the ship stays at rest";
  // Space fires weapon 2 (the start weapon) in frames 1 to 8 (in frame 8 ReadMissionInput still
  // sees the ship intact), and nothing during the destruction: 8 shots of 1 energy each.
  EXPECT_EQ(game.shotsFired, 8) << "the trigger does nothing once the ship is being destroyed";
  EXPECT_EQ(game.energy, 1322.0f);
  EXPECT_EQ(game.score, 0) << "no alien destroyed";
}

}  // namespace
