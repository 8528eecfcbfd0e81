// Tests of the quad rasteriser: coverage, texture mapping, filters, the blend pairs and the two
// drawing threads, drawn into plain canvases.
#include "raster/quad_raster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "raster/quad_bands.h"
#include "tests/raster/raster_helpers.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

void ExpectColour(std::uint32_t pixel, int r, int g, int b, int tolerance, const char* what) {
  EXPECT_NEAR(int(pixel >> 16 & 0xFF), r, tolerance) << what << " (red)";
  EXPECT_NEAR(int(pixel >> 8 & 0xFF), g, tolerance) << what << " (green)";
  EXPECT_NEAR(int(pixel & 0xFF), b, tolerance) << what << " (blue)";
}

QuadPaint With(QuadPaint quad, int alpha, int source = kBlendSourceAlpha,
               int destination = kBlendInverseSourceAlpha, bool smoothing = false) {
  quad.alpha = alpha;
  quad.sourceFactor = source;
  quad.destinationFactor = destination;
  quad.smoothing = smoothing;
  return quad;
}

TEST(QuadRaster, UnturnedQuadCoversExactlyItsPixelsWithTheRightTexels) {
  const Texture texture = PositionTexture(40, 40);
  for (const bool smoothing : {false, true}) {
    Canvas canvas(200, 200, 0x808080);
    // Drawn at its own size, filtering changes nothing.
    Draw(canvas, With(RectangleOf(texture, 100, 100, 40, 40), 255, kBlendSourceAlpha,
                      kBlendInverseSourceAlpha, smoothing));
    for (int y = 98; y < 142; ++y) {
      for (int x = 98; x < 142; ++x) {
        const bool inside = x >= 100 && x < 140 && y >= 100 && y < 140;
        const unsigned expected = inside ? unsigned((x - 100) << 16 | (y - 100) << 8 | 1) : 0x808080u;
        ASSERT_EQ(canvas.At(x, y), expected)
            << "smoothing " << smoothing << ", pixel (" << x << ", " << y
            << "): a 40 x 40 quad at (100, 100) shows texel (x - 100, y - 100) on x and y 100 to 139 only";
      }
    }
  }
}

TEST(QuadRaster, TurnedQuadLandsWhereItsCornersSayWithoutGapsOrOverlaps) {
  // Quadrants: top-left red, top-right green, bottom-left blue, bottom-right white.
  std::vector<std::uint32_t> texels(16);
  for (int i = 0; i < 16; ++i) {
    const bool right = i % 4 >= 2;
    const bool bottom = i / 4 >= 2;
    texels[std::size_t(i)] = bottom ? (right ? 0xFFFFFFu : 0x0000FFu) : (right ? 0x00FF00u : 0xFF0000u);
  }
  Canvas canvas(300, 300);
  Draw(canvas, TurnedSquareOf(Texture(4, 4, texels), 150, 150, 40, kPi / 2));
  // A quarter turn clockwise: the image's top-left lies at the square's top-right.
  EXPECT_EQ(canvas.At(165, 134), 0xFF0000u) << "near (170, 130): the image's top-left";
  EXPECT_EQ(canvas.At(165, 165), 0x00FF00u) << "near (170, 170): the image's top-right";
  EXPECT_EQ(canvas.At(134, 134), 0x0000FFu) << "near (130, 130): the image's bottom-left";
  EXPECT_EQ(canvas.At(134, 165), 0xFFFFFFu) << "near (130, 170): the image's bottom-right";
  EXPECT_EQ(canvas.At(150, 128), 0u) << "nothing above the square";
  EXPECT_EQ(canvas.At(172, 150), 0u) << "nothing right of it";

  // One texel value added: a pixel covered by both triangles would show it twice, one covered by
  // neither would stay black.
  const Texture one(1, 1, {0x010101});
  for (const double degrees : {0.0, 17.0, 45.0, 200.0}) {
    Canvas square(300, 300);
    Draw(square, With(TurnedSquareOf(one, 150, 150, 100, degrees * kPi / 180), 255, kBlendSourceAlpha,
                      kBlendDestinationAlpha));
    int covered = 0;
    for (int y = 0; y < 300; ++y) {
      for (int x = 0; x < 300; ++x) {
        const std::uint32_t pixel = square.At(x, y);
        ASSERT_TRUE(pixel == 0 || pixel == 0x010101u)
            << degrees << " degrees: pixel (" << x << ", " << y << ") covered twice";
        covered += pixel != 0;
        const double dx = x + 0.5 - 150.0;
        const double dy = y + 0.5 - 150.0;
        if (dx * dx + dy * dy < 45.0 * 45.0) {
          ASSERT_EQ(pixel, 0x010101u) << degrees << " degrees: a gap at (" << x << ", " << y << ")";
        }
      }
    }
    EXPECT_NEAR(covered, 10000, 150) << degrees << " degrees: the square covers its area";
  }
}

TEST(QuadRaster, AlphaMixesWithEachPixelBelow) {
  const Texture texture(2, 2, std::vector<std::uint32_t>(4, 0xC86400));  // (200, 100, 0)
  Canvas canvas(100, 20, 0x646464);                                      // (100, 100, 100)
  Draw(canvas, With(RectangleOf(texture, 0, 0, 10, 10), 0));
  Draw(canvas, With(RectangleOf(texture, 20, 0, 10, 10), 128));
  Draw(canvas, With(RectangleOf(texture, 40, 0, 10, 10), 256));
  Draw(canvas, RectangleOf(texture, 60, 0, 10, 10));
  EXPECT_EQ(canvas.At(5, 5), 0x646464u) << "alpha 0 leaves the pixels";
  // 200 x 128 / 255 + 100 x 127 / 255 = 150.2; 100 x 128 / 255 + 100 x 127 / 255 = 100;
  // 0 + 100 x 127 / 255 = 49.8.
  ExpectColour(canvas.At(25, 5), 150, 100, 50, 1, "alpha 128: texel x a / 255 + old x (1 - a / 255)");
  EXPECT_EQ(canvas.At(45, 5), 0x646464u) << "only the low 8 bits of alpha count: 256 is 0";
  EXPECT_EQ(canvas.At(65, 5), 0xC86400u) << "alpha 255 covers";

  // Over pixels that all differ, enlarged to 40 x 8 pixels from 2 x 2 texels, laid over and added.
  Canvas row(40, 8);
  for (int x = 0; x < 40; ++x) row.At(x, 0) = 0x030507u * std::uint32_t(x);
  Draw(row, With(RectangleOf(texture, 0, 0, 40, 8), 128, kBlendSourceAlpha, kBlendInverseSourceAlpha, true));
  Draw(row, With(RectangleOf(texture, 0, 0, 40, 8), 128, kBlendSourceAlpha, kBlendDestinationAlpha, true));
  for (int x = 0; x < 40; ++x) {
    const unsigned below = 0x030507u * unsigned(x);
    const int blended[3] = {int((200 * 128 + (below >> 16) * 127 + 127) / 255),
                            int((100 * 128 + (below >> 8 & 0xFF) * 127 + 127) / 255),
                            int(((below & 0xFF) * 127 + 127) / 255)};
    // Then the added light: 200 x 128 / 255 = 100, 100 x 128 / 255 = 50 and 0.
    ExpectColour(row.At(x, 0), std::min(255, blended[0] + 100), std::min(255, blended[1] + 50), blended[2], 1,
                 "each pixel mixed with what lay below it, then added to");
  }
}

TEST(QuadRaster, BlendPairsUseTheirExactFactors) {
  const Texture texture(1, 1, {0xC83200});  // (200, 50, 0)
  Canvas canvas(200, 10, 0x646464);         // (100, 100, 100)
  const auto at = [&](int x, int alpha, int source, int destination) {
    Draw(canvas, With(RectangleOf(texture, x, 0, 10, 10), alpha, source, destination));
    return canvas.At(x + 5, 5);
  };
  EXPECT_EQ(at(0, 255, kBlendSourceAlpha, kBlendDestinationAlpha), 0xFF9664u) << "added, saturated at 255";
  // 100 + 200 x 128 / 255 = 200.4, 100 + 50 x 128 / 255 = 125.1.
  ExpectColour(at(20, 128, kBlendSourceAlpha, kBlendDestinationAlpha), 200, 125, 100, 1,
               "added: old + texel x alpha / 255");
  ExpectColour(at(40, 128, kBlendNone, kBlendZero), 150, 75, 50, 1, "(none, zero) blends by alpha");
  ExpectColour(at(60, 255, kBlendDestinationColour, kBlendZero), 78, 20, 0, 1,
               "(destination colour, zero): texel x old / 255");
  EXPECT_EQ(at(80, 255, kBlendZero, kBlendOne), 0x646464u) << "(zero, one) leaves the pixel";
  EXPECT_EQ(at(100, 10, kBlendOne, kBlendZero), 0xC83200u) << "(one, zero) puts the texel whatever the alpha";
  ExpectColour(at(120, 128, kBlendSourceAlpha, kBlendInverseDestinationAlpha), 100, 25, 0, 1,
               "(source alpha, inverse destination alpha): only texel x alpha / 255 remains");
  // 200 x 55 / 255 + 100 x 200 / 255 = 121.5, 50 x 205 / 255 + 100 x 50 / 255 = 59.8.
  ExpectColour(at(140, 255, kBlendInverseSourceColour, kBlendSourceColour), 121, 60, 0, 1,
               "(inverse source colour, source colour): texel x (1 - texel) + old x texel");
}

TEST(QuadRaster, KeyColourTexelsAreNotDrawn) {
  const Texture texture(2, 1, {0x000000, 0x3060F0});
  for (const bool smoothing : {false, true}) {
    for (const int destination : {kBlendInverseSourceAlpha, kBlendDestinationAlpha, kBlendZero}) {
      Canvas canvas(20, 10, 0x646464);
      const int source = destination == kBlendZero ? kBlendOne : kBlendSourceAlpha;
      Draw(canvas, With(RectangleOf(texture, 0, 0, 20, 10), 255, source, destination, smoothing));
      EXPECT_EQ(canvas.At(3, 5), 0x646464u) << "smoothing " << smoothing << ", pair (" << source << ", "
                                            << destination << "): a black texel is skipped";
    }
  }
  Canvas canvas(20, 10, 0x646464);
  Draw(canvas, RectangleOf(texture, 0, 0, 20, 10));
  EXPECT_EQ(canvas.At(15, 5), 0x3060F0u) << "other texels are drawn";
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

TEST(QuadRaster, SmoothingFiltersEnlargedImagesOnly) {
  // 3 x 3 texels of different colours (none the key colour) enlarged to 11 x 11 and 61 x 61 pixels:
  // odd sizes (rows are drawn two pixels at a time, and one alone), and no pixel centre falls on a
  // texel's edge, where the nearest texel would be a matter of rounding.
  constexpr int kSide = 3;
  std::vector<std::uint32_t> texels;
  for (std::uint32_t i = 0; i < kSide * kSide; ++i) texels.push_back((i * 0x3B1F07u + 0x102030u) & 0xFFFFFFu);
  const Texture texture(kSide, kSide, texels);
  for (const int size : {11, 61}) {
    for (const bool smoothing : {true, false}) {
      Canvas canvas(size, size);
      Draw(canvas, With(RectangleOf(texture, 0, 0, size, size), 255, kBlendSourceAlpha,
                        kBlendInverseSourceAlpha, smoothing));
      for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
          const std::uint32_t pixel = canvas.At(x, y);
          if (!smoothing) {
            // The pixel centre (x + 0.5) x 3 / size texels across lies in the texel below it.
            const int column = (2 * x + 1) * kSide / (2 * size);
            const int row = (2 * y + 1) * kSide / (2 * size);
            ASSERT_EQ(pixel, texels[std::size_t(row * kSide + column)])
                << size << " pixels, unfiltered: pixel (" << x << ", " << y << ") shows its nearest texel";
            continue;
          }
          // Weights are counted in 1/256 and each mix rounds down: within 3 of the exact value.
          for (const int shift : {16, 8, 0}) {
            const double s = (x + 0.5) * kSide / size - 0.5;
            const double t = (y + 0.5) * kSide / size - 0.5;
            ASSERT_NEAR(double(pixel >> shift & 0xFF), TextbookBilinearAt(texels, kSide, s, t, shift), 3.0)
                << size << " pixels: pixel (" << x << ", " << y << "), bits from " << shift
                << ": bilinear magnification";
          }
        }
      }
    }
  }

  // Drawn smaller than the image, each pixel shows one texel, smoothing or not. 15 x 7 texels (every
  // third the key colour) drawn 7 x 3: pixel x samples at (x + 0.5) x 15 / 7, never on a texel's edge.
  Texture shrunk = PositionTexture(15, 7);
  for (std::size_t i = 0; i < shrunk.texels.size(); i += 3) shrunk.texels[i] = 0;
  shrunk = Texture(15, 7, shrunk.texels);
  for (const int destination : {kBlendInverseSourceAlpha, kBlendDestinationAlpha}) {
    Canvas canvas(7, 3, 0x808080);
    Draw(canvas, With(RectangleOf(shrunk, 0, 0, 7, 3), 255, kBlendSourceAlpha, destination, true));
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 7; ++x) {
        const std::uint32_t texel =
            shrunk.texels[std::size_t((2 * y + 1) * 7 / 6 * 15 + (2 * x + 1) * 15 / 14)];
        const std::uint32_t added = std::min(0x80u + (texel >> 16), 0xFFu) << 16 |
                                    std::min(0x80u + (texel >> 8 & 0xFF), 0xFFu) << 8 |
                                    (0x80u + (texel & 0xFF));
        const std::uint32_t expected = destination == kBlendDestinationAlpha ? added
                                       : texel == 0                          ? 0x808080u
                                                                             : texel;
        EXPECT_EQ(canvas.At(x, y), expected) << "pair (5, " << destination << "), pixel (" << x << ", " << y
                                             << "): a shrunk image is not filtered, its key texels not drawn";
      }
    }
  }
}

// Where the triangle of the quad that holds the centre of pixel (x, y) maps it in a width x height
// texture; false outside both triangles and within about a pixel of their edges.
bool TextureAt(const QuadPaint& quad, int x, int y, double& u, double& v) {
  struct Point {
    double x, y, u, v;
  };
  const double us[4] = {0, double(quad.textureWidth), 0, double(quad.textureWidth)};
  const double vs[4] = {0, 0, double(quad.textureHeight), double(quad.textureHeight)};
  Point corner[4];
  for (int k = 0; k < 4; ++k) corner[k] = {quad.x[k], quad.y[k], us[k], vs[k]};
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

TEST(QuadRaster, TurnedQuadShowsTheTexelsItsTrianglesMapEachPixelTo) {
  std::vector<std::uint32_t> texels;
  for (std::uint32_t i = 0; i < 16; ++i) texels.push_back((i * 0x2F4B13u + 0x203040u) & 0xFFFFFFu);
  const Texture texture(4, 4, texels);
  for (const bool smoothing : {false, true}) {
    const QuadPaint quad = With(TurnedSquareOf(texture, 150, 150, 101, 0.525), 128, kBlendSourceAlpha,
                                kBlendDestinationAlpha, smoothing);
    Canvas canvas(300, 300, 0x404040);
    Draw(canvas, quad);
    int checked = 0;
    for (int y = 70; y < 230; ++y) {
      for (int x = 70; x < 230; ++x) {
        double u = 0;
        double v = 0;
        if (!TextureAt(quad, x, y, u, v)) continue;
        // Right at a texel's edge the nearest texel is a matter of rounding.
        if (!smoothing && (std::fabs(u - std::round(u)) < 0.01 || std::fabs(v - std::round(v)) < 0.01))
          continue;
        const std::uint32_t pixel = canvas.At(x, y);
        for (const int shift : {16, 8, 0}) {
          const double texel = smoothing ? TextbookBilinearAt(texels, 4, u - 0.5, v - 0.5, shift)
                                         : double(texels[std::size_t(int(v) * 4 + int(u))] >> shift & 0xFF);
          ASSERT_NEAR(double(pixel >> shift & 0xFF), std::min(255.0, 64 + texel * 128 / 255), 3.0)
              << "smoothing " << smoothing << ", pixel (" << x << ", " << y << ") at texture position (" << u
              << ", " << v << "): added light is the sample x 128 / 255";
        }
        ++checked;
      }
    }
    EXPECT_GT(checked, 8000) << "smoothing " << smoothing << ": most of the 101 x 101 square was checked";
  }
}

TEST(QuadRaster, FilteredEdgesOfKeyTexelsFadeOutUnderEveryPair) {
  // A white texel beside a key texel, enlarged 64 times: between them the coverage falls from 1 to 0.
  const Texture texture(2, 1, {0xFFFFFF, 0x000000});
  Canvas canvas(128, 4);
  Draw(canvas,
       With(RectangleOf(texture, 0, 0, 128, 4), 255, kBlendSourceAlpha, kBlendInverseSourceAlpha, true));
  EXPECT_EQ(canvas.At(10, 2), 0xFFFFFFu) << "well inside the white texel";
  EXPECT_EQ(canvas.At(120, 2), 0x000000u) << "well inside the key texel nothing is drawn";
  const unsigned middle = Red(canvas.At(64, 2));
  EXPECT_GT(middle, 80u) << "half way the white covers part of the pixel";
  EXPECT_LT(middle, 180u) << "and only part";

  // The pairs with exact factors fade the same way: (one, zero) puts the texel, by its coverage.
  Canvas grey(128, 4, 0x808080);
  Draw(grey, With(RectangleOf(texture, 0, 0, 128, 4), 255, kBlendOne, kBlendZero, true));
  unsigned last = 255;
  for (int x = 0; x < 128; ++x) {
    const unsigned red = Red(grey.At(x, 2));
    ASSERT_LE(red, last + 1) << "pixel " << x
                             << ": from white the edge falls steadily towards the grey below";
    ASSERT_GE(red, 0x80u - 1) << "pixel " << x << ": a faint sample never darkens the pixel below";
    last = red;
  }
  EXPECT_EQ(grey.At(120, 2), 0x808080u) << "where only key texels are, nothing is drawn";
  EXPECT_NEAR(int(Red(grey.At(64, 2))), (255 + 128) / 2, 24) << "half way, half of each";
}

TEST(QuadRaster, QuadsReachingFarBeyondTheTargetDrawOnlyTheirVisiblePart) {
  const Texture texture(2, 2, {0x111111, 0x222222, 0x333333, 0x444444});
  // A spark right in front of the viewer: a million pixels wide, the target at its top-left texel's
  // centre.
  Canvas canvas(200, 150, 0x010101);
  Draw(canvas, With(RectangleOf(texture, 100 - 250000, 75 - 250000, 1000000, 1000000), 255, kBlendSourceAlpha,
                    kBlendInverseSourceAlpha, true));
  EXPECT_TRUE(std::all_of(canvas.pixels.begin(), canvas.pixels.end(), [](std::uint32_t p) {
    return p == 0x111111u;
  })) << "every pixel is covered, each with the top-left texel";

  Canvas off(200, 150, 0x010101);
  Draw(off, TurnedSquareOf(texture, 100000, -100000, 50, 0.5));
  Draw(off, TurnedSquareOf(texture, -2e9, 2e9, 50, 0.5));
  EXPECT_TRUE(std::all_of(off.pixels.begin(), off.pixels.end(), [](std::uint32_t p) {
    return p == 0x010101u;
  })) << "quads far off the target draw nothing";
  Draw(off, With(TurnedSquareOf(texture, 100 + 250000, 75 + 250000, 1000000, 0.58), 255, kBlendSourceAlpha,
                 kBlendDestinationAlpha));
  const std::uint32_t first = off.pixels[0];
  EXPECT_NE(first, 0x010101u) << "a huge turned quad covers the target";
  EXPECT_TRUE(std::all_of(off.pixels.begin(), off.pixels.end(), [first](std::uint32_t p) {
    return p == first;
  })) << "with one texel, whose borders lie far off the target";
}

TEST(QuadRaster, AQuadWithACornerThatIsNotFiniteDrawsNothing) {
  const Texture texture(1, 1, {0xFFFFFF});
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (const double bad : {nan, inf, -inf}) {
    Canvas canvas(50, 50, 0x010101);
    QuadPaint quad = RectangleOf(texture, 0, 0, 50, 50);
    quad.y[3] = bad;
    Draw(canvas, quad);
    quad = RectangleOf(texture, 0, 0, 50, 50);
    quad.x[0] = bad;
    Draw(canvas, quad);
    EXPECT_TRUE(std::all_of(canvas.pixels.begin(), canvas.pixels.end(),
                            [](std::uint32_t p) { return p == 0x010101u; }))
        << "a corner at " << bad << " leaves every pixel as it is";
  }
}

TEST(QuadBands, TwoBandsOnTwoThreadsDrawTheSamePixelsAsOne) {
  std::vector<std::uint32_t> texels;
  for (std::uint32_t i = 0; i < 64; ++i)
    texels.push_back(i % 5 == 0 ? 0 : (i * 0x2F4B13u + 0x203040u) & 0xFFFFFFu);
  const Texture texture(8, 8, texels);
  const auto drawScene = [&texture] {
    Canvas canvas(800, 600, 0x302010);
    for (int k = 0; k < 6; ++k) {
      const double side = 150 + 97 * k;
      const QuadPaint square = k % 3 == 0 ? RectangleOf(texture, 60 * k - 100, 37 * k - 80, side, side)
                                          : TurnedSquareOf(texture, 60 * k, 37 * k, side, 0.7 * k + 0.1);
      Draw(canvas, With(square, 90 + 30 * k, kBlendSourceAlpha,
                        k < 3 ? kBlendInverseSourceAlpha : kBlendDestinationAlpha, k % 2 == 1));
    }
    return canvas;
  };
  const long threshold = SetBandThreshold(std::numeric_limits<long>::max());
  const Canvas alone = drawScene();
  SetBandThreshold(0);
  const Canvas split = drawScene();
  SetBandThreshold(threshold);
  EXPECT_TRUE(alone.pixels == split.pixels)
      << "the lower half of each quad drawn by the second thread changes no pixel";
  EXPECT_NE(alone.At(300, 200), 0x302010u) << "the scene covers the middle of the target";
}

}  // namespace
