// Each set of vector row loops that this processor runs against the plain loops: random quads and
// blits must give identical pixels.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "raster/blit.h"
#include "raster/plain_rows.h"
#include "raster/quad_raster.h"
#include "raster/row_kernels.h"
#include "tests/raster/raster_helpers.h"

namespace {

// A texture of random colours, about one texel in `keyEvery` the key colour (0 for none).
Texture RandomTexture(std::mt19937& random, int width, int height, int keyEvery) {
  std::vector<std::uint32_t> texels(std::size_t(width) * std::size_t(height));
  for (std::uint32_t& texel : texels) {
    texel = random() & 0xFFFFFF;
    if (keyEvery > 0 && random() % unsigned(keyEvery) == 0) texel = 0;
  }
  return Texture(width, height, texels);
}

// A random quad of the texture: unturned at any scale (most of a mission), a turned square, or
// four corners anywhere near the canvas.
QuadPaint RandomQuad(std::mt19937& random, const Texture& texture, int canvasSide) {
  std::uniform_real_distribution<double> place(-canvasSide / 2.0, canvasSide * 1.5);
  std::uniform_real_distribution<double> size(0.5, canvasSide * 3.0);
  QuadPaint quad;
  switch (random() % 3) {
    case 0:
      quad = RectangleOf(texture, std::floor(place(random)), std::floor(place(random)),
                         std::ceil(size(random)), std::ceil(size(random)));
      break;
    case 1:
      quad = TurnedSquareOf(texture, place(random), place(random), size(random), (random() % 6283) / 1000.0);
      break;
    default: {
      double x[4];
      double y[4];
      for (int k = 0; k < 4; ++k) {
        x[k] = place(random);
        y[k] = place(random);
      }
      quad = QuadOf(texture, x, y);
    }
  }
  quad.alpha = random() % 3 == 0 ? 255 : int(random() % 256);
  quad.smoothing = random() % 2 == 0;
  quad.sourceFactor = int(random() % 12);
  quad.destinationFactor = int(random() % 12);
  if (random() % 2 == 0) {  // most of the game's quads lay over or add
    quad.sourceFactor = kBlendSourceAlpha;
    quad.destinationFactor = random() % 2 == 0 ? kBlendInverseSourceAlpha : kBlendDestinationAlpha;
  }
  return quad;
}

// Every usable set but the plain one, which comes first.
std::vector<const RowKernels*> VectorSets() {
  return {UsableRowKernels().begin() + 1, UsableRowKernels().end()};
}

class VectorPaths : public ::testing::Test {
 protected:
  void SetUp() override {
    if (VectorSets().empty()) GTEST_SKIP() << "this build has no vector row loops";
  }
};

// The same quads for every set.
void ExpectQuadsAsPlain(const RowKernels& set) {
  std::mt19937 random(20261207);
  constexpr int kSide = 96;
  int drawn = 0;
  for (int round = 0; round < 3000; ++round) {
    const int width = 1 + int(random() % 24);
    const int height = 1 + int(random() % 24);
    const Texture texture = RandomTexture(random, width, height, int(random() % 4));
    const QuadPaint quad = RandomQuad(random, texture, kSide);
    Canvas plain(kSide, kSide);
    for (std::uint32_t& pixel : plain.pixels) pixel = random() & 0xFFFFFF;
    Canvas vector = plain;
    const Canvas before = plain;
    RasteriseQuad(quad, plain.Area(), 0, kSide, PlainRowKernels());
    RasteriseQuad(quad, vector.Area(), 0, kSide, set);
    drawn += plain.pixels != before.pixels;
    for (int y = 0; y < kSide; ++y) {
      for (int x = 0; x < kSide; ++x) {
        ASSERT_EQ(vector.At(x, y), plain.At(x, y))
            << set.name << ", round " << round << ", pixel (" << x << ", " << y << "): texture " << width
            << " x " << height << ", alpha " << quad.alpha << ", smoothing " << quad.smoothing << ", pair ("
            << quad.sourceFactor << ", " << quad.destinationFactor << "), corners (" << quad.x[0] << ", "
            << quad.y[0] << ") (" << quad.x[1] << ", " << quad.y[1] << ") (" << quad.x[2] << ", " << quad.y[2]
            << ") (" << quad.x[3] << ", " << quad.y[3] << ")";
      }
    }
  }
  EXPECT_GT(drawn, 1500) << "most random quads draw something";
}

TEST_F(VectorPaths, RandomQuadsGiveTheSamePixelsAsThePlainLoops) {
  for (const RowKernels* set : VectorSets()) ExpectQuadsAsPlain(*set);
}

void ExpectBlitsAsPlain(const RowKernels& set) {
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    const Texture sprite = RandomTexture(random, 1 + int(random() % 40), 1 + int(random() % 40), 3);
    Canvas plain(64, 48, 0x123456);
    Canvas vector = plain;
    const int x = int(random() % 100) - 40;
    const int y = int(random() % 90) - 40;
    const PixelArea source{const_cast<std::uint32_t*>(sprite.texels.data()), sprite.width, sprite.height};
    BlitArea(plain.Area(), source, x, y, true, PlainRowKernels());
    BlitArea(vector.Area(), source, x, y, true, set);
    ASSERT_TRUE(plain.pixels == vector.pixels)
        << set.name << ", round " << round << ": a keyed blit at (" << x << ", " << y << ")";
  }
}

TEST_F(VectorPaths, KeyedBlitsGiveTheSamePixelsAsThePlainLoops) {
  for (const RowKernels* set : VectorSets()) ExpectBlitsAsPlain(*set);
}

TEST(RowKernelChoice, EachUsableSetByItsNameElseTheFastest) {
  const std::vector<const RowKernels*>& sets = UsableRowKernels();
  ASSERT_FALSE(sets.empty());
  EXPECT_STREQ(sets.front()->name, "plain");
  for (const RowKernels* set : sets) EXPECT_EQ(&ChooseRowKernels(set->name), set) << set->name;
  EXPECT_EQ(&ChooseRowKernels(nullptr), sets.back());
  EXPECT_EQ(&ChooseRowKernels("neon"), sets.back());
}

}  // namespace
