// Sparks and screen shake: SpawnSparks, the spark pass, the shake step and the shake sources.
#include "mission/sparks.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "base/random.h"
#include "mission/aliens.h"
#include "mission/game_state.h"
#include "mission/mission_progress.h"
#include "mission/shots.h"
#include "mission_fixture.h"

namespace {

using Sparks = MissionTest;

// Spark passes until the only spark is gone; -1 if it outlives `limit` passes.
int PassesUntilGone(int limit) {
  for (int pass = 1; pass <= limit; ++pass) {
    SparkPass();
    if (world.sparks.Count() == 0) return pass;
  }
  return -1;
}

TEST_F(Sparks, PowerZeroIsPowerHundred) {
  SeedRandom(5u);
  SpawnSparks(100, 200, 3000, 4, 0);
  SeedRandom(5u);
  SpawnSparks(100, 200, 3000, 4, 100);
  ASSERT_EQ(world.sparks.Count(), 8);
  for (int i = 0; i < 4; ++i) {
    const Spark& a = world.sparks.At(i);
    const Spark& b = world.sparks.At(i + 4);
    EXPECT_EQ(a.size, b.size) << "spark " << i;
    EXPECT_EQ(a.velocity, b.velocity) << "spark " << i;
    EXPECT_EQ(a.x, b.x) << "spark " << i;
  }
}

TEST_F(Sparks, SpawnDrawsTheFieldsInOrderAndSumsInFloats) {
  // 2^25 + 3: out there floats lie 4 apart, so a position summed as integers and converted once
  // comes out differently from the same sum made step by step in floats.
  const int farOut = 33554435;
  SeedRandom(9u);
  SpawnSparks(farOut, -farOut, 700, 40, 600);
  SpawnSparks(0, 0, 0, 0, 300);
  SpawnSparks(0, 0, 0, -3, 300);
  ASSERT_EQ(world.sparks.Count(), 40) << "a count of 0 or less adds nothing";
  SeedRandom(9u);
  for (int i = 0; i < 40; ++i) {
    SCOPED_TRACE(testing::Message() << "spark " << i);
    const Spark& spark = world.sparks.At(i);
    EXPECT_EQ(spark.z, 700.0f);
    EXPECT_EQ(spark.size, static_cast<float>(RandomUpTo(5000) + 300) * 600.0f / 100.0f) << "drawn first";
    EXPECT_EQ(spark.life, static_cast<float>(RandomUpTo(55) + 200)) << "200 to 255, drawn second";
    const float x = static_cast<float>(farOut) + static_cast<float>(RandomUpTo(700));
    EXPECT_EQ(spark.x, x - 300.0f) << "x + RandomUpTo(700) - 300 in floats";
    const float y = static_cast<float>(-farOut) + static_cast<float>(RandomUpTo(700));
    EXPECT_EQ(spark.y, y - 300.0f) << "y + RandomUpTo(700) - 300 in floats";
    EXPECT_EQ(spark.velocity, static_cast<float>(RandomUpTo(400) + 120) * 2.25f)
        << "factor 2.25 at power 600";
    EXPECT_EQ(spark.heading, static_cast<float>(RandomUpTo(360)));
    EXPECT_EQ(spark.climb, static_cast<float>(RandomUpTo(360))) << "drawn last";
  }
}

TEST_F(Sparks, LifetimeIs101To128Passes) {
  SpawnSparks(0, 0, 1000, 1, 100);
  world.sparks.At(0).life = 200.0f;
  EXPECT_EQ(PassesUntilGone(300), 101) << "200 - 2 x 101 is the first life below 0";
  SpawnSparks(0, 0, 1000, 1, 100);
  world.sparks.At(0).life = 255.0f;
  EXPECT_EQ(PassesUntilGone(300), 128) << "255 - 2 x 128 is the first life below 0";
}

TEST_F(Sparks, PassMovesGrowsAndSlows) {
  SpawnSparks(0, 0, 1000, 1, 100);
  Spark& spark = world.sparks.At(0);
  spark.x = 0.0f;
  spark.y = 0.0f;
  spark.heading = 0.0f;
  spark.climb = 0.0f;
  spark.velocity = 100.0f;
  spark.size = 1000.0f;
  SparkPass();
  EXPECT_EQ(world.sparks.At(0).y, -100.0f) << "heading 0 moves straight up the screen";
  EXPECT_EQ(world.sparks.At(0).x, 0.0f);
  EXPECT_EQ(world.sparks.At(0).z, 1000.0f);
  EXPECT_EQ(world.sparks.At(0).size, 1070.0f);
  EXPECT_EQ(world.sparks.At(0).velocity, 95.0f);
}

TEST_F(Sparks, RemovingTheFirstSparkPassesOverTheSecond) {
  SpawnSparks(0, 0, 1000, 3, 100);
  world.sparks.At(0).life = 1.0f;
  const float secondLife = world.sparks.At(1).life;
  const float thirdLife = world.sparks.At(2).life;
  SparkPass();
  ASSERT_EQ(world.sparks.Count(), 2);
  EXPECT_EQ(world.sparks.At(0).life, secondLife) << "passed over after the first was removed";
  EXPECT_EQ(world.sparks.At(1).life, thirdLife - 2.0f);
}

TEST_F(Sparks, ThirtyFrameShakeGives29FramesOfOffsets) {
  world.shakeFrames = 30;
  world.shakeStrength = 2;
  int moved = 0;
  for (int step = 1; step <= 29; ++step) {
    ShakeStep();
    EXPECT_LE(std::abs(world.shakeOffsetX), 2) << "step " << step;
    EXPECT_LE(std::abs(world.shakeOffsetY), 2) << "step " << step;
    if (world.shakeOffsetX != 0 || world.shakeOffsetY != 0) ++moved;
  }
  EXPECT_GT(moved, 10) << "offsets change while the shake runs";
  ShakeStep();
  EXPECT_EQ(world.shakeFrames, 0);
  EXPECT_EQ(world.shakeOffsetX, 0) << "the 30th step ends the shake";
  EXPECT_EQ(world.shakeOffsetY, 0);
  world.shakeOffsetX = 7;
  ShakeStep();
  EXPECT_EQ(world.shakeOffsetX, 7) << "nothing happens without shake frames";
  EXPECT_EQ(world.shakeStrength, 2) << "the strength is never reset";
}

TEST_F(Sparks, ShakeSourcesRaiseTheShakeAndADestroyedAlienSetsIt) {
  StillAlien(1, 0, 0, 70000);  // one alien stays: no departure
  game.missionResult = MissionResult::kDestroyed;
  game.destructionFrames = 1;
  void (*const destructionStep)() = [] { AdvanceMission(); };
  void (*const shipStruck)() = [] {
    Shot& shot = world.shots.Append();
    shot.x = world.shipX;
    shot.y = world.shipY;
    shot.z = 1000.0f;
    shot.direction = -1;
    shot.quad = 12;
    ShotPass();
  };
  void (*const alienDestroyed)() = [] {
    StillAlien(1, 0, 0, 8000).hitPoints = 0;
    AlienPass();
  };
  struct Case {
    void (*source)();
    int frames, strength;            // before
    int framesAfter, strengthAfter;  // after
    const char* rule;
  };
  const Case cases[] = {
      {destructionStep, 25, 3, 25, 10, "the destruction sequence raises a weaker shake to strength 10"},
      {destructionStep, 4, 12, 10, 12, "and a shorter one to 10 frames, keeping a stronger one"},
      {shipStruck, 15, 1, 15, 2, "a quad-12 shot striking the ship raises the strength to 2"},
      {shipStruck, 4, 3, 10, 3, "and the frames to 10, never lowering the strength"},
      {alienDestroyed, 40, 10, 30, 2, "a destroyed alien sets 30 frames of strength 2, even lowering them"},
  };
  for (const Case& c : cases) {
    world.shakeFrames = c.frames;
    world.shakeStrength = c.strength;
    c.source();
    EXPECT_EQ(world.shakeFrames, c.framesAfter) << c.rule;
    EXPECT_EQ(world.shakeStrength, c.strengthAfter) << c.rule;
  }
}

}  // namespace
