// Tests of the quads: corner geometry, and what drawing them does to the back buffer's pixels.
#include "media/quads.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "media/display.h"
#include "media/render_context.h"
#include "media/sprite_table.h"
#include "media/sprites.h"
#include "tests/media/screen_helpers.h"

namespace {

struct Corner {
  float x, y;
};

class QuadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(OpenTestDisplay());
    ASSERT_EQ(InitQuads(), 1);
    SetQuadSmoothing(0);
  }
  void TearDown() override { ShutdownMultimedia(); }

  // Quad q made from a new texture-mode sprite n of the given top-down pixels.
  static void MakeQuad(int q, int n, int width, int height, const std::vector<std::uint32_t>& pixels) {
    ASSERT_NE(NewSprite(n, width, height, kSpriteTexture), 0);
    SpriteSlot(n)->pixels = pixels;
    ASSERT_EQ(CreateQuad(q, n), 1);
  }

  static Corner At(int q, int k) { return {QuadCornerX(q, k), QuadCornerY(q, k)}; }
};

void ExpectNear(Corner c, float x, float y, float tolerance, const char* what) {
  EXPECT_NEAR(c.x, x, tolerance) << what;
  EXPECT_NEAR(c.y, y, tolerance) << what;
}

void ExpectColour(unsigned int pixel, int r, int g, int b, int tolerance, const char* what) {
  EXPECT_NEAR(int(pixel >> 16 & 0xFF), r, tolerance) << what << " (red)";
  EXPECT_NEAR(int(pixel >> 8 & 0xFF), g, tolerance) << what << " (green)";
  EXPECT_NEAR(int(pixel & 0xFF), b, tolerance) << what << " (blue)";
}

TEST_F(QuadTest, CreatedOnePixelLargerThanTheSprite) {
  MakeQuad(3, 1, 256, 256, std::vector<std::uint32_t>(256 * 256, 0x123456));
  ExpectNear(At(3, 0), 0, 0, 0, "corner 0 at (0, 0)");
  ExpectNear(At(3, 1), 257, 0, 0, "corner 1 at (257, 0)");
  ExpectNear(At(3, 2), 0, 257, 0, "corner 2 at (0, 257)");
  ExpectNear(At(3, 3), 257, 257, 0, "corner 3 at (257, 257)");
  // Mode 0 turns about the middle of the base size 257: centre 128.
  SetQuadSize(3, 10, 10);
  SetQuadAngle(3, 0, 0);
  ExpectNear(At(3, 0), 256, 0, 0.001f, "mode 0 takes the centre from the base size");

  ASSERT_NE(NewSprite(2, 4, 4, kSpritePlain), 0);
  EXPECT_EQ(CreateQuad(3, 2), 0) << "only texture-mode sprites make quads";
  ExpectNear(At(3, 3), 0, 0, 0, "a failed creation leaves the quad empty");
  EXPECT_EQ(CreateQuad(70, 1), 1) << "the table grows to the quad number + 50";
  EXPECT_EQ(CreateQuad(5, 49), 0) << "an empty sprite makes no quad";
}

TEST_F(QuadTest, AngleTurnsASquareAboutItsCentre) {
  MakeQuad(1, 1, 4, 4, std::vector<std::uint32_t>(16, 0x808080));
  SetQuadSize(1, 40, 40);
  SetQuadAngle(1, 0, 1);
  ExpectNear(At(1, 0), 40, 0, 0.001f, "angle 0: corner 0 at (40, 0), the image turned a quarter");
  // The 1.575 step moves each further corner by about 0.25 pixels more.
  ExpectNear(At(1, 1), 40, 40, 0.2f, "corner 1 about (40, 40)");
  ExpectNear(At(1, 3), 0, 40, 0.4f, "corner 3 about (0, 40)");
  ExpectNear(At(1, 2), 0, 0, 0.6f, "corner 2 about (0, 0)");
  EXPECT_NE(QuadCornerX(1, 1), 40.0f) << "the step is 1.575, not pi / 2";

  SetQuadSize(1, 40, 40);
  SetQuadAngle(1, 90, 1);  // 1.575 radians
  ExpectNear(At(1, 0), 40, 40, 0.2f, "angle 90: a further quarter turn clockwise");
  ExpectNear(At(1, 1), 0, 40, 0.4f, "corner 1");
  ExpectNear(At(1, 3), 0, 0, 0.6f, "corner 3");
  ExpectNear(At(1, 2), 40, 0, 0.8f, "corner 2");

  SetQuadSize(1, 41, 41);
  SetQuadAngle(1, 0, 1);
  ExpectNear(At(1, 0), 40, 0, 0.001f, "size 41 turns about (20, 20): the square spans 0 to 40");
}

TEST_F(QuadTest, AlphaMixesWithTheBackBuffer) {
  MakeQuad(1, 1, 2, 2, std::vector<std::uint32_t>(4, 0xC86400));  // (200, 100, 0)
  FillBackBuffer(100, 100, 100);
  SetQuadSize(1, 10, 10);
  ASSERT_EQ(BeginQuads(), 1);
  DrawQuadAlpha(1, 0, 0, 0);
  DrawQuadAlpha(1, 20, 0, 128);
  DrawQuadAlpha(1, 40, 0, 256);
  DrawQuad(1, 60, 0);
  EndQuads();
  DrawQuad(1, 80, 0);
  const std::vector<unsigned int> screen = Screen();
  ExpectColour(screen[5 * kWidth + 5], 100, 100, 100, 0, "alpha 0 leaves the screen unchanged");
  ExpectColour(screen[5 * kWidth + 25], 150, 100, 50, 2, "alpha 128 mixes half and half");
  ExpectColour(screen[5 * kWidth + 45], 100, 100, 100, 0, "alpha 256 counts as 0");
  ExpectColour(screen[5 * kWidth + 65], 200, 100, 0, 0, "DrawQuad covers with alpha 255");
  ExpectColour(screen[5 * kWidth + 85], 100, 100, 100, 0, "nothing is drawn outside a pass");
  ExpectColour(screen[5 * kWidth + 69], 200, 100, 0, 0, "the quad covers its size");
  ExpectColour(screen[5 * kWidth + 70], 100, 100, 100, 0, "and not more");
}

TEST_F(QuadTest, AdditiveBlendingAddsAndSaturates) {
  MakeQuad(1, 1, 1, 1, {0xC83200});  // (200, 50, 0)
  FillBackBuffer(100, 100, 100);
  SetQuadSize(1, 10, 10);
  ASSERT_EQ(BeginQuads(), 1);
  SetQuadBlend(5, 7);
  DrawQuad(1, 0, 0);
  DrawQuadAlpha(1, 20, 0, 128);
  SetQuadBlend(0, 1);
  DrawQuad(1, 40, 0);
  SetQuadBlend(5, 7);
  EndQuads();
  ASSERT_EQ(BeginQuads(), 1);
  DrawQuad(1, 60, 0);
  EndQuads();
  const std::vector<unsigned int> screen = Screen();
  ExpectColour(screen[5 * kWidth + 5], 255, 150, 100, 0, "(5, 7) adds the texel, saturated at 255");
  ExpectColour(screen[5 * kWidth + 25], 200, 125, 100, 2, "(5, 7) adds texel x alpha / 255");
  ExpectColour(screen[5 * kWidth + 45], 200, 50, 0, 0, "(0, 1) covers what lies below");
  ExpectColour(screen[5 * kWidth + 65], 200, 50, 0, 0, "BeginQuads returns to alpha blending");
}

TEST_F(QuadTest, KeyColourTexelsAreNotDrawn) {
  MakeQuad(1, 1, 2, 1, {0x000000, 0x3060F0});
  FillBackBuffer(100, 100, 100);
  SetQuadSize(1, 20, 10);
  ASSERT_EQ(BeginQuads(), 1);
  DrawQuad(1, 0, 0);
  SetQuadBlend(5, 7);
  DrawQuad(1, 0, 20);
  EndQuads();
  const std::vector<unsigned int> screen = Screen();
  ExpectColour(screen[5 * kWidth + 3], 100, 100, 100, 0, "a black texel leaves the screen as it was");
  ExpectColour(screen[5 * kWidth + 15], 0x30, 0x60, 0xF0, 0, "other texels are drawn");
  ExpectColour(screen[25 * kWidth + 3], 100, 100, 100, 0, "also when adding");
}

TEST_F(QuadTest, SmoothingFiltersMagnifiedTexels) {
  MakeQuad(1, 1, 2, 1, {0xFF0000, 0x0000FF});
  SetQuadSize(1, 200, 10);
  ASSERT_EQ(BeginQuads(), 1);
  SetQuadSmoothing(0);
  DrawQuad(1, 0, 0);
  SetQuadSmoothing(1);  // within the same pass: each draw keeps its own filter
  DrawQuad(1, 0, 20);
  EndQuads();
  const std::vector<unsigned int> screen = Screen();
  auto mixedPixels = [&](int y) {
    int mixed = 0;
    for (int x = 0; x < 200; ++x) {
      const unsigned int p = screen[y * kWidth + x];
      if (p != 0xFF0000 && p != 0x0000FF) ++mixed;
    }
    return mixed;
  };
  EXPECT_EQ(mixedPixels(5), 0) << "without smoothing every pixel is one of the two texels";
  EXPECT_GT(mixedPixels(25), 50) << "with smoothing the magnified texels blend into each other";
}

TEST_F(QuadTest, ClearQuadsAndNoDisplay) {
  MakeQuad(1, 1, 1, 1, {0xFFFFFF});
  ClearQuads();
  ExpectNear(At(1, 3), 0, 0, 0, "ClearQuads empties every slot");
  ASSERT_EQ(CreateQuad(1, 1), 1);
  ShutdownMultimedia();
  EXPECT_EQ(BeginQuads(), 0) << "no pass without a back buffer";
  DrawQuad(1, 0, 0);  // the sprite is gone with the display; nothing happens
}

}  // namespace
