// Tests of the quads: their slots, corner geometry and passes. The pixels of a drawn quad are the
// pixel engine's and are tested there.
#include "media/quads.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "media/draw.h"
#include "media/sprites.h"
#include "platform/display.h"
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
    std::copy(pixels.begin(), pixels.end(), SpriteArea(n).pixels);
    ASSERT_EQ(CreateQuad(q, n), 1);
  }

  static Corner At(int q, int k) { return {QuadCornerX(q, k), QuadCornerY(q, k)}; }

  // Draws quad q once in a pass of its own.
  static void DrawInPass(int q, int x, int y) {
    ASSERT_EQ(BeginQuads(), 1);
    DrawQuad(q, x, y);
    EndQuads();
  }
};

void ExpectNear(Corner c, float x, float y, float tolerance, const char* what) {
  EXPECT_NEAR(c.x, x, tolerance) << what;
  EXPECT_NEAR(c.y, y, tolerance) << what;
}

unsigned Red(unsigned pixel) {
  return pixel >> 16 & 0xFF;
}

void ExpectColour(unsigned int pixel, int r, int g, int b, int tolerance, const char* what) {
  EXPECT_NEAR(int(Red(pixel)), r, tolerance) << what << " (red)";
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

TEST_F(QuadTest, AngleTurnsASquareAboutItsCentreInStepsOf1575) {
  MakeQuad(1, 1, 4, 4, std::vector<std::uint32_t>(16, 0x808080));
  // (20, -20) from the centre (20, 20) turned by 0, 1.575, 3.15 and 4.725 radians:
  // cos 1.575 = -0.0042, sin 1.575 = 0.99999 puts corner 1 at (39.916, 40.084), and so on.
  SetQuadSize(1, 40, 40);
  SetQuadAngle(1, 0, 1);
  ExpectNear(At(1, 0), 40, 0, 0.001f, "angle 0: corner 0 at (40, 0), the image turned a quarter");
  ExpectNear(At(1, 1), 39.9157f, 40.0839f, 0.002f, "corner 1 at 1.575 radians");
  ExpectNear(At(1, 3), -0.1674f, 39.8311f, 0.002f, "corner 3 at 3.15 radians");
  ExpectNear(At(1, 2), 0.2538f, -0.2506f, 0.002f, "corner 2 at 4.725 radians");

  SetQuadSize(1, 40, 40);
  SetQuadAngle(1, 90, 1);  // 0.0175 x 90 = 1.575 radians
  ExpectNear(At(1, 0), 39.9157f, 40.0839f, 0.002f, "angle 90: a further quarter turn clockwise");
  ExpectNear(At(1, 1), -0.1674f, 39.8311f, 0.002f, "corner 1");
  ExpectNear(At(1, 3), 0.2538f, -0.2506f, 0.002f, "corner 3");
  ExpectNear(At(1, 2), 40.3335f, 0.3391f, 0.002f, "corner 2 at 6.3 radians");

  SetQuadSize(1, 41, 41);
  SetQuadAngle(1, 0, 1);
  ExpectNear(At(1, 0), 40, 0, 0.001f, "size 41 turns about (20, 20): the square spans 0 to 40");
}

TEST_F(QuadTest, PassesDrawIntoTheBackBufferWithTheirBlendAndAlpha) {
  MakeQuad(1, 1, 2, 2, std::vector<std::uint32_t>(4, 0xC86400));  // (200, 100, 0)
  FillBackBuffer(0x646464);                                       // (100, 100, 100)
  SetQuadSize(1, 10, 10);
  DrawQuad(1, 0, 0);
  ASSERT_EQ(BeginQuads(), 1);
  DrawQuadAlpha(1, 20, 0, 128);
  DrawQuadAlpha(1, 40, 0, 256);
  SetQuadBlend(kBlendSourceAlpha, kBlendDestinationAlpha);
  DrawQuad(1, 60, 0);
  SetQuadBlend(kBlendNone, kBlendZero);
  DrawQuadAlpha(1, 80, 0, 128);
  SetQuadBlend(kBlendOne, kBlendZero);
  EndQuads();
  DrawQuad(1, 100, 0);
  ASSERT_EQ(BeginQuads(), 1);
  DrawQuadAlpha(1, 120, 0, 128);
  EndQuads();
  const std::vector<unsigned int> screen = Screen();
  EXPECT_EQ(screen[5 * kWidth + 5], 0x646464u) << "nothing is drawn before a pass";
  ExpectColour(screen[5 * kWidth + 25], 150, 100, 50, 1, "alpha 128 mixes half and half");
  EXPECT_EQ(screen[5 * kWidth + 45], 0x646464u) << "only the low 8 bits of alpha count: 256 is 0";
  EXPECT_EQ(screen[5 * kWidth + 65], 0xFFC864u) << "(source alpha, destination alpha) adds";
  ExpectColour(screen[5 * kWidth + 85], 150, 100, 50, 1, "(none, zero) draws as the default pair");
  EXPECT_EQ(screen[5 * kWidth + 105], 0x646464u) << "nothing is drawn after the pass";
  ExpectColour(screen[5 * kWidth + 125], 150, 100, 50, 1, "each pass starts with the default pair");

  // The smoothing flag reaches the drawing: a black and a white texel enlarged 20 times.
  MakeQuad(2, 2, 2, 1, {0xFFFFFF, 0x010101});
  SetQuadSize(2, 40, 4);
  for (const int smoothing : {0, 1}) {
    SetQuadSmoothing(smoothing);
    ASSERT_EQ(BeginQuads(), 1);
    DrawQuad(2, 0, 100);
    EndQuads();
    const unsigned middle = Red(Screen()[101 * kWidth + 19]);
    if (smoothing == 1) {
      EXPECT_TRUE(middle > 50 && middle < 200) << "smoothed, the middle mixes the two texels";
    } else {
      EXPECT_EQ(middle, 255u) << "unsmoothed, each pixel shows its nearest texel";
    }
  }
}

TEST_F(QuadTest, DrawingOnTheSpriteChangesItsQuad) {
  MakeQuad(1, 1, 4, 4, std::vector<std::uint32_t>(16, 0x112233));
  SetQuadSize(1, 40, 40);
  DrawInPass(1, 0, 0);
  EXPECT_EQ(Screen()[20 * kWidth + 20], 0x112233u);
  ASSERT_EQ(BeginDraw(SpriteTarget(1)), 1);
  FillRect(0, 0, 4, 4, 0x445566);
  EndDraw();
  DrawInPass(1, 0, 0);
  EXPECT_EQ(Screen()[20 * kWidth + 20], 0x445566u) << "the quad shows its sprite's pixels as they are now";
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
