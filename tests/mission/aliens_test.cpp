// Alien ships and debris: creation by type, the alien pass and the debris pass.
#include "mission/aliens.h"

#include <gtest/gtest.h>

#include <cmath>

#include "mission/game_state.h"
#include "mission_fixture.h"

namespace {

using Aliens = MissionTest;

TEST_F(Aliens, TypesDifferInBoxStrengthSpeedAndDepth) {
  SpawnAlien(100, -200, 10000, 1);
  SpawnAlien(100, -200, 10000, 2);
  SpawnAlien(100, -200, 10000, 3);
  SpawnAlien(100, -200, 10000, 4);
  const int hitPoints[] = {40, 200, 400, 0};
  const int widths[] = {12000, 30000, 55000, 0};
  const int heights[] = {4000, 12000, 15000, 0};
  const float speeds[] = {3.0f, 2.0f, 1.0f, 0.0f};
  const float blasts[] = {1.0f, 2.0f, 2.5f, 0.0f};
  for (int i = 0; i < 4; ++i) {
    const Alien& alien = game.aliens.At(i);
    SCOPED_TRACE(testing::Message() << "type " << i + 1);
    EXPECT_EQ(alien.quad, i + 40) << "quad is type + 39";
    EXPECT_EQ(alien.z, 10000.0f + static_cast<float>(i * 3000)) << "each type starts 3000 deeper";
    EXPECT_EQ(alien.hitPoints, hitPoints[i]);
    EXPECT_EQ(alien.width, widths[i]);
    EXPECT_EQ(alien.height, heights[i]);
    EXPECT_EQ(alien.speedFactor, speeds[i]);
    EXPECT_EQ(alien.blastFactor, blasts[i]);
    EXPECT_GE(alien.drift, -300.0f);
    EXPECT_LE(alien.drift, 300.0f);
    EXPECT_EQ(alien.x, 100.0f);
    EXPECT_EQ(alien.y, -200.0f);
    EXPECT_EQ(alien.armed, 0);
  }
}

TEST_F(Aliens, MoveByDriftTimesTypeFactor) {
  Alien& alien = StillAlien(1, 0, 0, 8000);
  alien.drift = -100.0f;
  AlienPass();
  EXPECT_EQ(game.aliens.At(0).x, -300.0f) << "a type-1 alien moves 3 x drift";
}

TEST_F(Aliens, UsedUpAlienExplodesScoresAndShakes) {
  StillAlien(1, 0, 0, 8000).hitPoints = 1;
  StillAlien(3, 0, 0, 8000).hitPoints = 0;
  AlienPass();
  ASSERT_EQ(game.aliens.Count(), 1) << "hit points 0 destroy, 1 does not";
  EXPECT_EQ(game.aliens.At(0).quad, 40);
  EXPECT_EQ(game.score, 300) << "100 points per type";
  EXPECT_GE(game.sparks.Count(), 10);
  EXPECT_LE(game.sparks.Count(), 20) << "10 to 20 sparks";
  for (int i = 0; i < game.sparks.Count(); ++i) {
    const Spark& spark = game.sparks.At(i);
    EXPECT_EQ(spark.z, 13000.0f) << "sparks start 1000 in front of the alien";
    // Power 2.5 x 600 = 1500: size (0 to 5000 + 300) x 15, velocity (0 to 400 + 120) x 4.5.
    EXPECT_EQ(std::fmod(spark.size, 15.0f), 0.0f) << "size " << spark.size << " of power 1500";
    EXPECT_GE(spark.size, 4500.0f);
    EXPECT_EQ(std::fmod(spark.velocity, 4.5f), 0.0f) << "velocity " << spark.velocity << " of power 1500";
    EXPECT_GE(spark.velocity, 540.0f);
  }
  EXPECT_EQ(game.shakeFrames, 30);
  EXPECT_EQ(game.shakeStrength, 2);
}

TEST_F(Aliens, RemovingTheFirstAlienPassesOverTheSecond) {
  StillAlien(1, 0, 0, 8000).hitPoints = 0;
  StillAlien(1, 0, 0, 8000).drift = 10.0f;
  StillAlien(1, 0, 0, 8000).drift = 10.0f;
  AlienPass();
  ASSERT_EQ(game.aliens.Count(), 2);
  EXPECT_EQ(game.aliens.At(0).x, 0.0f) << "the alien after a removed first one is passed over";
  EXPECT_EQ(game.aliens.At(1).x, 30.0f) << "the walk goes on after the passed-over alien";
}

TEST_F(Aliens, OnlyArmedAliensFireAndNeverDuringTheApproach) {
  Alien& alien = StillAlien(2, 0, 0, 20000);
  alien.armed = 1;
  game.approachPhase = 1;
  for (int frame = 0; frame < 500; ++frame) AlienPass();
  EXPECT_EQ(game.shots.Count(), 0) << "no alien fires during the approach";

  game.approachPhase = 0;
  game.aliens.At(0).armed = 0;
  for (int frame = 0; frame < 500; ++frame) AlienPass();
  EXPECT_EQ(game.shots.Count(), 0) << "an unarmed alien does not fire";

  game.aliens.At(0).armed = 1;
  game.missionResult = MissionResult::kDestroyed;
  for (int frame = 0; frame < 500; ++frame) AlienPass();
  EXPECT_EQ(game.shots.Count(), 0) << "no alien fires at a ship being destroyed";

  game.missionResult = MissionResult::kRunningOrWon;
  for (int frame = 0; frame < 1000; ++frame) AlienPass();
  // 30 in 1001 per frame: about 30 shots in 1000 frames.
  EXPECT_GT(game.shots.Count(), 10);
  EXPECT_LT(game.shots.Count(), 60);
  EXPECT_EQ(game.shots.At(0).quad, 12) << "a type-2 alien fires image 12";
  EXPECT_EQ(game.shots.At(0).z, 21000.0f) << "alien shots start 2000 in front of the alien (at 23000)";
}

TEST_F(Aliens, ExplosionIsQuieterFurtherAway) {
  EXPECT_EQ(ExplosionVolume(6000.0f), 100) << "limited to 100";
  EXPECT_EQ(ExplosionVolume(8000.0f), 100);
  EXPECT_EQ(ExplosionVolume(16000.0f), 50);
  EXPECT_EQ(ExplosionVolume(32000.0f), 25);
  EXPECT_EQ(ExplosionVolume(46000.0f), 17);
}

TEST_F(Aliens, DebrisTurnsAndWrapsAroundAheadOfTheShip) {
  game.shipX = 500000.0f;
  game.debris[0] = {600001, 5, 4000, 2000, 360};
  game.debris[1] = {600000, 5, 4000, 2000, 100};
  DebrisPass();
  EXPECT_EQ(game.debris[0].angle, 3) << "360 + 3 - 360";
  EXPECT_EQ(game.debris[1].angle, 103);
  EXPECT_EQ(game.debris[0].x, 400000) << "more than 100000 behind the ship: 100000 ahead";
  EXPECT_EQ(game.debris[1].x, 600000) << "exactly 100000 behind stays";
  EXPECT_EQ(game.debris[0].y, 5);
  EXPECT_EQ(game.debris[0].z, 4000);
}

}  // namespace
