// The alien ships of a mission and the debris of the background.
#include "mission/aliens.h"

#include <algorithm>

#include "base/random.h"
#include "media/slots.h"
#include "mission/effects.h"
#include "mission/game_state.h"
#include "mission/rounding.h"
#include "mission/shots.h"
#include "mission/sparks.h"
#include "platform/sound.h"

namespace {

struct AlienType {
  int hitPoints;
  int width;   // world units
  int height;  // world units
  float blastFactor;
  float speedFactor;
};

// Type 1 is wide, flat, fast and weak; type 3 large, slow and strong.
constexpr AlienType kAlienTypes[3] = {
    {40, 12000, 4000, 1.0f, 3.0f},
    {200, 30000, 12000, 2.0f, 2.0f},
    {400, 55000, 15000, 2.5f, 1.0f},
};

constexpr int kTypeDepthStep = 3000;  // each type starts this much deeper than the one before
constexpr int kFireChance = 30;       // in 1001, per frame, for an armed alien

}  // namespace

void SpawnAlien(int x, int y, int z, int type) {
  Alien& alien = game.aliens.Append();
  alien.x = static_cast<float>(x);
  alien.y = static_cast<float>(y);
  alien.z = static_cast<float>(z + (type - 1) * kTypeDepthStep);
  alien.quad = AlienQuad(type);
  if (type >= 1 && type <= 3) {
    const AlienType& kind = kAlienTypes[type - 1];
    alien.hitPoints = kind.hitPoints;
    alien.width = kind.width;
    alien.height = kind.height;
    alien.blastFactor = kind.blastFactor;
    alien.speedFactor = kind.speedFactor;
  }
  alien.drift = static_cast<float>(RandomUpTo(600) - 300);
  alien.driftY = 0.0f;
}

int ExplosionVolume(float z) {
  return std::clamp(RoundToInt(800.0f / z * 1000.0f), 0, 100);
}

void AlienPass() {
  game.aliens.Walk([](Alien& alien) {
    alien.x += alien.drift * alien.speedFactor;
    alien.y += alien.driftY;
    if (game.approachPhase == 0 && RandomUpTo(1000) < kFireChance &&
        game.missionResult == MissionResult::kRunningOrWon && alien.armed != 0) {
      FireAlienShot(alien);
    }
    if (alien.hitPoints > 0) return false;
    const int count = RandomUpTo(10) + 10;
    SpawnSparks(RoundToInt(alien.x), RoundToInt(alien.y), RoundToInt(alien.z - 1000.0f), count,
                RoundToInt(alien.blastFactor * 600.0f));
    game.shakeFrames = 30;
    game.shakeStrength = 2;
    const int volume = ExplosionVolume(alien.z);
    game.score += AlienTypeOfQuad(alien.quad) * 100;
    SetWaveVolume(kExplosionSound, volume);
    PlayEffect(kExplosionSound, 0);
    return true;
  });
}

void DebrisPass() {
  for (int i = 0; i <= game.lastDebrisIndex; ++i) {
    Debris& piece = game.debris[i];
    piece.angle += 3;
    if (piece.angle >= 360) piece.angle -= 360;
    // The ship flies towards -x: a piece more than 100000 behind it reappears 100000 ahead.
    if (static_cast<float>(piece.x - 100000) > game.shipX) piece.x = RoundToInt(game.shipX - 100000.0f);
  }
}
