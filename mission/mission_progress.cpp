// A mission's set-up, its own progress each frame and the object passes.
#include "mission/mission_progress.h"

#include "base/random.h"
#include "base/tick_count.h"
#include "media/display.h"
#include "media/input.h"
#include "media/sound.h"
#include "mission/aliens.h"
#include "mission/game_state.h"
#include "mission/rounding.h"
#include "mission/shots.h"
#include "mission/slots.h"
#include "mission/sparks.h"

namespace {

constexpr int kAlienCount = 40;
constexpr int kFlightSpeed = -8000;      // speed of the approach and of the departure
constexpr int kApproachEndSpeed = -100;  // the approach ends once braking reaches this

}  // namespace

void StartMission() {
  SetFrameRate(40);
  shipX = 800000.0f;
  shipY = 0.0f;
  speed = kFlightSpeed;

  for (int i = 0; i <= lastDebrisIndex; ++i) {
    Debris& piece = debris[i];
    piece.x = RoundToInt(shipX + static_cast<float>(RandomUpTo(200000) - 100000));
    piece.y = RoundToInt(shipY + static_cast<float>(RandomUpTo(200000) - 100000));
    piece.z = RandomUpTo(10) * 1000 + 3000;
    piece.angle = RandomUpTo(360);
    piece.size = 2000;
  }

  approachPhase = 1;
  missionResult = 0;
  weapon = 2;
  gunSide = 1;
  hull = 4000;
  energy = 1330.0f;
  shakeFrames = shakeStrength = shakeOffsetX = shakeOffsetY = 0;
  score = 0;
  shotsFired = 0;

  // Shots still in flight from the last mission are kept and fly on.
  sparks.Clear();
  aliens.Clear();

  for (int i = 0; i < kAlienCount; ++i) {
    // Drawn in the order type, depth, y, x. Types 1, 2, 3 come with chances 61, 20, 20 in 101.
    const int r = RandomUpTo(100);
    const int type = r <= 60 ? 1 : (r <= 80 ? 2 : 3);
    const int depth = RandomUpTo(20) * 2000 + 6000;
    // Spread of +-2 x depth around the ship: at most 200 pixels off the screen centre.
    const int y = RoundToInt(shipY + static_cast<float>((RandomUpTo(40000) - 20000) * depth) * 0.0001f);
    const int x = RandomUpTo(200000) - 150000;
    SpawnAlien(x, y, depth, type);
  }

  SetMousePos(400, 300);
  aimX = 400;
  aimY = 300;
  missionStartTime = GetTickCount();

  // The music loop starts silent and fades in.
  musicVolume = 0.0f;
  SetWaveVolume(kMusicLoop, 0);
  if (musicOn == 1) PlayWave(kMusicLoop, 1);
}

void AdvanceMission() {
  // Music fade-in: 0.5 per frame, whether or not the music plays; full in the 200th frame.
  if (musicVolume < 100.0f) {
    musicVolume += 0.5f;
    if (musicVolume > 100.0f) musicVolume = 100.0f;
    SetWaveVolume(kMusicLoop, RoundToInt(musicVolume));
  }

  // Approach: braking by 40 per frame; untouched it takes 198 frames and ends at -80.
  if (approachPhase == 1) {
    if (speed < kApproachEndSpeed) speed += 40;
    if (speed >= kApproachEndSpeed) approachPhase = 0;
  }

  // Departure once every alien is gone: the mission is won when the ship is back at full speed.
  if (aliens.Count() == 0) {
    if (speed > kFlightSpeed) speed -= 100;
    if (speed <= kFlightSpeed) leaveLoop = 1;
  }

  // Destruction sequence: missionResult counts its frames; the view sinks and shakes.
  if (missionResult > 0) {
    shipY += 600.0f;
    ++missionResult;
    shakeFrames = RoundToInt(MaxOf(static_cast<float>(shakeFrames), 10.0f));
    shakeStrength = RoundToInt(MaxOf(static_cast<float>(shakeStrength), 10.0f));
    if (RandomUpTo(100) < 10) {
      // The y offset is drawn before the x offset.
      const int sparkY = RoundToInt(shipY + static_cast<float>(RandomUpTo(4000) - 2000));
      const int sparkX = RoundToInt(shipX + static_cast<float>(RandomUpTo(4000) - 2000));
      SpawnSparks(sparkX, sparkY, 100, 3, 300);
    }
    if (missionResult == 300) SpawnSparks(RoundToInt(shipX), RoundToInt(shipY + 1000.0f), 500, 20, 300);
    if (missionResult > 400) leaveLoop = 1;
  }

  // A hull of exactly 0 still holds.
  if (hull < 0 && missionResult == 0) missionResult = 1;

  shipX += static_cast<float>(speed);
}

void UpdateObjects() {
  AlienPass();
  DebrisPass();
  ShotPass();
  SparkPass();
  CollisionPass();
  ShakeStep();
}
