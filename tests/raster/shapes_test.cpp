// Tests of the shapes and the text compositing of the pixel engine.
#include "raster/shapes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <set>
#include <utility>
#include <vector>

#include "raster/text_blend.h"
#include "tests/raster/raster_helpers.h"

namespace {

using Pixels = std::set<std::pair<int, int>>;

constexpr Paint kGreen{0x00FF00, false};

Pixels Painted(const Canvas& canvas) {
  Pixels painted;
  for (int y = 0; y < canvas.height; ++y)
    for (int x = 0; x < canvas.width; ++x)
      if (canvas.At(x, y) != 0) painted.insert({x, y});
  return painted;
}

TEST(Lines, OnePixelPerStepInEveryDirectionWithoutTheEndPoint) {
  struct Case {
    int dx, dy;
    Pixels expected;  // from (10, 10)
  };
  // The other coordinate is rounded to the nearest pixel, halves upwards (towards +x or +y).
  const std::vector<Case> cases = {
      {4, 0, {{10, 10}, {11, 10}, {12, 10}, {13, 10}}},                      // east
      {-4, 0, {{10, 10}, {9, 10}, {8, 10}, {7, 10}}},                        // west
      {0, 4, {{10, 10}, {10, 11}, {10, 12}, {10, 13}}},                      // south
      {0, -4, {{10, 10}, {10, 9}, {10, 8}, {10, 7}}},                        // north
      {3, 3, {{10, 10}, {11, 11}, {12, 12}}},                                // south-east
      {-3, -3, {{10, 10}, {9, 9}, {8, 8}}},                                  // north-west
      {3, -3, {{10, 10}, {11, 9}, {12, 8}}},                                 // north-east
      {-3, 3, {{10, 10}, {9, 11}, {8, 12}}},                                 // south-west
      {6, 2, {{10, 10}, {11, 10}, {12, 11}, {13, 11}, {14, 11}, {15, 12}}},  // shallow: 0, 1/3, 2/3, ...
      {-6, -2, {{10, 10}, {9, 10}, {8, 9}, {7, 9}, {6, 9}, {5, 8}}},
      {4, 2, {{10, 10}, {11, 11}, {12, 11}, {13, 12}}},  // halves: 0.5 and 1.5 round up
      {-4, -2, {{10, 10}, {9, 10}, {8, 9}, {7, 9}}},     // -0.5 and -1.5 round up too
      {1, -4, {{10, 10}, {10, 9}, {11, 8}, {11, 7}}},    // steep: x steps 0, 0.25, 0.5, 0.75
  };
  for (const Case& c : cases) {
    Canvas canvas(24, 24);
    DrawLine(canvas.Area(), 10, 10, 10 + c.dx, 10 + c.dy, kGreen);
    EXPECT_EQ(Painted(canvas), c.expected) << "the line from (10, 10) by (" << c.dx << ", " << c.dy << ")";
  }
  Canvas point(24, 24);
  DrawLine(point.Area(), 10, 10, 10, 10, kGreen);
  EXPECT_TRUE(Painted(point).empty()) << "a line to its own start point draws nothing";
}

TEST(Lines, FarOffTheAreaOnlyTheVisiblePixelsAreVisited) {
  Canvas canvas(20, 10);
  const std::int64_t far = std::numeric_limits<int>::max();
  DrawLine(canvas.Area(), -far, 5, far, 5, kGreen);
  EXPECT_EQ(Painted(canvas).size(), 20u) << "a line across the whole area covers its row";
  Canvas steep(20, 10);
  DrawLine(steep.Area(), 7, -far, 7, far, kGreen);
  EXPECT_EQ(Painted(steep).size(), 10u) << "and one down it its column";
  Canvas beside(20, 10);
  DrawLine(beside.Area(), 25, -5, 40, 30, kGreen);
  EXPECT_TRUE(Painted(beside).empty()) << "a line beside the area draws nothing";
}

TEST(Rectangles, FilledOutlinedAndInvertedWithinTheArea) {
  Canvas canvas(10, 8);
  FillRectangle(canvas.Area(), -3, -3, 5, 5, kGreen);
  EXPECT_EQ(Painted(canvas), (Pixels{{0, 0}, {1, 0}, {0, 1}, {1, 1}})) << "clipped to the area";
  const std::int64_t huge = std::numeric_limits<int>::max();
  FillRectangle(canvas.Area(), 8, 6, huge, huge, {0xFFFFFF, true});
  EXPECT_EQ(canvas.At(9, 7), 0xFFFFFFu) << "a size that would overflow an int still ends at the area's edge";
  FillRectangle(canvas.Area(), 9, 7, 1, 1, {0, true});
  EXPECT_EQ(canvas.At(9, 7), 0u) << "inverting twice gives the pixel back";

  Canvas outline(10, 8);
  OutlineRectangle(outline.Area(), 2, 2, 4, 3, kGreen);
  EXPECT_EQ(Painted(outline),
            (Pixels{{2, 2}, {3, 2}, {4, 2}, {5, 2}, {2, 3}, {5, 3}, {2, 4}, {3, 4}, {4, 4}, {5, 4}}))
      << "the border of x 2 to 5 and y 2 to 4";
  Canvas thin(10, 8);
  OutlineRectangle(thin.Area(), 1, 1, 1, 3, kGreen);
  EXPECT_EQ(Painted(thin), (Pixels{{1, 1}, {1, 2}, {1, 3}}))
      << "one pixel wide, the outline is the rectangle";
}

TEST(TextBlend, CoverageMixesTheColourAndIsClippedOnEverySide) {
  CoverageImage glyphs;
  glyphs.width = 4;
  glyphs.height = 2;
  glyphs.coverage = {255, 128, 0, 255, 0, 255, 64, 255};
  Canvas canvas(6, 3, 0x000000);
  BlendCoverage(canvas.Area(), glyphs, 3, 2, 0xFFFFFF);
  EXPECT_EQ(canvas.At(3, 2), 0xFFFFFFu) << "full coverage takes the colour";
  EXPECT_EQ(canvas.At(4, 2), 0x808080u) << "coverage 128 mixes half and half";
  EXPECT_EQ(canvas.At(5, 2), 0x000000u) << "no coverage leaves the pixel";

  Canvas left(6, 3, 0x000000);
  BlendCoverage(left.Area(), glyphs, -3, 0, 0x0000FF);
  EXPECT_EQ(left.At(0, 0), 0x0000FFu) << "a text starting left of the area shows its later columns";
  EXPECT_EQ(left.At(0, 1), 0x0000FFu);
  EXPECT_EQ(left.At(1, 0), 0u) << "and nothing beyond its end";
  BlendCoverage(left.Area(), glyphs, 100, -100, 0xFFFFFF);
  EXPECT_EQ(Painted(left).size(), 2u) << "a text entirely off the area draws nothing";
}

}  // namespace
