// Shots of the player and of the aliens.
#include "mission/shots.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "base/random.h"
#include "base/tick_count.h"
#include "media/screen_size.h"
#include "media/slots.h"
#include "mission/effects.h"
#include "mission/rounding.h"
#include "mission/sparks.h"

namespace {

struct Muzzle {
  int dx;  // offset from shipX
  int y;
};

struct WeaponRow {
  Muzzle muzzles[4];
  int muzzleCount;
  int quad;
  float cost;      // energy per volley
  int counted;     // added to shotsFired: weapon 3 counts its two shots as one
  int shake;       // shakeStrength of the recoil
  int intervalMs;  // time until the next volley
};

// Weapon 2 fires from one side only; its muzzle offset is multiplied by gunSide.
constexpr WeaponRow kWeapons[4] = {
    {{{0, 800}}, 1, ShotQuad(1), 1.0f, 1, 1, 500},
    {{{1000, 800}}, 1, ShotQuad(2), 1.0f, 1, 1, 400},
    {{{2000, 0}, {-2000, 0}}, 2, ShotQuad(3), 2.0f, 1, 2, 250},
    {{{2000, 1000}, {-2000, 1000}, {2000, -1000}, {-2000, -1000}}, 4, ShotQuad(4), 4.0f, 4, 2, 400},
};

constexpr int LongestInterval() {
  int longest = 0;
  for (const WeaponRow& row : kWeapons) longest = std::max(longest, row.intervalMs);
  return longest;
}

constexpr float kShotDepthStep = 600.0f;   // per frame, both directions
constexpr float kShotFarLimit = 70000.0f;  // a shot beyond this depth is spent
constexpr float kHitWindowDepth = 700.0f;  // half the depth of an alien's hit window
constexpr int kFrameMs = 25;               // a mission frame, 1/41 s, rounded up

}  // namespace

void FireWeapon() {
  if (game.weapon < 1 || game.weapon > 4) return;
  const WeaponRow& row = kWeapons[game.weapon - 1];
  game.shakeFrames = 10;
  // Integer division: the headings come in whole heading units.
  const float headingX = static_cast<float>((game.aimX - kScreenCentreX) / 10);
  const float headingY = static_cast<float>((game.aimY - kScreenCentreY) / 10);
  for (int i = 0; i < row.muzzleCount; ++i) {
    const int side = game.weapon == 2 ? game.gunSide : 1;
    Shot& shot = game.shots.Append();
    shot.x = game.shipX + static_cast<float>(row.muzzles[i].dx * side);
    shot.y = static_cast<float>(row.muzzles[i].y);
    shot.z = 1.0f;
    shot.headingX = headingX;
    shot.headingY = headingY;
    shot.width = shot.height = 2000;
    shot.spin = 0;
    shot.direction = 0;
    shot.quad = row.quad;
  }
  if (game.weapon == 2) game.gunSide = -game.gunSide;
  game.energy -= row.cost;
  game.shotsFired += row.counted;
  game.shakeStrength = row.shake;
  game.nextShotTime = AddTicks(GetTickCount(), row.intervalMs);
  PlayEffect(kShotSound, 0);
}

int UntilNextVolley() {
  const int until = TicksBetween(GetTickCount(), game.nextShotTime);
  // A volley sets the due time at most the longest interval ahead, and a pause keeps only what was
  // left of it. One further ahead is stale, not early: 0 from the program's start while the count
  // already reads past 24.8 days, or a time set so long ago that the wrapping count places it ahead.
  return until > LongestInterval() ? std::numeric_limits<int>::min() : until;
}

bool NextVolleyIn(int& milliseconds) {
  milliseconds = UntilNextVolley();
  return milliseconds > -kFrameMs;
}

void FireAlienShot(const Alien& alien) {
  Shot& shot = game.shots.Append();
  shot.x = alien.x;
  shot.y = alien.y;
  shot.z = alien.z - 2000.0f;
  // Aimed at where the ship is now; the x heading and its scatter are drawn before the y heading.
  const int alienZ = RoundToInt(alien.z);
  shot.headingX = (AngleTo(RoundToInt(game.shipX), 0, RoundToInt(alien.x), alienZ) - 90.0f) / 5.0f +
                  static_cast<float>(RandomUpTo(6) - 3);
  shot.headingY = (AngleTo(RoundToInt(game.shipY), 0, RoundToInt(alien.y), alienZ) - 90.0f) / 5.0f +
                  static_cast<float>(RandomUpTo(6) - 3);
  shot.width = shot.height = 2000;
  shot.spin = 0;
  shot.quad = AlienShotQuad(alien.quad);
  shot.direction = -1;
}

float AngleTo(int x1, int y1, int x2, int y2) {
  const float dx = static_cast<float>(x2) - static_cast<float>(x1);
  const float dy = static_cast<float>(y2) - static_cast<float>(y1);
  const float length = std::sqrt(dx * dx + dy * dy);
  if (length == 0.0f) return 0.0f;
  // A mirror at 358, not 360, to go with the 57 units per radian.
  float angle = std::acos(dx / length) * kHeadingUnitsPerRadian;
  if (dy < 0.0f) angle = 358.0f - angle;
  return angle;
}

void ShotPass() {
  game.shots.Walk([](Shot& shot) {
    if (shot.direction == 0) shot.direction = 1;
    shot.spin += 20;
    if (shot.spin > 360) shot.spin -= 360;
    shot.z += static_cast<float>(shot.direction) * kShotDepthStep;
    bool spent = false;
    if (shot.direction == -1 && shot.z < 800.0f && std::fabs(shot.x - game.shipX) < 10000.0f &&
        std::fabs(shot.y - game.shipY) < 6000.0f) {
      // The shot of a stronger alien shakes harder (1, 1.5, 2 for types 1 to 3) and does more
      // damage (7, 9, 11).
      const int type = AlienTypeOfShot(shot.quad);
      game.shakeFrames = RoundToInt(MaxOf(static_cast<float>(game.shakeFrames), 10.0f));
      game.shakeStrength = RoundToInt(
          MaxOf(static_cast<float>(game.shakeStrength), static_cast<float>(type - 1) / 2.0f + 1.0f));
      SpawnSparks(RoundToInt(shot.x), RoundToInt(shot.y), 100, 2, 100);
      game.hull -= 2 * (type - 1) + 7;
      RumbleForHit();
      spent = true;
    }
    if (shot.z > kShotFarLimit || shot.z < 1.0f) spent = true;
    if (spent) return true;
    shot.x += std::sin(shot.headingX / kHeadingUnitsPerRadian) * 4000.0f;
    shot.y += std::sin(shot.headingY / kHeadingUnitsPerRadian) * 3600.0f;
    return false;
  });
}

void CollisionPass() {
  for (int s = 0; s < game.shots.Count(); ++s) {
    const Shot& shot = game.shots.At(s);
    for (int a = 0; a < game.aliens.Count(); ++a) {
      Alien& alien = game.aliens.At(a);
      if (std::fabs(shot.z - alien.z) < kHitWindowDepth &&
          std::fabs(shot.x - alien.x) < static_cast<float>(alien.width / 2) &&
          std::fabs(shot.y - alien.y) < static_cast<float>(alien.height / 2)) {
        SpawnSparks(RoundToInt(shot.x), RoundToInt(shot.y), RoundToInt(shot.z - 500.0f), 1, 33);
        // The damage follows the weapon selected now, not the one that fired the shot; an
        // alien's own shot is destroyed without doing damage.
        if (shot.direction == 1) alien.hitPoints -= 3 * game.weapon;
        game.shots.RemoveAt(s);
        return;
      }
    }
  }
}
