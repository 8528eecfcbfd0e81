// Values between two steps: exact at both ends, angles the shorter way round.
#include "mission/blend.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(Blend, ExactAtBothEndsAndLinearBetween) {
  EXPECT_EQ(Blend(800000.0f, 1.0f, 1.0f), 1.0f) << "t = 1 gives the last step's value exactly";
  EXPECT_EQ(Blend(800000.0f, 1.0f, 0.0f), 800000.0f) << "t = 0 the previous step's";
  EXPECT_EQ(Blend(-8000.0f, 8000.0f, 0.5f), 0.0f);
  EXPECT_EQ(Blend(100.0f, 200.0f, 0.25f), 125.0f);
}

TEST(Blend, AnglesTakeTheShorterWayRound) {
  EXPECT_EQ(BlendDegrees(350, 10, 0.5f), 360.0f) << "from 350 to 10 through 0, not through 180";
  EXPECT_EQ(BlendDegrees(10, 350, 0.5f), 0.0f);
  EXPECT_EQ(BlendDegrees(340, 0, 0.5f), 350.0f) << "a shot's spin wrapping from 340 to 0";
  EXPECT_EQ(BlendDegrees(90, 180, 0.5f), 135.0f);
  EXPECT_EQ(BlendDegrees(350, 10, 1.0f), 10.0f) << "t = 1 gives the last step's angle itself";
  EXPECT_EQ(BlendDegrees(350, 10, 0.0f), 350.0f);
}

}  // namespace
