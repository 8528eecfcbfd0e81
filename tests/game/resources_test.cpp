// Tests of the resource catalogue: every slot the game draws from is filled, at the size it is drawn.
#include "game/resources.h"

#include <gtest/gtest.h>

#include "game_fixture.h"
#include "media/quads.h"
#include "media/slots.h"
#include "media/sprites.h"
#include "platform/sound.h"

namespace {

using Resources = GameScreen;

struct Size {
  int width;
  int height;
};

Size SpriteSize(int n) {
  return {SpriteWidth(n), SpriteHeight(n)};
}

TEST_F(Resources, BuiltinPicturesHaveTheirFixedSizes) {
  EXPECT_EQ(SpriteSize(4).width, 800) << "the briefing page covers the screen";
  EXPECT_EQ(SpriteSize(4).height, 600);
  EXPECT_EQ(SpriteSize(6).width, 432) << "the title logo";
  EXPECT_EQ(SpriteSize(6).height, 72);
  for (int button = 30; button <= 34; ++button) {
    EXPECT_EQ(SpriteSize(button).width, 200) << "button " << button;
    EXPECT_EQ(SpriteSize(button).height, 50) << "button " << button;
  }
  for (int ship = 40; ship <= 42; ++ship) {
    EXPECT_EQ(SpriteSize(ship).width, 256) << "ship " << ship;
    EXPECT_EQ(SpriteSize(ship).height, 256) << "ship " << ship;
  }
}

TEST_F(Resources, FilePicturesCoverThePlacesTheyAreDrawnAt) {
  // Quarters drawn 440 pixels apart across and 340 down, from (-40, -40).
  for (int quarter = 50; quarter <= 53; ++quarter) {
    EXPECT_GE(SpriteSize(quarter).width, 440) << "background quarter " << quarter;
    EXPECT_GE(SpriteSize(quarter).height, 340) << "background quarter " << quarter;
  }
  EXPECT_EQ(SpriteSize(60).width, 800) << "the cockpit's top part spans the screen";
  EXPECT_EQ(SpriteSize(62).width, 800) << "the cockpit's bottom part spans the screen";
  EXPECT_EQ(SpriteSize(62).height, 63) << "drawn at y 537, it ends at the bottom edge";
  EXPECT_EQ(SpriteSize(61).width, 330) << "drawn at x 470, it ends at the right edge";
  EXPECT_EQ(SpriteSize(1).width, 32) << "the crosshair is centred 16 pixels from its corner";
  EXPECT_EQ(SpriteSize(1).height, 32);
  for (int sprite : {3, 5, 10, 11, 12, 13, 14, 20})
    EXPECT_GT(SpriteSize(sprite).width, 0) << "sprite " << sprite;
}

TEST_F(Resources, EveryTextureHasItsQuad) {
  for (int quad : {1, 3, 10, 11, 12, 13, 14, 40, 41, 42}) {
    EXPECT_GE(QuadCornerX(quad, 3), SpriteWidth(quad)) << "quad " << quad << " spans its sprite";
    EXPECT_GE(QuadCornerY(quad, 3), SpriteHeight(quad)) << "quad " << quad << " spans its sprite";
  }
  EXPECT_GE(QuadCornerX(20, 3), 14) << "a gauge segment is 14 x 20";
  EXPECT_LE(QuadCornerX(20, 3), 15);
  EXPECT_GE(QuadCornerY(20, 3), 20);
  EXPECT_LE(QuadCornerY(20, 3), 21);
}

TEST_F(Resources, TheFourSoundsAreInTheirSlots) {
  for (int slot : {kExplosionSound, kShotSound, kClickSound, kMusicLoop}) {
    PlayWave(slot, 0);
    EXPECT_EQ(IsWavePlaying(slot), 1) << "sound slot " << slot << " holds a sound";
  }
  for (int slot : {3, 4}) {
    PlayWave(slot, 0);
    EXPECT_EQ(IsWavePlaying(slot), 0) << "sound slot " << slot << " is never used";
  }
  StopWave(kAllWaves);
}

TEST_F(Resources, QuadZeroIsOneFlatDarkGreenOverTheWholeScreen) {
  BeginQuads();
  DrawQuadAlpha(0, 0, 0, 255);
  EndQuads();
  const Picture screen = BackBuffer();
  int others = 0;
  for (unsigned int pixel : screen) others += pixel != 0x003200;
  EXPECT_EQ(others, 0) << "the 16 x 16 sprite of (0, 50, 0) stretched to 800 x 600, smoothed or not";
}

}  // namespace
