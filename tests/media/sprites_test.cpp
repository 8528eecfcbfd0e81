// Tests of the sprite table, the blits, screen copies and writing sprites as BMP files.
#include "media/sprites.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "media/sprite_table.h"
#include "platform/display.h"
#include "platform/events.h"
#include "platform/frame_pacing.h"
#include "platform/testing/input_injection.h"
#include "tests/media/screen_helpers.h"

namespace {

class SpriteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(OpenTestDisplay());
    SetFrameRate(0);
  }
  void TearDown() override {
    ShutdownMultimedia();
    for (const std::string& path : files_) std::remove(path.c_str());
  }

  // A file name in the test's temporary folder, removed after the test.
  std::string TempFile(const char* name) {
    files_.push_back(::testing::TempDir() + name);
    return files_.back();
  }

  // Makes sprite n from width x height top-down 0x00RRGGBB pixels.
  static void MakeSprite(int n, int width, int height, const std::vector<std::uint32_t>& pixels,
                         int mode = kSpritePlain) {
    ASSERT_NE(NewSprite(n, width, height, mode), 0);
    std::copy(pixels.begin(), pixels.end(), SpriteArea(n).pixels);
  }

  static std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }

 private:
  std::vector<std::string> files_;
};

TEST_F(SpriteTest, TableGrowsToSlotPlusFifty) {
  EXPECT_EQ(SpriteTableSize(), 50) << "the table starts with 50 slots";
  ASSERT_NE(NewSprite(5000, 2, 2, kSpritePlain), 0);
  EXPECT_EQ(SpriteTableSize(), 5050) << "creating slot 5000 grows the table to 5050 slots";
  for (int n = 0; n < 5050; ++n) {
    if (n == 5000) continue;
    ASSERT_EQ(SpriteSlot(n), nullptr) << "slot " << n << " stays empty";
  }
  EXPECT_EQ(SpriteWidth(5050), 0) << "slots beyond the table read as empty";

  CloseDisplay();
  EXPECT_EQ(SpriteTableSize(), 50) << "closing the display frees every sprite and returns to 50 slots";
  ASSERT_NE(NewSprite(60, 2, 2, kSpritePlain), 0);
  EXPECT_EQ(SpriteTableSize(), 110) << "creating slot 60 grows the table to 110 slots";
  ASSERT_NE(NewSprite(109, 2, 2, kSpritePlain), 0);
  EXPECT_EQ(SpriteTableSize(), 110) << "a slot inside the table does not grow it";
  EXPECT_EQ(NewSprite(-1, 2, 2, kSpritePlain), 0) << "negative slots are refused";
}

TEST_F(SpriteTest, NewSpriteIsBlackAndSizeIsChecked) {
  ASSERT_NE(NewSprite(1, 3, 2, kSpriteTexture), 0);
  EXPECT_EQ(SpriteSlot(1)->pixels, std::vector<std::uint32_t>(6, 0)) << "a new sprite is black";
  EXPECT_EQ(SpriteSlot(1)->mode, kSpriteTexture);
  EXPECT_EQ(NewSprite(1, 0, 2, kSpritePlain), 0) << "a sprite needs a width";
  EXPECT_EQ(SpriteSlot(1), nullptr) << "a failed creation leaves the slot empty";
}

TEST_F(SpriteTest, MissingFileLeavesSlotAsItWas) {
  ASSERT_NE(NewSprite(3, 4, 5, kSpritePlain), 0);
  EXPECT_EQ(LoadSpriteFile(3, TempFile("does_not_exist.bmp").c_str()), 0);
  EXPECT_EQ(SpriteWidth(3), 4) << "a file that cannot be opened does not touch the slot";
  EXPECT_EQ(SpriteHeight(3), 5);
}

TEST_F(SpriteTest, BlitClipsAtTheScreenEdges) {
  // Four columns of different colours, three rows.
  const std::vector<std::uint32_t> columns = {0x100000, 0x200000, 0x300000, 0x400000};
  std::vector<std::uint32_t> pixels;
  for (int row = 0; row < 3; ++row) pixels.insert(pixels.end(), columns.begin(), columns.end());
  MakeSprite(2, 4, 3, pixels);

  BlitSprite(2, -4, 10);
  EXPECT_EQ(Screen()[10 * kWidth], 0u) << "at x = -w nothing is drawn";

  BlitSprite(2, -3, 10);
  std::vector<unsigned int> screen = Screen();
  EXPECT_EQ(screen[10 * kWidth], 0x400000u) << "at x = -w + 1 the rightmost column lands at x = 0";
  EXPECT_EQ(screen[10 * kWidth + 1], 0u) << "and nothing else";

  BlitSprite(2, kWidth - 1, kHeight - 2);
  screen = Screen();
  EXPECT_EQ(screen[(kHeight - 2) * kWidth + kWidth - 1], 0x100000u)
      << "at x = W - 1 the leftmost column shows";
  EXPECT_EQ(screen[(kHeight - 1) * kWidth + kWidth - 1], 0x100000u) << "rows below the screen are cut off";

  BlitSprite(2, 50, -2);
  screen = Screen();
  EXPECT_EQ(screen[50], 0x100000u) << "at y = -h + 1 the bottom row lands at y = 0";
  EXPECT_EQ(screen[kWidth + 50], 0u) << "only that row";
}

TEST_F(SpriteTest, KeyedBlitSkipsOnlyBlack) {
  // Nine pixels: whole groups of four and a rest, keys among both.
  const std::vector<std::uint32_t> row = {0x000000, 0x010101, 0x000001, 0x000000, 0x100000,
                                          0x000000, 0x000000, 0x000100, 0x000000};
  MakeSprite(4, 9, 1, row);
  FillBackBuffer(0x808080);
  BlitSpriteKeyed(4, 100, 100);
  std::vector<unsigned int> screen = Screen();
  for (int x = 0; x < 9; ++x) {
    const unsigned int expected = row[std::size_t(x)] == 0 ? 0x808080u : row[std::size_t(x)];
    EXPECT_EQ(screen[100 * kWidth + 100 + x], expected)
        << "pixel " << x << ": (0, 0, 0) is the key colour and is not drawn, any other colour is";
  }
  EXPECT_EQ(screen[100 * kWidth + 109], 0x808080u) << "nothing beyond the sprite";

  BlitSprite(4, 100, 100);
  EXPECT_EQ(Screen()[100 * kWidth + 100], 0u) << "the opaque blit draws black too";
}

TEST_F(SpriteTest, BlitsNeedAnActiveDisplay) {
  MakeSprite(5, 1, 1, {0x123456});
  InjectFocus(false);
  PresentFrame();
  ASSERT_FALSE(IsDisplayActive());
  BlitSprite(5, 0, 0);
  BlitSpriteKeyed(5, 0, 0);
  EXPECT_EQ(Screen()[0], 0u) << "an inactive display draws nothing";
  BlitSprite(49, 0, 0);  // empty slot
  EXPECT_EQ(Screen()[0], 0u) << "an empty slot draws nothing";
}

TEST_F(SpriteTest, ScreenCopyTakesTheBackBufferAndBlackOffScreen) {
  MakeSprite(7, 2, 2, {0xA00001, 0xA00002, 0xA00003, 0xA00004});
  BlitSprite(7, 0, 0);
  PresentFrame();  // the frame with the sprite goes on view; the back buffer is the older, black one
  BlitSprite(7, 1, 0);
  ASSERT_NE(CopyScreenToSprite(8, -1, -1, 4, 3), 0);
  const std::vector<std::uint32_t> expected = {
      0, 0, 0,        0,         // row y = -1 lies above the screen
      0, 0, 0xA00001, 0xA00002,  //
      0, 0, 0xA00003, 0xA00004,
  };
  EXPECT_EQ(SpriteSlot(8)->pixels, expected)
      << "the back buffer is copied; what lies off the screen is black";

  ShutdownMultimedia();
  EXPECT_EQ(CopyScreenToSprite(8, 0, 0, 4, 3), 0) << "no copy without a display";
  EXPECT_EQ(SpriteSlot(8), nullptr);
}

TEST_F(SpriteTest, WrittenBmpLoadsBackEqual) {
  const std::vector<std::uint32_t> pixels = {0x010203, 0x040506, 0x070809, 0x0A0B0C, 0x0D0E0F, 0x101112};
  MakeSprite(1, 3, 2, pixels);
  const std::string path = TempFile("small.bmp");
  ASSERT_EQ(WriteSpriteBmp(1, path.c_str()), 1);
  ASSERT_NE(LoadSpriteFile(2, path.c_str()), 0);
  EXPECT_EQ(SpriteSlot(2)->pixels, pixels) << "the file loads back to the same pixels";
  EXPECT_EQ(SpriteSlot(2)->sourcePath, path) << "a loaded sprite remembers its file";

  EXPECT_EQ(WriteSpriteBmp(3, path.c_str()), 0) << "an empty slot writes nothing";
  EXPECT_EQ(WriteSpriteBmp(1, (path + "/no/such/folder.bmp").c_str()), 0)
      << "a file that cannot be made is 0";
}

TEST_F(SpriteTest, ScreenshotOfTheWholeScreen) {
  std::vector<std::uint32_t> picture(kWidth * kHeight);
  for (std::size_t i = 0; i < picture.size(); ++i) picture[i] = std::uint32_t(i * 2654435761u) & 0xFFFFFF;
  MakeSprite(1, kWidth, kHeight, picture);
  BlitSprite(1, 0, 0);
  ASSERT_NE(CopyScreenToSprite(5000, 0, 0, kWidth, kHeight), 0);
  const std::string path = TempFile("screen.bmp");
  ASSERT_EQ(WriteSpriteBmp(5000, path.c_str()), 1);
  EXPECT_EQ(ReadFile(path).size(), 1440054u) << "an 800 x 600 screenshot is 1,440,054 bytes";
  ASSERT_NE(LoadSpriteFile(2, path.c_str()), 0);
  EXPECT_EQ(SpriteSlot(2)->pixels, picture) << "the screenshot holds the screen exactly";
}

}  // namespace
