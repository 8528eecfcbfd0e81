// Tests of the quads: corner geometry, and the exact pixels that drawing them leaves in the back buffer.
#include "media/quads.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "media/display.h"
#include "media/draw.h"
#include "media/quad_bands.h"
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

  // Draws quad q once in a pass of its own with the given blend pair.
  static void DrawInPass(int q, int x, int y, int alpha = 255, int source = 5, int destination = 6) {
    ASSERT_EQ(BeginQuads(), 1);
    SetQuadBlend(source, destination);
    DrawQuadAlpha(q, x, y, alpha);
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
unsigned Green(unsigned pixel) {
  return pixel >> 8 & 0xFF;
}
unsigned Blue(unsigned pixel) {
  return pixel & 0xFF;
}

void ExpectColour(unsigned int pixel, int r, int g, int b, int tolerance, const char* what) {
  EXPECT_NEAR(int(Red(pixel)), r, tolerance) << what << " (red)";
  EXPECT_NEAR(int(Green(pixel)), g, tolerance) << what << " (green)";
  EXPECT_NEAR(int(Blue(pixel)), b, tolerance) << what << " (blue)";
}

// A texture whose every texel tells its position: red = column, green = row, blue = 1 (never the key).
std::vector<std::uint32_t> PositionTexture(int width, int height) {
  std::vector<std::uint32_t> texels;
  for (int row = 0; row < height; ++row)
    for (int column = 0; column < width; ++column)
      texels.push_back(std::uint32_t(column << 16 | row << 8 | 1));
  return texels;
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

TEST_F(QuadTest, UnturnedQuadCoversExactlyItsPixelsWithTheRightTexels) {
  MakeQuad(1, 1, 40, 40, PositionTexture(40, 40));
  for (const int smoothing : {0, 1}) {
    FillBackBuffer(0x808080);
    SetQuadSmoothing(smoothing);  // drawn at its own size, filtering changes nothing
    SetQuadSize(1, 40, 40);
    DrawInPass(1, 100, 100);
    const std::vector<unsigned int> screen = Screen();
    for (int y = 98; y < 142; ++y) {
      for (int x = 98; x < 142; ++x) {
        const bool inside = x >= 100 && x < 140 && y >= 100 && y < 140;
        const unsigned expected = inside ? unsigned((x - 100) << 16 | (y - 100) << 8 | 1) : 0x808080u;
        ASSERT_EQ(screen[std::size_t(y) * kWidth + x], expected)
            << "smoothing " << smoothing << ", pixel (" << x << ", " << y
            << "): a 40 x 40 quad at (100, 100) shows texel (x - 100, y - 100) on x and y 100 to 139 only";
      }
    }
  }
}

TEST_F(QuadTest, TurnedQuadLandsWhereItsCornersSayWithoutGapsOrOverlaps) {
  // Quadrants: top-left red, top-right green, bottom-left blue, bottom-right white.
  std::vector<std::uint32_t> texels(16);
  for (int i = 0; i < 16; ++i) {
    const bool right = i % 4 >= 2;
    const bool bottom = i / 4 >= 2;
    texels[std::size_t(i)] = bottom ? (right ? 0xFFFFFFu : 0x0000FFu) : (right ? 0x00FF00u : 0xFF0000u);
  }
  MakeQuad(1, 1, 4, 4, texels);
  FillBackBuffer(0);
  SetQuadSize(1, 40, 40);
  SetQuadAngle(1, 0, 1);
  DrawInPass(1, 200, 200);
  std::vector<unsigned int> screen = Screen();
  const auto at = [&](int x, int y) { return screen[std::size_t(200 + y) * kWidth + std::size_t(200 + x)]; };
  // Corner 0 (the image's top-left) lies at the square's top-right, corner 1 at its bottom-right.
  EXPECT_EQ(at(35, 4), 0xFF0000u) << "near corner 0 at (40, 0): the image's top-left";
  EXPECT_EQ(at(35, 35), 0x00FF00u) << "near corner 1 at (40, 40): the image's top-right";
  EXPECT_EQ(at(4, 4), 0x0000FFu) << "near corner 2 at (0, 0): the image's bottom-left";
  EXPECT_EQ(at(4, 35), 0xFFFFFFu) << "near corner 3 at (0, 40): the image's bottom-right";
  EXPECT_EQ(at(20, -2), 0u) << "nothing above the square";
  EXPECT_EQ(at(42, 20), 0u) << "nothing right of it";

  // One texel value added: a pixel covered by both triangles would show it twice, one covered by
  // neither would stay black.
  MakeQuad(2, 2, 1, 1, {0x010101});
  for (const int angle : {0, 17, 45, 200}) {
    FillBackBuffer(0);
    SetQuadSize(2, 100, 100);
    SetQuadAngle(2, angle, 1);
    DrawInPass(2, 300, 200, 255, 5, 7);
    screen = Screen();
    int covered = 0;
    for (int y = 150; y < 350; ++y) {
      for (int x = 250; x < 450; ++x) {
        const unsigned pixel = screen[std::size_t(y) * kWidth + std::size_t(x)];
        ASSERT_TRUE(pixel == 0 || pixel == 0x010101u)
            << "angle " << angle << ": pixel (" << x << ", " << y << ") covered twice";
        covered += pixel != 0;
        // Well inside the square (its centre is (350, 250)) every pixel is covered.
        const double dx = x + 0.5 - 350.0;
        const double dy = y + 0.5 - 250.0;
        if (dx * dx + dy * dy < 45.0 * 45.0) {
          ASSERT_EQ(pixel, 0x010101u) << "angle " << angle << ": a gap at (" << x << ", " << y << ")";
        }
      }
    }
    EXPECT_NEAR(covered, 10000, 150) << "angle " << angle << ": the square covers its area";
  }
}

TEST_F(QuadTest, AlphaMixesWithTheBackBuffer) {
  MakeQuad(1, 1, 2, 2, std::vector<std::uint32_t>(4, 0xC86400));  // (200, 100, 0)
  FillBackBuffer(0x646464);                                       // (100, 100, 100)
  SetQuadSize(1, 10, 10);
  ASSERT_EQ(BeginQuads(), 1);
  DrawQuadAlpha(1, 0, 0, 0);
  DrawQuadAlpha(1, 20, 0, 128);
  DrawQuadAlpha(1, 40, 0, 256);
  DrawQuad(1, 60, 0);
  EndQuads();
  DrawQuad(1, 80, 0);
  const std::vector<unsigned int> screen = Screen();
  EXPECT_EQ(screen[5 * kWidth + 5], 0x646464u) << "alpha 0 leaves the screen unchanged";
  // 200 x 128 / 255 + 100 x 127 / 255 = 150.2; 100 x 128 / 255 + 100 x 127 / 255 = 100;
  // 0 + 100 x 127 / 255 = 49.8.
  ExpectColour(screen[5 * kWidth + 25], 150, 100, 50, 1, "alpha 128: texel x a / 255 + old x (1 - a / 255)");
  EXPECT_EQ(screen[5 * kWidth + 45], 0x646464u) << "alpha 256 counts as 0";
  EXPECT_EQ(screen[5 * kWidth + 65], 0xC86400u) << "DrawQuad covers with alpha 255";
  EXPECT_EQ(screen[5 * kWidth + 85], 0x646464u) << "nothing is drawn outside a pass";

  // Over pixels that all differ, enlarged to 40 x 8 pixels from 2 x 2 texels, laid over and added.
  for (int x = 0; x < 40; ++x)
    renderContext.backBuffer[std::size_t(100 * kWidth + x)] = 0x030507u * std::uint32_t(x);
  SetQuadSize(1, 40, 8);
  SetQuadSmoothing(1);
  DrawInPass(1, 0, 100, 128);
  DrawInPass(1, 0, 100, 128, 5, 7);
  const std::vector<unsigned int> mixed = Screen();
  for (int x = 0; x < 40; ++x) {
    const unsigned below = 0x030507u * unsigned(x);
    const int blended[3] = {int((200 * 128 + (below >> 16) * 127 + 127) / 255),
                            int((100 * 128 + (below >> 8 & 0xFF) * 127 + 127) / 255),
                            int(((below & 0xFF) * 127 + 127) / 255)};
    // Then (5, 7) adds 200 x 128 / 255 = 100, 100 x 128 / 255 = 50 and 0.
    ExpectColour(mixed[std::size_t(100 * kWidth + x)], std::min(255, blended[0] + 100),
                 std::min(255, blended[1] + 50), blended[2], 1,
                 "each pixel mixed with what lay below it, then added to");
  }
}

TEST_F(QuadTest, BlendPairsUseTheirExactFactors) {
  MakeQuad(1, 1, 1, 1, {0xC83200});  // (200, 50, 0)
  SetQuadSize(1, 10, 10);
  FillBackBuffer(0x646464);  // (100, 100, 100)
  ASSERT_EQ(BeginQuads(), 1);
  SetQuadBlend(5, 7);
  DrawQuad(1, 0, 0);
  DrawQuadAlpha(1, 20, 0, 128);
  SetQuadBlend(0, 1);
  DrawQuadAlpha(1, 40, 0, 128);
  SetQuadBlend(9, 1);  // destination colour, zero: a multiplication
  DrawQuad(1, 60, 0);
  SetQuadBlend(1, 2);  // zero, one: nothing changes
  DrawQuad(1, 80, 0);
  SetQuadBlend(2, 1);  // one, zero: the texel replaces the pixel whatever the alpha
  DrawQuadAlpha(1, 100, 0, 10);
  SetQuadBlend(5, 8);  // the inverse destination alpha is 0: only texel x alpha remains
  DrawQuadAlpha(1, 120, 0, 128);
  SetQuadBlend(5, 7);
  EndQuads();
  ASSERT_EQ(BeginQuads(), 1);
  DrawQuadAlpha(1, 140, 0, 128);
  EndQuads();
  const std::vector<unsigned int> screen = Screen();
  EXPECT_EQ(screen[5 * kWidth + 5], 0xFF9664u) << "(5, 7): old + texel, saturated at 255";
  // 100 + 200 x 128 / 255 = 200.4, 100 + 50 x 128 / 255 = 125.1.
  ExpectColour(screen[5 * kWidth + 25], 200, 125, 100, 1, "(5, 7): old + texel x alpha / 255");
  ExpectColour(screen[5 * kWidth + 45], 150, 75, 50, 1, "(0, 1) blends like (5, 6)");
  // 200 x 100 / 255 = 78.4, 50 x 100 / 255 = 19.6.
  ExpectColour(screen[5 * kWidth + 65], 78, 20, 0, 1, "(9, 1): texel x old / 255");
  EXPECT_EQ(screen[5 * kWidth + 85], 0x646464u) << "(1, 2) leaves the pixel";
  EXPECT_EQ(screen[5 * kWidth + 105], 0xC83200u) << "(2, 1) puts the texel";
  ExpectColour(screen[5 * kWidth + 125], 100, 25, 0, 1, "(5, 8): texel x alpha / 255");
  ExpectColour(screen[5 * kWidth + 145], 150, 75, 50, 1, "BeginQuads returns to (5, 6)");
}

TEST_F(QuadTest, KeyColourTexelsAreNotDrawn) {
  MakeQuad(1, 1, 2, 1, {0x000000, 0x3060F0});
  FillBackBuffer(0x646464);
  SetQuadSize(1, 20, 10);
  for (const int smoothing : {0, 1}) {
    SetQuadSmoothing(smoothing);
    for (const int destination : {6, 7, 1}) {
      DrawInPass(1, 0, 0, 255, destination == 1 ? 2 : 5, destination);
      const std::vector<unsigned int> screen = Screen();
      EXPECT_EQ(screen[5 * kWidth + 3], 0x646464u)
          << "smoothing " << smoothing << ", blend (5, " << destination << "): a black texel is skipped";
    }
  }
  SetQuadSmoothing(0);
  DrawInPass(1, 0, 0);
  EXPECT_EQ(Screen()[5 * kWidth + 15], 0x3060F0u) << "other texels are drawn";
}

// The textbook bilinear sample at (s, t) of a side x side texture: texel centres at whole numbers,
// the edges repeated beyond the image.
double TextbookBilinearAt(const std::vector<std::uint32_t>& texels, int side, double s, double t, int shift) {
  const auto texel = [&](int column, int row) {
    column = std::clamp(column, 0, side - 1);
    row = std::clamp(row, 0, side - 1);
    return double(texels[std::size_t(row * side + column)] >> shift & 0xFF);
  };
  const int i = int(std::floor(s));
  const int j = int(std::floor(t));
  const double fu = s - i;
  const double fv = t - j;
  return (texel(i, j) * (1 - fu) + texel(i + 1, j) * fu) * (1 - fv) +
         (texel(i, j + 1) * (1 - fu) + texel(i + 1, j + 1) * fu) * fv;
}

// The same at pixel (x, y) of the texture magnified to size x size pixels.
double TextbookBilinear(const std::vector<std::uint32_t>& texels, int side, int size, int x, int y,
                        int shift) {
  return TextbookBilinearAt(texels, side, (x + 0.5) * side / size - 0.5, (y + 0.5) * side / size - 0.5,
                            shift);
}

TEST_F(QuadTest, SmoothingFiltersEnlargedImagesOnly) {
  // 3 x 3 texels of different colours (none the key colour) enlarged to 11 x 11 and 61 x 61 pixels:
  // odd sizes (rows are drawn two pixels at a time, and one alone), and no pixel centre falls on a
  // texel's edge, where the nearest texel would be a matter of rounding.
  constexpr int kSide = 3;
  std::vector<std::uint32_t> texels;
  for (std::uint32_t i = 0; i < kSide * kSide; ++i) texels.push_back((i * 0x3B1F07u + 0x102030u) & 0xFFFFFFu);
  MakeQuad(1, 1, kSide, kSide, texels);
  for (const int size : {11, 61}) {
    SetQuadSize(1, size, size);
    for (const int smoothing : {1, 0}) {
      FillBackBuffer(0);
      SetQuadSmoothing(smoothing);
      DrawInPass(1, 0, 0);
      const std::vector<unsigned int> screen = Screen();
      for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
          const unsigned pixel = screen[std::size_t(y) * kWidth + std::size_t(x)];
          if (smoothing == 0) {
            // The pixel centre (x + 0.5) x 3 / size texels across lies in the texel below it.
            const int column = (2 * x + 1) * kSide / (2 * size);
            const int row = (2 * y + 1) * kSide / (2 * size);
            ASSERT_EQ(pixel, texels[std::size_t(row * kSide + column)])
                << size << " pixels, unfiltered: pixel (" << x << ", " << y << ") shows its nearest texel";
            continue;
          }
          // Weights are counted in 1/256 and each mix rounds down: within 3 of the exact value.
          for (const int shift : {16, 8, 0}) {
            ASSERT_NEAR(double(pixel >> shift & 0xFF), TextbookBilinear(texels, kSide, size, x, y, shift),
                        3.0)
                << size << " pixels: pixel (" << x << ", " << y << "), bits from " << shift
                << ": bilinear magnification";
          }
        }
      }
    }
  }

  // Drawn smaller than the image, each pixel shows one texel, smoothing or not. 15 x 7 texels (every
  // third the key colour) drawn 7 x 3: pixel x samples at (x + 0.5) x 15 / 7, never on a texel's edge.
  std::vector<std::uint32_t> shrunk = PositionTexture(15, 7);
  for (std::size_t i = 0; i < shrunk.size(); i += 3) shrunk[i] = 0;
  MakeQuad(2, 2, 15, 7, shrunk);
  SetQuadSmoothing(1);
  SetQuadSize(2, 7, 3);
  for (const int destination : {6, 7}) {
    FillBackBuffer(0x808080);
    DrawInPass(2, 0, 20, 255, 5, destination);
    const std::vector<unsigned int> screen = Screen();
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 7; ++x) {
        const std::uint32_t texel = shrunk[std::size_t((2 * y + 1) * 7 / 6 * 15 + (2 * x + 1) * 15 / 14)];
        const std::uint32_t added = std::min(0x80u + (texel >> 16), 0xFFu) << 16 |
                                    std::min(0x80u + (texel >> 8 & 0xFF), 0xFFu) << 8 |
                                    (0x80u + (texel & 0xFF));
        const std::uint32_t expected = destination == 7 ? added : texel == 0 ? 0x808080u : texel;
        EXPECT_EQ(screen[std::size_t(20 + y) * kWidth + std::size_t(x)], expected)
            << "blend (5, " << destination << "), pixel (" << x << ", " << y
            << "): a shrunk image is not filtered, its key texels not drawn";
      }
    }
  }
}

// Where the triangle of quad q (drawn at drawX, drawY) that holds the centre of pixel (x, y) maps
// it in a width x height texture; false outside both triangles and within about a pixel of their
// edges.
bool TextureAt(int q, int drawX, int drawY, int width, int height, int x, int y, double& u, double& v) {
  struct Point {
    double x, y, u, v;
  };
  Point corner[4];
  const double us[4] = {0, double(width), 0, double(width)};
  const double vs[4] = {0, 0, double(height), double(height)};
  for (int k = 0; k < 4; ++k)
    corner[k] = {QuadCornerX(q, k) + drawX, QuadCornerY(q, k) + drawY, us[k], vs[k]};
  const double px = x + 0.5;
  const double py = y + 0.5;
  for (const auto& triangle : {std::array<int, 3>{0, 1, 2}, std::array<int, 3>{1, 2, 3}}) {
    const Point& a = corner[triangle[0]];
    const Point& b = corner[triangle[1]];
    const Point& c = corner[triangle[2]];
    const double area = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
    const double wb = ((px - a.x) * (c.y - a.y) - (c.x - a.x) * (py - a.y)) / area;
    const double wc = ((b.x - a.x) * (py - a.y) - (px - a.x) * (b.y - a.y)) / area;
    const double wa = 1 - wb - wc;
    const double margin = 1.5 / std::sqrt(std::fabs(area));
    if (wa > margin && wb > margin && wc > margin) {
      u = wa * a.u + wb * b.u + wc * c.u;
      v = wa * a.v + wb * b.v + wc * c.v;
      return true;
    }
  }
  return false;
}

TEST_F(QuadTest, TurnedQuadShowsTheTexelsItsTrianglesMapEachPixelTo) {
  std::vector<std::uint32_t> texels;
  for (std::uint32_t i = 0; i < 16; ++i) texels.push_back((i * 0x2F4B13u + 0x203040u) & 0xFFFFFFu);
  MakeQuad(1, 1, 4, 4, texels);
  for (const int smoothing : {0, 1}) {
    SetQuadSmoothing(smoothing);
    SetQuadSize(1, 101, 101);
    SetQuadAngle(1, 30, 1);
    FillBackBuffer(0x404040);
    DrawInPass(1, 100, 100, 128, 5, 7);
    const std::vector<unsigned int> screen = Screen();
    int checked = 0;
    for (int y = 90; y < 220; ++y) {
      for (int x = 90; x < 220; ++x) {
        double u = 0;
        double v = 0;
        if (!TextureAt(1, 100, 100, 4, 4, x, y, u, v)) continue;
        // Right at a texel's edge the nearest texel is a matter of rounding.
        if (smoothing == 0 && (std::fabs(u - std::round(u)) < 0.01 || std::fabs(v - std::round(v)) < 0.01)) {
          continue;
        }
        const unsigned pixel = screen[std::size_t(y) * kWidth + std::size_t(x)];
        for (const int shift : {16, 8, 0}) {
          const double texel = smoothing == 1
                                   ? TextbookBilinearAt(texels, 4, u - 0.5, v - 0.5, shift)
                                   : double(texels[std::size_t(int(v) * 4 + int(u))] >> shift & 0xFF);
          ASSERT_NEAR(double(pixel >> shift & 0xFF), std::min(255.0, 64 + texel * 128 / 255), 3.0)
              << "smoothing " << smoothing << ", pixel (" << x << ", " << y << ") at texture position (" << u
              << ", " << v << "): (5, 7) adds the sample x 128 / 255";
        }
        ++checked;
      }
    }
    EXPECT_GT(checked, 8000) << "smoothing " << smoothing << ": most of the 101 x 101 square was checked";
  }
}

TEST_F(QuadTest, FilteredEdgesOfKeyTexelsFadeOut) {
  // A white texel beside a key texel, enlarged 8 times: between them the coverage falls from 1 to 0.
  MakeQuad(1, 1, 2, 1, {0xFFFFFF, 0x000000});
  SetQuadSmoothing(1);
  SetQuadSize(1, 16, 8);
  FillBackBuffer(0x000000);
  DrawInPass(1, 0, 0);
  const std::vector<unsigned int> screen = Screen();
  EXPECT_EQ(screen[2 * kWidth + 2], 0xFFFFFFu) << "well inside the white texel";
  EXPECT_EQ(screen[2 * kWidth + 14], 0x000000u) << "well inside the key texel nothing is drawn";
  const unsigned middle = Red(screen[2 * kWidth + 8]);
  EXPECT_GT(middle, 80u) << "half way the white covers part of the pixel";
  EXPECT_LT(middle, 180u) << "and only part";
}

TEST_F(QuadTest, QuadsReachingFarBeyondTheScreenDrawOnlyTheirVisiblePart) {
  MakeQuad(1, 1, 2, 2, {0x111111, 0x222222, 0x333333, 0x444444});
  SetQuadSmoothing(1);
  FillBackBuffer(0x010101);
  // A spark right in front of the viewer: a million pixels wide, the screen at its top-left
  // texel's centre.
  SetQuadSize(1, 1000000, 1000000);
  DrawInPass(1, 400 - 250000, 300 - 250000);
  std::vector<unsigned int> screen = Screen();
  EXPECT_TRUE(std::all_of(screen.begin(), screen.end(), [](unsigned p) { return p == 0x111111u; }))
      << "every pixel is covered, each with the top-left texel";

  SetQuadSmoothing(0);
  SetQuadSize(1, 50, 50);
  SetQuadAngle(1, 30, 1);
  FillBackBuffer(0x010101);
  DrawInPass(1, 100000, -100000);
  DrawInPass(1, -2000000000, 2000000000);
  screen = Screen();
  EXPECT_TRUE(std::all_of(screen.begin(), screen.end(), [](unsigned p) { return p == 0x010101u; }))
      << "quads far off the screen draw nothing";
  SetQuadSize(1, 1000000, 1000000);
  SetQuadAngle(1, 33, 1);
  DrawInPass(1, 400 - 250000, 300 - 250000, 255, 5, 7);
  screen = Screen();
  const unsigned first = screen[0];
  EXPECT_NE(first, 0x010101u) << "a huge turned quad covers the screen";
  EXPECT_TRUE(std::all_of(screen.begin(), screen.end(), [first](unsigned p) { return p == first; }))
      << "with one texel, whose borders lie far off the screen";
}

TEST_F(QuadTest, DrawingOnTheSpriteChangesItsQuad) {
  MakeQuad(1, 1, 4, 4, std::vector<std::uint32_t>(16, 0x112233));
  SetQuadSize(1, 40, 40);
  DrawInPass(1, 0, 0);
  EXPECT_EQ(Screen()[20 * kWidth + 20], 0x112233u);
  ASSERT_EQ(BeginDraw(SpriteTarget(1)), 1);
  FillRect(0, 0, 4, 4, 0x665544);  // 0x00BBGGRR
  EndDraw();
  DrawInPass(1, 0, 0);
  EXPECT_EQ(Screen()[20 * kWidth + 20], 0x445566u) << "the quad shows its sprite's pixels as they are now";
}

TEST_F(QuadTest, TwoBandsOnTwoThreadsDrawTheSamePixelsAsOne) {
  std::vector<std::uint32_t> texels;
  for (std::uint32_t i = 0; i < 64; ++i)
    texels.push_back(i % 5 == 0 ? 0 : (i * 0x2F4B13u + 0x203040u) & 0xFFFFFFu);
  MakeQuad(1, 1, 8, 8, texels);
  const auto drawScene = [] {
    FillBackBuffer(0x302010);
    ASSERT_EQ(BeginQuads(), 1);
    for (int k = 0; k < 6; ++k) {
      SetQuadSmoothing(k % 2);
      SetQuadBlend(5, k < 3 ? 6 : 7);
      SetQuadSize(1, 150 + 97 * k, 150 + 97 * k);
      if (k % 3 != 0) SetQuadAngle(1, 40 * k + 7, 1);
      DrawQuadAlpha(1, 60 * k - 100, 37 * k - 80, 90 + 30 * k);
    }
    EndQuads();
  };
  const long threshold = SetBandThreshold(std::numeric_limits<long>::max());
  drawScene();
  const std::vector<unsigned int> alone = Screen();
  SetBandThreshold(0);
  drawScene();
  const std::vector<unsigned int> split = Screen();
  SetBandThreshold(threshold);
  EXPECT_TRUE(alone == split) << "the lower half of each quad drawn by the second thread changes no pixel";
  EXPECT_NE(alone[300 * kWidth + 400], 0x302010u) << "the scene covers the middle of the screen";
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
