// Tests of the copies between pixel areas: clipping at every edge, the key colour, screen copies.
#include "raster/blit.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/raster/raster_helpers.h"

namespace {

// A 3 x 2 sprite: 1 2 3 / 4 5 6 (as colours 0x000001 ...), its middle top pixel the key colour.
struct Sprite {
  std::vector<std::uint32_t> pixels = {1, 0, 3, 4, 5, 6};
  PixelArea Area() { return {pixels.data(), 3, 2}; }
};

TEST(Blit, ClippedAtEveryEdgeOfTheTarget) {
  Sprite sprite;
  Canvas canvas(10, 5, 0x777777);
  BlitArea(canvas.Area(), sprite.Area(), -3, 0, false);
  BlitArea(canvas.Area(), sprite.Area(), 10, 0, false);
  BlitArea(canvas.Area(), sprite.Area(), 0, -2, false);
  BlitArea(canvas.Area(), sprite.Area(), 0, 5, false);
  EXPECT_TRUE(canvas.pixels == std::vector<std::uint32_t>(50, 0x777777))
      << "at x = -w, x = W, y = -h or y = H nothing is drawn";

  BlitArea(canvas.Area(), sprite.Area(), -2, 0, false);
  EXPECT_EQ(canvas.At(0, 0), 3u) << "at x = -w + 1 the sprite's rightmost column lands at 0";
  EXPECT_EQ(canvas.At(0, 1), 6u);
  EXPECT_EQ(canvas.At(1, 0), 0x777777u);
  BlitArea(canvas.Area(), sprite.Area(), 9, 3, false);
  EXPECT_EQ(canvas.At(9, 3), 1u) << "at x = W - 1 its leftmost column lands on the last one";
  EXPECT_EQ(canvas.At(9, 4), 4u);
  BlitArea(canvas.Area(), sprite.Area(), 4, -1, false);
  EXPECT_EQ(canvas.At(4, 0), 4u) << "at y = -1 its bottom row lands on the top row";
  EXPECT_EQ(canvas.At(5, 0), 5u);
  EXPECT_EQ(canvas.At(4, 1), 0x777777u);
}

TEST(Blit, KeyedLeavesOutOnlyTheKeyColour) {
  Sprite sprite;
  sprite.pixels[2] = 0x010101;    // near black is drawn
  sprite.pixels[3] = 0xFF000000;  // the top byte does not count: still the key colour
  Canvas canvas(4, 3, 0x777777);
  BlitArea(canvas.Area(), sprite.Area(), 1, 1, true);
  EXPECT_EQ(canvas.At(1, 1), 1u);
  EXPECT_EQ(canvas.At(2, 1), 0x777777u) << "a black pixel is not drawn";
  EXPECT_EQ(canvas.At(3, 1), 0x010101u) << "(1, 1, 1) is";
  EXPECT_EQ(canvas.At(1, 2), 0x777777u) << "only the colour counts, not the top byte";
  BlitArea(canvas.Area(), sprite.Area(), 1, 1, false);
  EXPECT_EQ(canvas.At(2, 1), 0u) << "the opaque blit draws black too";
}

TEST(Blit, CopyRectangleTakesWhatLiesOnTheSourceOnly) {
  Canvas screen(4, 3);
  for (int i = 0; i < 12; ++i) screen.pixels[std::size_t(i)] = std::uint32_t(i + 1);
  Canvas copy(3, 3, 0xAAAAAA);
  CopyRectangle(copy.Area(), screen.Area(), 2, -1);
  EXPECT_EQ(copy.pixels,
            (std::vector<std::uint32_t>{0xAAAAAA, 0xAAAAAA, 0xAAAAAA, 3, 4, 0xAAAAAA, 7, 8, 0xAAAAAA}))
      << "the rows above the source and the column right of it are left as they were";
  Canvas off(2, 2, 0xAAAAAA);
  CopyRectangle(off.Area(), screen.Area(), -5, 0);
  EXPECT_EQ(off.pixels, std::vector<std::uint32_t>(4, 0xAAAAAA))
      << "a rectangle off the source copies nothing";
}

}  // namespace
