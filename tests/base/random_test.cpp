// Tests of the random-number generator and RandomUpTo.
#include "base/random.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

// The expected values below were computed once with a separate Python script that follows the
// generator's rule word by word (34 words seeded by s = s * 2891336453 + 1, a = 0, b = 20, 31 steps
// discarded; lo = rotl(T[a+1], 27) + T[b+1], hi = rotl(T[a], 19) + T[b]) and Python's unbounded
// integers for X * (n + 1) // 2^64.

TEST(Random, KnownOutputsAfterSeeding) {
  SeedRandom(0);
  EXPECT_EQ(NextRandom(), 0x8b910d6160217bdfull) << "first output for seed 0";
  EXPECT_EQ(NextRandom(), 0xc8afe081ed8e05c2ull) << "second output for seed 0";
  EXPECT_EQ(NextRandom(), 0xa90e502fd8a9df79ull) << "third output for seed 0";
  SeedRandom(12345);
  EXPECT_EQ(NextRandom(), 0x47752d856b4b519dull) << "first output for seed 12345";
  EXPECT_EQ(NextRandom(), 0xb5e6cf8850f8c8c0ull) << "second output for seed 12345";
}

TEST(Random, RandomUpToScalesTheOutputExactly) {
  SeedRandom(0);
  EXPECT_EQ(RandomUpTo(INT_MAX), 1170769584) << "integer part of X * 2^31 / 2^64";
  EXPECT_EQ(RandomUpTo(INT_MAX), 1683484736);
  EXPECT_EQ(RandomUpTo(INT_MAX), 1418143767);
  EXPECT_EQ(RandomUpTo(1000), 379) << "integer part of X * 1001 / 2^64";
  EXPECT_EQ(RandomUpTo(1000), 236);
  EXPECT_EQ(RandomUpTo(1000), 625);
}

TEST(Random, SameSeedSameSequence) {
  SeedRandom(0xDEADBEEF);
  std::vector<std::uint64_t> first;
  for (int i = 0; i < 100; ++i) first.push_back(NextRandom());
  SeedRandom(0xDEADBEEF);
  for (int i = 0; i < 100; ++i)
    ASSERT_EQ(NextRandom(), first[i]) << "seeding restarts the sequence, step " << i;
  SeedRandom(0xDEADBEEE);
  EXPECT_NE(NextRandom(), first[0]) << "a different seed gives a different sequence";
}

TEST(Random, ZeroAndNegativeBounds) {
  SeedRandom(7);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(RandomUpTo(0), 0) << "RandomUpTo(0) always yields 0";
  EXPECT_EQ(RandomUpTo(-1), INT_MIN) << "a bound below 0 gives -2147483648";
  EXPECT_EQ(RandomUpTo(INT_MIN), INT_MIN) << "a bound below 0 gives -2147483648";
}

TEST(Random, RandomUpToCoversTheRangeEvenly) {
  SeedRandom(2024);
  std::vector<int> hits(601, 0);
  for (int i = 0; i < 300000; ++i) {
    const int value = RandomUpTo(600) - 300;
    ASSERT_GE(value, -300) << "RandomUpTo(600) - 300 stays within -300 to 300";
    ASSERT_LE(value, 300) << "RandomUpTo(600) - 300 stays within -300 to 300";
    ++hits[value + 300];
  }
  EXPECT_GT(hits.front(), 0) << "the lower end -300 is reached";
  EXPECT_GT(hits.back(), 0) << "the upper end 300 is reached";
  for (int count : hits) EXPECT_GT(count, 300) << "about 499 of 300000 draws for every one of 601 values";

  // Ten values: a chi-square above 33.7 has a chance below 1 in 10000 for 9 degrees of freedom.
  std::vector<int> buckets(10, 0);
  const int draws = 100000;
  for (int i = 0; i < draws; ++i) ++buckets[RandomUpTo(9)];
  double chiSquare = 0;
  for (int count : buckets) chiSquare += (count - draws / 10.0) * (count - draws / 10.0) / (draws / 10.0);
  EXPECT_LT(chiSquare, 33.7) << "RandomUpTo(9) gives the ten values equally often";

  int below30 = 0;
  for (int i = 0; i < draws; ++i) below30 += RandomUpTo(1000) < 30 ? 1 : 0;
  EXPECT_NEAR(below30 / static_cast<double>(draws), 30.0 / 1001.0, 0.003)
      << "RandomUpTo(1000) has 1001 values";
}
