// Tests of loading image data into sprite slots: a JPEG only once enabled, the reader's picture in
// the slot, and an empty slot after a failed load.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "formats/bmp_writer.h"
#include "formats/jpeg_reader.h"
#include "media/sprite_table.h"
#include "media/sprites.h"
#include "tests/formats/jpeg_image.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class SpriteLoading : public ::testing::Test {
 protected:
  void SetUp() override {
    EmptyAllSpriteSlots();
    EnableJpegLoading();
  }
  void TearDown() override { EmptyAllSpriteSlots(); }
};

TEST_F(SpriteLoading, JpegFillsTheSlotWithTheReadersPicture) {
  const Bytes jpeg = EncodeJpeg(24, 10, 3, SmoothPicture(24, 10));
  DecodedImage image;
  ASSERT_TRUE(DecodeJpeg(jpeg.data(), jpeg.size(), image));
  ASSERT_NE(LoadSpriteMemory(2, jpeg.data(), jpeg.size(), kSpriteTexture), 0);
  const Sprite* sprite = SpriteSlot(2);
  EXPECT_EQ(sprite->width, 24);
  EXPECT_EQ(sprite->height, 10);
  EXPECT_EQ(sprite->bits, 24);
  EXPECT_EQ(sprite->mode, kSpriteTexture);
  EXPECT_EQ(sprite->pixels, image.pixels) << "the slot holds the reader's pixels, top row first";
}

TEST_F(SpriteLoading, BadDataLeavesTheSlotEmpty) {
  const std::vector<std::uint32_t> pixels(4, 0x102030);
  const Bytes good = EncodeBmp(pixels.data(), 2, 2);
  const Bytes jpeg = EncodeJpeg(16, 16, 3, SmoothPicture(16, 16));
  Bytes wrongDepth = good;
  wrongDepth[28] = 2;
  const struct {
    const char* name;
    Bytes bytes;
  } cases[] = {
      {"BMP with its last row cut short", Bytes(good.begin(), good.end() - 3)},
      {"BMP of 2 bits per pixel", wrongDepth},
      {"JPEG cut inside the headers", Bytes(jpeg.begin(), jpeg.begin() + 100)},
      {"neither BMP nor JPEG", Bytes(64, 0x42)},
      {"no data", Bytes{}},
  };
  for (const auto& c : cases) {
    ASSERT_NE(LoadSpriteMemory(1, good.data(), good.size()), 0);
    EXPECT_EQ(LoadSpriteMemory(1, c.bytes.data(), c.bytes.size()), 0) << c.name;
    EXPECT_EQ(SpriteSlot(1), nullptr) << c.name << ": a failed load leaves the slot empty";
  }
}

// Runs in a fresh process, where nothing has enabled JPEG loading yet.
TEST(JpegLoading, OnlyAfterEnabling) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const Bytes jpeg = EncodeJpeg(8, 8, 3, SmoothPicture(8, 8));
  EXPECT_EXIT(
      {
        const int before = LoadSpriteMemory(1, jpeg.data(), jpeg.size());
        EnableJpegLoading();
        const int after = LoadSpriteMemory(1, jpeg.data(), jpeg.size());
        std::exit(before == 0 && after != 0 ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "")
      << "JPEG data is recognised only after EnableJpegLoading";
}

}  // namespace
