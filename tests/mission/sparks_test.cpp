// Sparks and screen shake: SpawnSparks, the spark pass, the shake step and MaxOf.
#include "mission/sparks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "base/random.h"
#include "mission/game_state.h"
#include "mission_fixture.h"

namespace {

using Sparks = MissionTest;

// Spark passes until the only spark is gone; -1 if it outlives `limit` passes.
int PassesUntilGone(int limit) {
  for (int pass = 1; pass <= limit; ++pass) {
    SparkPass();
    if (sparks.Count() == 0) return pass;
  }
  return -1;
}

TEST_F(Sparks, PowerZeroIsPowerHundred) {
  SeedRandom(5u);
  SpawnSparks(100, 200, 3000, 4, 0);
  SeedRandom(5u);
  SpawnSparks(100, 200, 3000, 4, 100);
  ASSERT_EQ(sparks.Count(), 8);
  for (int i = 0; i < 4; ++i) {
    const Spark& a = sparks.At(i);
    const Spark& b = sparks.At(i + 4);
    EXPECT_EQ(a.size, b.size) << "spark " << i;
    EXPECT_EQ(a.velocity, b.velocity) << "spark " << i;
    EXPECT_EQ(a.x, b.x) << "spark " << i;
  }
}

TEST_F(Sparks, SpawnedFieldsStayInTheirRanges) {
  SpawnSparks(1000, -1000, 500, 300, 300);
  SpawnSparks(0, 0, 0, 0, 300);
  SpawnSparks(0, 0, 0, -3, 300);
  ASSERT_EQ(sparks.Count(), 300) << "a count of 0 or less adds nothing";
  for (int i = 0; i < sparks.Count(); ++i) {
    const Spark& spark = sparks.At(i);
    EXPECT_EQ(spark.z, 500.0f);
    EXPECT_GE(spark.x, 700.0f);
    EXPECT_LE(spark.x, 1400.0f) << "x - 300 to x + 400";
    EXPECT_GE(spark.y, -1300.0f);
    EXPECT_LE(spark.y, -600.0f);
    EXPECT_GE(spark.life, 200.0f);
    EXPECT_LE(spark.life, 255.0f);
    EXPECT_GE(spark.size, 450.0f) << "(0 + 300) x 3";
    EXPECT_LE(spark.size, 15900.0f) << "(5000 + 300) x 3";
    EXPECT_GE(spark.velocity, 180.0f) << "(0 + 120) x 1.5 at power 300";
    EXPECT_LE(spark.velocity, 780.0f);
    EXPECT_GE(spark.heading, 0.0f);
    EXPECT_LE(spark.climb, 360.0f);
  }
}

TEST_F(Sparks, LifetimeIs101To128Passes) {
  SpawnSparks(0, 0, 1000, 1, 100);
  sparks.At(0).life = 200.0f;
  EXPECT_EQ(PassesUntilGone(300), 101) << "200 - 2 x 101 is the first life below 0";
  SpawnSparks(0, 0, 1000, 1, 100);
  sparks.At(0).life = 255.0f;
  EXPECT_EQ(PassesUntilGone(300), 128) << "255 - 2 x 128 is the first life below 0";
}

TEST_F(Sparks, PassMovesGrowsAndSlows) {
  SpawnSparks(0, 0, 1000, 1, 100);
  Spark& spark = sparks.At(0);
  spark.x = 0.0f;
  spark.y = 0.0f;
  spark.heading = 0.0f;
  spark.climb = 0.0f;
  spark.velocity = 100.0f;
  spark.size = 1000.0f;
  SparkPass();
  EXPECT_EQ(sparks.At(0).y, -100.0f) << "heading 0 moves straight up the screen";
  EXPECT_EQ(sparks.At(0).x, 0.0f);
  EXPECT_EQ(sparks.At(0).z, 1000.0f);
  EXPECT_EQ(sparks.At(0).size, 1070.0f);
  EXPECT_EQ(sparks.At(0).velocity, 95.0f);
}

TEST_F(Sparks, RemovingTheFirstSparkPassesOverTheSecond) {
  SpawnSparks(0, 0, 1000, 3, 100);
  sparks.At(0).life = 1.0f;
  const float secondLife = sparks.At(1).life;
  const float thirdLife = sparks.At(2).life;
  SparkPass();
  ASSERT_EQ(sparks.Count(), 2);
  EXPECT_EQ(sparks.At(0).life, secondLife) << "passed over after the first was removed";
  EXPECT_EQ(sparks.At(1).life, thirdLife - 2.0f);
}

TEST_F(Sparks, ThirtyFrameShakeGives29FramesOfOffsets) {
  shakeFrames = 30;
  shakeStrength = 2;
  int moved = 0;
  for (int step = 1; step <= 29; ++step) {
    ShakeStep();
    EXPECT_LE(std::abs(shakeOffsetX), 2) << "step " << step;
    EXPECT_LE(std::abs(shakeOffsetY), 2) << "step " << step;
    if (shakeOffsetX != 0 || shakeOffsetY != 0) ++moved;
  }
  EXPECT_GT(moved, 10) << "offsets change while the shake runs";
  ShakeStep();
  EXPECT_EQ(shakeFrames, 0);
  EXPECT_EQ(shakeOffsetX, 0) << "the 30th step ends the shake";
  EXPECT_EQ(shakeOffsetY, 0);
  shakeOffsetX = 7;
  ShakeStep();
  EXPECT_EQ(shakeOffsetX, 7) << "nothing happens without shake frames";
  EXPECT_EQ(shakeStrength, 2) << "the strength is never reset";
}

TEST_F(Sparks, MaxOfTakesTheSecondWhenEqual) {
  EXPECT_EQ(MaxOf(3.0f, 2.0f), 3.0f);
  EXPECT_EQ(MaxOf(2.0f, 3.0f), 3.0f);
  EXPECT_EQ(MaxOf(-0.0f, 0.0f), 0.0f);
  EXPECT_FALSE(std::signbit(MaxOf(-0.0f, 0.0f))) << "b when neither is smaller";
}

}  // namespace
