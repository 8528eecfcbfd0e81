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
  game.shipX = 800000.0f;
  game.shipY = 0.0f;
  game.speed = kFlightSpeed;

  for (int i = 0; i <= game.lastDebrisIndex; ++i) {
    Debris& piece = game.debris[i];
    piece.x = RoundToInt(game.shipX + static_cast<float>(RandomUpTo(200000) - 100000));
    piece.y = RoundToInt(game.shipY + static_cast<float>(RandomUpTo(200000) - 100000));
    piece.z = RandomUpTo(10) * 1000 + 3000;
    piece.angle = RandomUpTo(360);
    piece.size = 2000;
  }

  game.approachPhase = 1;
  game.missionResult = MissionResult::kRunningOrWon;
  game.destructionFrames = 0;
  game.weapon = 2;
  game.gunSide = 1;
  game.hull = 4000;
  game.energy = 1330.0f;
  game.shakeFrames = game.shakeStrength = game.shakeOffsetX = game.shakeOffsetY = 0;
  game.score = 0;
  game.shotsFired = 0;

  // Shots still in flight from the last mission are kept and fly on.
  game.sparks.Clear();
  game.aliens.Clear();

  for (int i = 0; i < kAlienCount; ++i) {
    // Drawn in the order type, depth, y, x. Types 1, 2, 3 come with chances 61, 20, 20 in 101.
    const int r = RandomUpTo(100);
    const int type = r <= 60 ? 1 : (r <= 80 ? 2 : 3);
    const int depth = RandomUpTo(20) * 2000 + 6000;
    // Spread of +-2 x depth around the ship: at most 200 pixels off the screen centre.
    const int y = RoundToInt(game.shipY + static_cast<float>((RandomUpTo(40000) - 20000) * depth) * 0.0001f);
    const int x = RandomUpTo(200000) - 150000;
    SpawnAlien(x, y, depth, type);
  }

  SetMousePos(kScreenCentreX, kScreenCentreY);
  game.aimX = kScreenCentreX;
  game.aimY = kScreenCentreY;
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
  if (game.approachPhase == 1) {
    if (game.speed < kApproachEndSpeed) game.speed += 40;
    if (game.speed >= kApproachEndSpeed) game.approachPhase = 0;
  }

  // Departure once every alien is gone: the mission is won when the ship is back at full speed.
  if (game.aliens.Count() == 0) {
    if (game.speed > kFlightSpeed) game.speed -= 100;
    if (game.speed <= kFlightSpeed) game.leaveLoop = 1;
  }

  // Destruction sequence: the view sinks and shakes.
  if (game.missionResult == MissionResult::kDestroyed) {
    game.shipY += 600.0f;
    ++game.destructionFrames;
    game.shakeFrames = RoundToInt(MaxOf(static_cast<float>(game.shakeFrames), 10.0f));
    game.shakeStrength = RoundToInt(MaxOf(static_cast<float>(game.shakeStrength), 10.0f));
    if (RandomUpTo(100) < 10) {
      // The y offset is drawn before the x offset.
      const int sparkY = RoundToInt(game.shipY + static_cast<float>(RandomUpTo(4000) - 2000));
      const int sparkX = RoundToInt(game.shipX + static_cast<float>(RandomUpTo(4000) - 2000));
      SpawnSparks(sparkX, sparkY, 100, 3, 300);
    }
    // The final blast in frame 300 of the sequence; the mission ends after frame 400.
    if (game.destructionFrames == 300) {
      SpawnSparks(RoundToInt(game.shipX), RoundToInt(game.shipY + 1000.0f), 500, 20, 300);
      RumbleForFinalBlast();
    }
    if (game.destructionFrames > 400) game.leaveLoop = 1;
  }

  // A hull of exactly 0 still holds.
  if (game.hull < 0 && game.missionResult == MissionResult::kRunningOrWon) {
    game.missionResult = MissionResult::kDestroyed;
    game.destructionFrames = 1;
  }

  game.shipX += static_cast<float>(game.speed);
}

void UpdateObjects() {
  AlienPass();
  DebrisPass();
  ShotPass();
  SparkPass();
  CollisionPass();
  ShakeStep();
}
