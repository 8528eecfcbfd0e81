// The runs of long filtered rows: every pixel of a row in exactly one run, each run the pixels of
// one column pair.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "raster/column_row.h"

namespace {

TEST(LongRuns, EachRunHoldsThePixelsOfOneColumnPairInOrder) {
  std::mt19937 random(11);
  for (int round = 0; round < 5000; ++round) {
    // Half the steps below 1/1024 of a texel a pixel: runs longer than any row.
    const auto step = std::int32_t(1 + random() % (round % 2 == 0 ? 64u : unsigned(kLongRunStep)));
    const auto position = std::int32_t(random() % (64u << 16));
    const int count = 1 + int(random() % unsigned(kPiece));
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(count));
    std::vector<ColumnSample> columns(std::size_t((position + std::int64_t(count) * step) >> 16) + 2);
    int next = 0;  // the first pixel of the next run
    int previousColumn = -1;
    ForEachRun(
        pixels.data(), count, columns.data(), position, step,
        [&](std::uint32_t* at, int length, const ColumnSample* pair, std::int32_t from, std::int32_t by) {
          const auto n = int(at - pixels.data());
          const auto column = int(pair - columns.data());
          ASSERT_EQ(n, next) << "runs follow each other without gap or overlap";
          ASSERT_GT(length, 0);
          ASSERT_EQ(from, position + n * step);
          ASSERT_EQ(by, step);
          ASSERT_GT(column, previousColumn);
          ASSERT_EQ(from >> 16, column) << "the run starts in its column";
          ASSERT_EQ((from + (length - 1) * step) >> 16, column) << "and ends in it";
          if (n + length < count) {
            ASSERT_GT((from + length * step) >> 16, column) << "the run is whole";
          }
          next += length;
          previousColumn = column;
        });
    ASSERT_EQ(next, count) << "round " << round << ": position " << position << ", step " << step;
  }
}

}  // namespace
