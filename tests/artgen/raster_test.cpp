// Tests of the drawing helpers the pictures rely on: resampling, keying, shapes and lettering.
#include "tools/artgen/raster.h"

#include <gtest/gtest.h>

#include "tools/artgen/encode.h"
#include "tools/artgen/text.h"

namespace {

TEST(ArtRaster, ResampleAveragesByArea) {
  // Three columns (white, grey, black) squeezed into two: each target column covers one and a
  // half source columns.
  Canvas c(3, 1);
  c.At(0, 0) = {1.0f, 1.0f, 1.0f};
  c.At(1, 0) = {0.5f, 0.5f, 0.5f};
  c.Alpha(0, 0) = 1.0f;
  c.Alpha(1, 0) = 1.0f;
  Canvas out = Resample(c, 2, 1);
  EXPECT_NEAR(out.At(0, 0).r, (1.0f + 0.5f * 0.5f) / 1.5f, 1e-5f)
      << "first column: 1 white and half the grey";
  EXPECT_NEAR(out.At(1, 0).r, (0.5f * 0.5f) / 1.5f, 1e-5f) << "second column: half the grey and the black";
  EXPECT_NEAR(out.alpha[0], 1.0f, 1e-5f) << "coverage is averaged the same way";
  EXPECT_NEAR(out.alpha[1], 0.5f / 1.5f, 1e-5f);
}

TEST(ArtRaster, ResampleKeepsAFlatPictureFlat) {
  Canvas c(768, 256, {0.25f, 0.5f, 0.75f});
  Canvas out = Resample(c, 256, 256);
  for (const Rgb& p : out.pixels) {
    ASSERT_NEAR(p.r, 0.25f, 1e-4f) << "a 3 : 1 squeeze must not change a flat colour";
    ASSERT_NEAR(p.b, 0.75f, 1e-4f);
  }
}

TEST(ArtRaster, KeyingNeverTurnsACoveredPixelBlack) {
  Canvas c(3, 1);
  c.Alpha(0, 0) = 1.0f;  // covered, painted black
  c.At(1, 0) = {0.5f, 0.5f, 0.5f};
  c.Alpha(1, 0) = 0.1f;  // a faint fringe
  Canvas out = KeyedOverBlack(c, 0.3f);
  EXPECT_GT(ToByte(out.At(0, 0).r), 0) << "a covered black pixel must stay visible";
  EXPECT_EQ(ToByte(out.At(1, 0).g), 0) << "a fringe below the coverage limit becomes transparent";
  EXPECT_EQ(ToByte(out.At(2, 0).b), 0) << "an untouched pixel stays transparent";
}

TEST(ArtRaster, ShapesAreAntialiasedAtTheirEdge) {
  Canvas c(20, 20);
  PaintShape(c, Bounds(0, 0, 20, 20), Circle(10.0f, 10.0f, 6.5f), Rgb{1.0f, 1.0f, 1.0f});
  EXPECT_FLOAT_EQ(c.At(10, 10).r, 1.0f) << "the inside is fully covered";
  EXPECT_FLOAT_EQ(c.At(1, 1).r, 0.0f) << "the outside is untouched";
  // Pixel (16, 10) has its centre (16.5, 10.5) right on the edge: about half covered.
  EXPECT_NEAR(c.alpha[static_cast<std::size_t>(10) * 20 + 16], 0.5f, 0.1f) << "an edge pixel is half covered";
  EXPECT_NEAR(c.At(16, 10).g, 0.5f, 0.1f) << "and shows half the colour over black";
}

TEST(ArtText, TrackingSpreadsTheLetters) {
  Mask plain = RenderTextTight(kSansBold, 20, "ABC");
  Mask spread = RenderTextTight(kSansBold, 20, "ABC", 5);
  ASSERT_GT(plain.width, 0) << "the font renders";
  EXPECT_EQ(spread.height, plain.height) << "spacing does not change the height";
  EXPECT_NEAR(spread.width - plain.width, 2 * 5, 2) << "two gaps, each 5 pixels wider";
}

TEST(ArtText, UmlautsAreRendered) {
  // "Ü" has the dots above "U": its ink reaches higher.
  Mask u = RenderText(kSansBold, 20, "U");
  Mask umlaut = RenderText(kSansBold, 20, "Ü");
  auto firstInkRow = [](const Mask& m) {
    for (int y = 0; y < m.height; ++y) {
      for (int x = 0; x < m.width; ++x) {
        if (m.At(x, y) > 0.5f) return y;
      }
    }
    return m.height;
  };
  EXPECT_LT(firstInkRow(umlaut), firstInkRow(u)) << "UTF-8 text must reach the font as Unicode";
}

}  // namespace
