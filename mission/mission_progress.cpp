// A mission's set-up, its own progress each frame and the object passes.
#include "mission/mission_progress.h"

#include "base/random.h"
#include "base/tick_count.h"
#include "media/screen_size.h"
#include "media/slots.h"
#include "mission/aliens.h"
#include "mission/effects.h"
#include "mission/game_state.h"
#include "mission/rounding.h"
#include "mission/shots.h"
#include "mission/sparks.h"
#include "platform/frame_pacing.h"
#include "platform/input.h"
#include "platform/sound.h"

namespace {

constexpr int kAlienCount = 40;
constexpr int kFlightSpeed = -8000;      // speed of the approach and of the departure
constexpr int kApproachEndSpeed = -100;  // the approach ends once braking reaches this

}  // namespace

void StartMission() {
  SetFrameRate(40);
  world.shipX = 800000.0f;
  world.shipY = 0.0f;
  world.speed = kFlightSpeed;

  for (int i = 0; i <= world.lastDebrisIndex; ++i) {
    Debris& piece = world.debris[i];
    piece.x = RoundToInt(world.shipX + static_cast<float>(RandomUpTo(200000) - 100000));
    piece.y = RoundToInt(world.shipY + static_cast<float>(RandomUpTo(200000) - 100000));
    piece.z = RandomUpTo(10) * 1000 + 3000;
    piece.angle = RandomUpTo(360);
    piece.size = 2000;
  }

  world.approachPhase = 1;
  game.missionResult = MissionResult::kRunningOrWon;
  game.destructionFrames = 0;
  game.weapon = 2;
  game.gunSide = 1;
  world.hull = 4000;
  world.energy = 1330.0f;
  world.shakeFrames = world.shakeStrength = world.shakeOffsetX = world.shakeOffsetY = 0;
  game.score = 0;
  game.shotsFired = 0;

  // Shots still in flight from the last mission are kept and fly on.
  world.sparks.Clear();
  world.aliens.Clear();

  for (int i = 0; i < kAlienCount; ++i) {
    // Drawn in the order type, depth, y, x. Types 1, 2, 3 come with chances 61, 20, 20 in 101.
    const int r = RandomUpTo(100);
    const int type = r <= 60 ? 1 : (r <= 80 ? 2 : 3);
    const int depth = RandomUpTo(20) * 2000 + 6000;
    // Spread of +-2 x depth around the ship: at most 200 pixels off the screen centre.
    const int y = RoundToInt(world.shipY + static_cast<float>((RandomUpTo(40000) - 20000) * depth) * 0.0001f);
    const int x = RandomUpTo(200000) - 150000;
    SpawnAlien(x, y, depth, type);
  }

  SetMousePos(kScreenCentreX, kScreenCentreY);
  world.aimX = kScreenCentreX;
  world.aimY = kScreenCentreY;
  game.missionStartTime = GetTickCount();

  // The music loop starts silent and fades in.
  game.musicVolume = 0.0f;
  SetWaveVolume(kMusicLoop, 0);
  if (game.musicOn == 1) PlayWave(kMusicLoop, 1);
}

void AdvanceMission() {
  // Music fade-in: 0.5 per frame, whether or not the music plays; full in the 200th frame.
  if (game.musicVolume < 100.0f) {
    game.musicVolume += 0.5f;
    if (game.musicVolume > 100.0f) game.musicVolume = 100.0f;
    SetWaveVolume(kMusicLoop, RoundToInt(game.musicVolume));
  }

  // Approach: braking by 40 per frame; untouched it takes 198 frames and ends at -80.
  if (world.approachPhase == 1) {
    if (world.speed < kApproachEndSpeed) world.speed += 40;
    if (world.speed >= kApproachEndSpeed) world.approachPhase = 0;
  }

  // Departure once every alien is gone: the mission is won when the ship is back at full speed.
  if (world.aliens.Count() == 0) {
    if (world.speed > kFlightSpeed) world.speed -= 100;
    if (world.speed <= kFlightSpeed) game.leaveLoop = 1;
  }

  // Destruction sequence: the view sinks and shakes.
  if (game.missionResult == MissionResult::kDestroyed) {
    world.shipY += 600.0f;
    ++game.destructionFrames;
    world.shakeFrames = RoundToInt(MaxOf(static_cast<float>(world.shakeFrames), 10.0f));
    world.shakeStrength = RoundToInt(MaxOf(static_cast<float>(world.shakeStrength), 10.0f));
    if (RandomUpTo(100) < 10) {
      // The y offset is drawn before the x offset.
      const int sparkY = RoundToInt(world.shipY + static_cast<float>(RandomUpTo(4000) - 2000));
      const int sparkX = RoundToInt(world.shipX + static_cast<float>(RandomUpTo(4000) - 2000));
      SpawnSparks(sparkX, sparkY, 100, 3, 300);
    }
    // The final blast in frame 300 of the sequence; the mission ends after frame 400.
    if (game.destructionFrames == 300) {
      SpawnSparks(RoundToInt(world.shipX), RoundToInt(world.shipY + 1000.0f), 500, 20, 300);
      RumbleForFinalBlast();
    }
    if (game.destructionFrames > 400) game.leaveLoop = 1;
  }

  // A hull of exactly 0 still holds.
  if (world.hull < 0 && game.missionResult == MissionResult::kRunningOrWon) {
    game.missionResult = MissionResult::kDestroyed;
    game.destructionFrames = 1;
  }

  world.shipX += static_cast<float>(world.speed);
}

void UpdateObjects() {
  AlienPass();
  DebrisPass();
  ShotPass();
  SparkPass();
  CollisionPass();
  ShakeStep();
}
