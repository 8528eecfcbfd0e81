// Alien ships and debris: creation by type, the alien pass, the debris pass, and the steering and
// arming of aliens by where they appear on the screen.
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
    const Alien& alien = world.aliens.At(i);
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
  EXPECT_EQ(world.aliens.At(0).x, -300.0f) << "a type-1 alien moves 3 x drift";
}

TEST_F(Aliens, UsedUpAlienExplodesScoresAndShakes) {
  StillAlien(1, 0, 0, 8000).hitPoints = 1;
  StillAlien(3, 0, 0, 8000).hitPoints = 0;
  AlienPass();
  ASSERT_EQ(world.aliens.Count(), 1) << "hit points 0 destroy, 1 does not";
  EXPECT_EQ(world.aliens.At(0).quad, 40);
  EXPECT_EQ(game.score, 300) << "100 points per type";
  EXPECT_GE(world.sparks.Count(), 10);
  EXPECT_LE(world.sparks.Count(), 20) << "10 to 20 sparks";
  for (int i = 0; i < world.sparks.Count(); ++i) {
    const Spark& spark = world.sparks.At(i);
    EXPECT_EQ(spark.z, 13000.0f) << "sparks start 1000 in front of the alien";
    // Power 2.5 x 600 = 1500: size (0 to 5000 + 300) x 15, velocity (0 to 400 + 120) x 4.5.
    EXPECT_EQ(std::fmod(spark.size, 15.0f), 0.0f) << "size " << spark.size << " of power 1500";
    EXPECT_GE(spark.size, 4500.0f);
    EXPECT_EQ(std::fmod(spark.velocity, 4.5f), 0.0f) << "velocity " << spark.velocity << " of power 1500";
    EXPECT_GE(spark.velocity, 540.0f);
  }
  EXPECT_EQ(world.shakeFrames, 30);
  EXPECT_EQ(world.shakeStrength, 2);
}

TEST_F(Aliens, RemovingTheFirstAlienPassesOverTheSecond) {
  StillAlien(1, 0, 0, 8000).hitPoints = 0;
  StillAlien(1, 0, 0, 8000).drift = 10.0f;
  StillAlien(1, 0, 0, 8000).drift = 10.0f;
  AlienPass();
  ASSERT_EQ(world.aliens.Count(), 2);
  EXPECT_EQ(world.aliens.At(0).x, 0.0f) << "the alien after a removed first one is passed over";
  EXPECT_EQ(world.aliens.At(1).x, 30.0f) << "the walk goes on after the passed-over alien";
}

TEST_F(Aliens, OnlyArmedAliensFireAndNeverDuringTheApproach) {
  Alien& alien = StillAlien(2, 0, 0, 20000);
  alien.armed = 1;
  world.approachPhase = 1;
  for (int frame = 0; frame < 500; ++frame) AlienPass();
  EXPECT_EQ(world.shots.Count(), 0) << "no alien fires during the approach";

  world.approachPhase = 0;
  world.aliens.At(0).armed = 0;
  for (int frame = 0; frame < 500; ++frame) AlienPass();
  EXPECT_EQ(world.shots.Count(), 0) << "an unarmed alien does not fire";

  world.aliens.At(0).armed = 1;
  game.missionResult = MissionResult::kDestroyed;
  for (int frame = 0; frame < 500; ++frame) AlienPass();
  EXPECT_EQ(world.shots.Count(), 0) << "no alien fires at a ship being destroyed";

  game.missionResult = MissionResult::kRunningOrWon;
  for (int frame = 0; frame < 1000; ++frame) AlienPass();
  // 30 in 1001 per frame: about 30 shots in 1000 frames.
  EXPECT_GT(world.shots.Count(), 10);
  EXPECT_LT(world.shots.Count(), 60);
  EXPECT_EQ(world.shots.At(0).quad, 12) << "a type-2 alien fires image 12";
  EXPECT_EQ(world.shots.At(0).z, 21000.0f) << "alien shots start 2000 in front of the alien (at 23000)";
}

TEST_F(Aliens, ExplosionIsQuieterFurtherAway) {
  EXPECT_EQ(ExplosionVolume(6000.0f), 100) << "limited to 100";
  EXPECT_EQ(ExplosionVolume(8000.0f), 100);
  EXPECT_EQ(ExplosionVolume(16000.0f), 50);
  EXPECT_EQ(ExplosionVolume(32000.0f), 25);
  EXPECT_EQ(ExplosionVolume(46000.0f), 17);
}

TEST_F(Aliens, DebrisTurnsAndWrapsAroundAheadOfTheShip) {
  world.shipX = 500000.0f;
  world.debris[0] = {600001, 5, 4000, 2000, 360, 360};
  world.debris[1] = {600000, 5, 4000, 2000, 100, 100};
  DebrisPass();
  EXPECT_EQ(world.debris[0].angle, 3) << "360 + 3 - 360";
  EXPECT_EQ(world.debris[1].angle, 103);
  EXPECT_EQ(world.debris[0].x, 400000) << "more than 100000 behind the ship: 100000 ahead";
  EXPECT_EQ(world.debris[1].x, 600000) << "exactly 100000 behind stays";
  EXPECT_EQ(world.debris[0].y, 5);
  EXPECT_EQ(world.debris[0].z, 4000);
}

// Steering at the end of a step, from where the aliens appear on the screen.
class AlienSteering : public MissionTest {
 protected:
  void SetUp() override {
    MissionTest::SetUp();
    world.shipX = 100000.0f;
    world.speed = -80;
  }

  // A type-1 alien (12000 x 4000) at depth z, centred on screen unless moved; it does not drift.
  // At depth 1600 one world unit is 1/16 pixel exactly, so the alien appears 750 x 250.
  static Alien& PlaceAlien(float dx, float y, float z) {
    Alien& alien = StillAlien(1, 0, 0, 1000);
    alien.x = world.shipX + dx;
    alien.y = y;
    alien.z = z;
    return alien;
  }
};

TEST_F(AlienSteering, OnlyObjectsInside0To61000AreDrawn) {
  PlaceAlien(0, 0, 60999.0f);
  PlaceAlien(0, 0, 61000.0f);
  PlaceAlien(0, 0, -1.0f);
  PlaceAlien(0, 0, 0.5f);
  SteerAliens();
  EXPECT_EQ(world.aliens.At(0).armed, 1) << "60999 lies in the far slice";
  EXPECT_EQ(world.aliens.At(1).armed, 0) << "61000 is beyond the far slice: not steered";
  EXPECT_EQ(world.aliens.At(2).armed, 0) << "a depth below 0 is not steered";
  EXPECT_EQ(world.aliens.At(3).armed, 1) << "the near slice starts at 0";
}

TEST_F(AlienSteering, AliensAreSteeredBackOnScreenVertically) {
  PlaceAlien(0, 4400.0f, 1600.0f);   // top edge at 450
  PlaceAlien(0, 4408.0f, 1600.0f);   // top edge at 450.5
  PlaceAlien(0, -1600.0f, 1600.0f);  // top edge at 75
  PlaceAlien(0, -1608.0f, 1600.0f);  // top edge at 74.5
  SteerAliens();
  EXPECT_EQ(world.aliens.At(0).y, 4400.0f) << "a top edge at exactly 450 is not moved";
  EXPECT_EQ(world.aliens.At(1).y, 4208.0f) << "below 450 the alien moves up by 200";
  EXPECT_EQ(world.aliens.At(2).y, -1600.0f) << "a top edge at exactly 75 is not moved";
  EXPECT_EQ(world.aliens.At(3).y, -1408.0f) << "above 75 the alien moves down by 200";
}

TEST_F(AlienSteering, AnAlienIsArmedOnlyWithItsCentreStrictlyOnScreen) {
  PlaceAlien(-6400.0f, 0, 1600.0f);  // centre at x 0
  PlaceAlien(-6384.0f, 0, 1600.0f);  // centre at x 1
  PlaceAlien(6400.0f, 0, 1600.0f);   // centre at x 800
  PlaceAlien(6384.0f, 0, 1600.0f);   // centre at x 799
  world.aliens.At(0).armed = 1;
  SteerAliens();
  EXPECT_EQ(world.aliens.At(0).armed, 0) << "a centre exactly at x 0 is not armed";
  EXPECT_EQ(world.aliens.At(1).armed, 1);
  EXPECT_EQ(world.aliens.At(2).armed, 0) << "a centre exactly at x 800 is not armed";
  EXPECT_EQ(world.aliens.At(3).armed, 1);
  world.shakeOffsetX = 1;
  SteerAliens();
  EXPECT_EQ(world.aliens.At(0).armed, 1) << "the shake moves the world view, and with it the centre";
  EXPECT_EQ(world.aliens.At(3).armed, 0);
}

TEST_F(AlienSteering, DriftIsSteeredOnlyAfterTheApproach) {
  PlaceAlien(20000.0f, 0, 1600.0f);   // far right of the screen
  PlaceAlien(-20000.0f, 0, 1600.0f);  // far left of the screen
  PlaceAlien(0, 0, 1600.0f);
  world.approachPhase = 1;
  SteerAliens();
  EXPECT_EQ(world.aliens.At(0).drift, 0.0f) << "no horizontal steering during the approach";
  EXPECT_EQ(world.aliens.At(1).drift, 0.0f);
  world.approachPhase = 0;
  SteerAliens();
  EXPECT_EQ(world.aliens.At(0).drift, -20.0f) << "right of the screen: drift towards -x";
  EXPECT_EQ(world.aliens.At(1).drift, 20.0f) << "left of the screen: drift towards +x";
  EXPECT_EQ(world.aliens.At(2).drift, 0.0f);
  world.aliens.At(0).drift = -280.0f;  // speed - 200
  world.aliens.At(1).drift = 120.0f;   // speed + 200
  SteerAliens();
  EXPECT_EQ(world.aliens.At(0).drift, -280.0f) << "steering stops at speed - 200";
  EXPECT_EQ(world.aliens.At(1).drift, 120.0f) << "steering stops at speed + 200";
}

}  // namespace
