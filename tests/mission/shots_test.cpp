// Shots and hits: the four weapons, the alien's shot, AngleTo, the shot pass and the collision
// pass.
#include "mission/shots.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "base/tick_count.h"
#include "mission/aliens.h"
#include "mission/game_state.h"
#include "mission/mission_progress.h"
#include "mission_fixture.h"

namespace {

class Shots : public MissionTest {
 protected:
  void SetUp() override {
    MissionTest::SetUp();
    ReadyShip();
  }

  // A fresh state with the ship at x 1000, its energy full and the crosshair in the middle.
  static void ReadyShip() {
    ResetGameState();
    game.shipX = 1000.0f;
    game.energy = 1330.0f;
    game.aimX = 400;
    game.aimY = 300;
    game.gunSide = 1;
  }
};

// A type-1 alien straight ahead of the ship that neither drifts nor fires.
Alien& TargetAhead(int z) {
  return StillAlien(1, static_cast<int>(game.shipX), 800, z);
}

TEST(ShotsAngle, AxisPointsUse57PerRadianAnd358) {
  EXPECT_FLOAT_EQ(AngleTo(0, 0, 10, 0), 0.0f);
  EXPECT_NEAR(AngleTo(0, 0, 0, 10), 89.54f, 0.005f) << "57 x pi / 2";
  EXPECT_NEAR(AngleTo(0, 0, -10, 0), 179.07f, 0.005f) << "57 x pi";
  EXPECT_NEAR(AngleTo(0, 0, 0, -10), 268.46f, 0.005f) << "358 - 57 x pi / 2";
  EXPECT_NEAR(AngleTo(5, 5, 15, 15), 57.0f * 0.785398f, 0.005f) << "only the difference counts";
}

TEST_F(Shots, EachWeaponFiresItsVolley) {
  struct Expected {
    int count;
    int quad;
    float cost;
    int counted;
    int shake;
    int intervalMs;
  };
  const Expected rows[] = {
      {1, 11, 1, 1, 1, 500}, {1, 12, 1, 1, 1, 400}, {2, 13, 2, 1, 2, 250}, {4, 14, 4, 4, 2, 400}};
  for (int w = 1; w <= 4; ++w) {
    SCOPED_TRACE(testing::Message() << "weapon " << w);
    ReadyShip();
    game.weapon = w;
    game.energy = 100.0f;
    const int before = GetTickCount();
    FireWeapon();
    const int after = GetTickCount();
    const Expected& row = rows[w - 1];
    ASSERT_EQ(game.shots.Count(), row.count);
    EXPECT_EQ(game.shots.At(0).quad, row.quad);
    EXPECT_EQ(game.energy, 100.0f - row.cost);
    EXPECT_EQ(game.shotsFired, row.counted) << "weapon 3 counts one shot, weapon 4 counts four";
    EXPECT_EQ(game.shakeFrames, 10) << "recoil shake";
    EXPECT_EQ(game.shakeStrength, row.shake);
    EXPECT_GE(TicksBetween(before, game.nextShotTime), row.intervalMs) << "the interval from the volley on";
    EXPECT_LE(TicksBetween(after, game.nextShotTime), row.intervalMs);
    for (int i = 0; i < game.shots.Count(); ++i) {
      EXPECT_EQ(game.shots.At(i).z, 1.0f);
      EXPECT_EQ(game.shots.At(i).direction, 0) << "a new player shot gets its direction at its first update";
    }
  }
}

TEST_F(Shots, TheNextVolleyFallsDueAtTheEndOfTheFireInterval) {
  int until = 0;
  game.nextShotTime = AddTicks(GetTickCount(), 100);
  ASSERT_TRUE(NextVolleyIn(until));
  EXPECT_GE(until, 99);
  EXPECT_LE(until, 100);
  game.nextShotTime = AddTicks(GetTickCount(), -12);
  EXPECT_TRUE(NextVolleyIn(until)) << "the interval ended after the last frame may have read the trigger";
  EXPECT_LE(until, -12);
  game.nextShotTime = AddTicks(GetTickCount(), -100);
  EXPECT_FALSE(NextVolleyIn(until)) << "a trigger held since would have fired: none is held";
  game.weapon = 4;
  FireWeapon();
  ASSERT_TRUE(NextVolleyIn(until));
  EXPECT_GE(until, 390) << "a volley just fired starts a new interval";

  // A due time of long ago that the wrapping count places ahead: 0 from the program's start with
  // the count past 24.8 days, or one left 25 days ago.
  const auto minus25Days = static_cast<std::int32_t>(static_cast<std::uint32_t>(-25LL * 24 * 60 * 60 * 1000));
  game.nextShotTime = AddTicks(GetTickCount(), minus25Days);
  EXPECT_LE(UntilNextVolley(), 0) << "a stale due time is long past, not 20 days ahead";
  EXPECT_FALSE(NextVolleyIn(until));
  game.nextShotTime = AddTicks(GetTickCount(), 1000);
  EXPECT_LE(UntilNextVolley(), 0) << "no volley sets a due time further ahead than 500 ms";
}

TEST_F(Shots, MuzzlesOfTheWeapons) {
  game.weapon = 3;
  FireWeapon();
  game.weapon = 4;
  FireWeapon();
  const float expected[][2] = {{3000, 0},     {-1000, 0},    {3000, 1000},
                               {-1000, 1000}, {3000, -1000}, {-1000, -1000}};
  ASSERT_EQ(game.shots.Count(), 6);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(game.shots.At(i).x, expected[i][0]) << "shot " << i;
    EXPECT_EQ(game.shots.At(i).y, expected[i][1]) << "shot " << i;
  }
}

TEST_F(Shots, WeaponTwoAlternatesStartingOnTheRight) {
  game.weapon = 2;
  FireWeapon();
  FireWeapon();
  FireWeapon();
  EXPECT_EQ(game.shots.At(0).x, 2000.0f) << "the first shot of a mission leaves at shipX + 1000";
  EXPECT_EQ(game.shots.At(1).x, 0.0f) << "the second at shipX - 1000";
  EXPECT_EQ(game.shots.At(2).x, 2000.0f);
  EXPECT_EQ(game.shots.At(2).y, 800.0f);
}

TEST_F(Shots, HeadingsFollowTheCrosshairInWholeUnits) {
  game.weapon = 4;
  game.aimX = 799;
  game.aimY = 0;
  FireWeapon();
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(game.shots.At(i).headingX, 39.0f) << "(799 - 400) / 10 truncates";
    EXPECT_EQ(game.shots.At(i).headingY, -30.0f);
  }
}

TEST_F(Shots, PlayerShotFliesAwayAndIsSpentPast70000) {
  game.weapon = 1;
  FireWeapon();
  int updates = 0;
  while (game.shots.Count() == 1 && updates < 200) {
    ShotPass();
    ++updates;
    if (updates == 1) {
      EXPECT_EQ(game.shots.At(0).direction, 1);
      EXPECT_EQ(game.shots.At(0).z, 601.0f);
      EXPECT_EQ(game.shots.At(0).spin, 20);
    }
  }
  EXPECT_EQ(updates, 117) << "1 + 600 x 117 is the first depth beyond 70000";
}

TEST_F(Shots, AlienShotAimsAtTheShip) {
  Alien& alien = TargetAhead(20000);
  alien.quad = 42;
  alien.x = game.shipX + 20000.0f;
  FireAlienShot(alien);
  const Shot& shot = game.shots.At(0);
  EXPECT_EQ(shot.quad, 13) << "alien quad - 29";
  EXPECT_EQ(shot.direction, -1);
  EXPECT_EQ(shot.z, 18000.0f);
  // AngleTo gives 57 x pi / 4 = 44.77 for an alien 45 degrees to the right: heading -9.05 +- 3.
  EXPECT_GE(shot.headingX, -12.06f);
  EXPECT_LE(shot.headingX, -6.04f);
  EXPECT_LT(shot.headingX, 0.0f) << "a shot from the right flies to the left";
}

TEST_F(Shots, AlienShotStrikesTheShipByType) {
  for (int quad = 11; quad <= 13; ++quad) {
    SCOPED_TRACE(testing::Message() << "quad " << quad);
    ReadyShip();
    game.hull = 4000;
    game.shakeFrames = 3;
    Shot& shot = game.shots.Append();
    shot.x = game.shipX + 9999.0f;
    shot.y = game.shipY - 5999.0f;
    shot.z = 1000.0f;
    shot.direction = -1;
    shot.quad = quad;
    ShotPass();
    EXPECT_EQ(game.shots.Count(), 0) << "a shot that strikes is removed";
    EXPECT_EQ(game.hull, 4000 - (2 * (quad - 11) + 7)) << "7, 9 or 11 hull points";
    EXPECT_EQ(game.shakeFrames, 10) << "the shake is raised to at least 10 frames";
    EXPECT_EQ(game.shakeStrength, quad == 11 ? 1 : 2) << "1.5 rounds to even";
    EXPECT_EQ(game.sparks.Count(), 2);
    EXPECT_EQ(game.sparks.At(0).z, 100.0f);
  }
}

TEST_F(Shots, AlienShotMissesBesideTheShipAndFadesOut) {
  game.hull = 4000;
  const float offsets[][2] = {{-10000.0f, 0.0f}, {0.0f, 6000.0f}};
  for (const auto& offset : offsets) {
    SCOPED_TRACE(testing::Message() << "offset " << offset[0] << ", " << offset[1]);
    Shot& shot = game.shots.Append();
    shot.x = game.shipX + offset[0];
    shot.y = game.shipY + offset[1];
    shot.z = 1000.0f;
    shot.direction = -1;
    shot.quad = 11;
    ShotPass();
    EXPECT_EQ(game.hull, 4000) << "10000 to the side or 6000 below misses";
    ASSERT_EQ(game.shots.Count(), 1) << "still at depth 400";
    ShotPass();
    EXPECT_EQ(game.shots.Count(), 0) << "removed once its depth is below 1";
  }
}

TEST_F(Shots, TypeOneAlienNeedsHitsByWeapon) {
  const int expected[] = {14, 7, 5, 4};
  for (int w = 1; w <= 4; ++w) {
    SCOPED_TRACE(testing::Message() << "weapon " << w);
    ReadyShip();
    game.weapon = w;
    TargetAhead(8000);
    int hits = 0;
    int frames = 0;
    while (game.aliens.Count() == 1 && frames < 2000) {
      if (game.shots.Count() == 0) FireWeapon();
      const int before = game.aliens.At(0).hitPoints;
      UpdateObjects();
      ++frames;
      if (game.aliens.Count() == 1 && game.aliens.At(0).hitPoints < before) {
        ++hits;
        EXPECT_EQ(before - game.aliens.At(0).hitPoints, 3 * w) << "3 x weapon damage per hit";
      }
    }
    EXPECT_EQ(game.aliens.Count(), 0);
    EXPECT_EQ(hits, expected[w - 1]) << "40 hit points";
    EXPECT_EQ(game.score, 100) << "100 points for a destroyed type-1 alien";
  }
}

TEST_F(Shots, DamageFollowsTheWeaponSelectedNow) {
  Alien& alien = TargetAhead(6000);
  alien.hitPoints = 100;
  game.weapon = 1;
  FireWeapon();
  game.weapon = 4;
  for (int frame = 0; frame < 12 && game.aliens.At(0).hitPoints == 100; ++frame) UpdateObjects();
  EXPECT_EQ(game.aliens.At(0).hitPoints, 88) << "a weapon-1 shot does 12 once weapon 4 is selected";
}

TEST_F(Shots, AtMostOneHitPerFrame) {
  TargetAhead(6000).hitPoints = 100;
  TargetAhead(6000).hitPoints = 100;
  for (int i = 0; i < 3; ++i) {
    Shot& shot = game.shots.Append();
    shot.x = game.shipX;
    shot.y = 800.0f;
    shot.z = 6000.0f;
    shot.direction = 1;
    shot.quad = 12;
  }
  game.weapon = 2;
  CollisionPass();
  EXPECT_EQ(game.shots.Count(), 2) << "one shot strikes per frame";
  EXPECT_EQ(game.aliens.At(0).hitPoints, 94) << "the first alien in list order is struck";
  EXPECT_EQ(game.aliens.At(1).hitPoints, 100);
  ASSERT_EQ(game.sparks.Count(), 1) << "one small spark per hit";
  EXPECT_EQ(game.sparks.At(0).z, 5500.0f);
}

TEST_F(Shots, AlienShotStrikingAnAlienDoesNoDamage) {
  TargetAhead(6000);
  Shot& shot = game.shots.Append();
  shot.x = game.shipX + 5999.0f;
  shot.y = 800.0f + 1999.0f;
  shot.z = 6699.0f;
  shot.direction = -1;
  shot.quad = 11;
  game.weapon = 4;
  CollisionPass();
  EXPECT_EQ(game.shots.Count(), 0) << "the alien's shot is destroyed";
  EXPECT_EQ(game.aliens.At(0).hitPoints, 40) << "but does no damage";
}

TEST_F(Shots, OutsideTheBoxNothingHappens) {
  TargetAhead(6000);
  const float offsets[][3] = {{6000, 0, 0}, {0, 2000, 0}, {0, 0, 700}};
  for (const auto& offset : offsets) {
    game.shots.Clear();
    Shot& shot = game.shots.Append();
    shot.x = game.shipX + offset[0];
    shot.y = 800.0f + offset[1];
    shot.z = 6000.0f + offset[2];
    shot.direction = 1;
    CollisionPass();
    EXPECT_EQ(game.shots.Count(), 1) << "the box and the depth window are open on their edges";
  }
}

}  // namespace
