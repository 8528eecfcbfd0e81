// The mission display: depth slices, the steering and arming of aliens as they are drawn, and
// the crosshair, which shows only after the approach.
#include "mission/mission_display.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "media/draw.h"
#include "media/quads.h"
#include "media/sprites.h"
#include "mission/aliens.h"
#include "mission/game_state.h"
#include "mission_fixture.h"

namespace {

class MissionDisplay : public MissionMediaTest {
 protected:
  void SetUp() override {
    MissionMediaTest::SetUp();
    shipX = 100000.0f;
    approachPhase = 0;
    speed = -80;
  }
};

// A type-1 alien (12000 x 4000) at depth z, centred on screen unless moved; it does not drift.
// At depth 1600 one world unit is 1/16 pixel exactly, so the alien is drawn 750 x 250.
Alien& PlaceAlien(float dx, float y, float z) {
  Alien& alien = StillAlien(1, 0, 0, 1000);
  alien.x = shipX + dx;
  alien.y = y;
  alien.z = z;
  return alien;
}

TEST_F(MissionDisplay, OnlyObjectsInside0To61000AreDrawn) {
  PlaceAlien(0, 0, 60999.0f);
  PlaceAlien(0, 0, 61000.0f);
  PlaceAlien(0, 0, -1.0f);
  PlaceAlien(0, 0, 0.5f);
  DrawMissionFrame();
  EXPECT_EQ(aliens.At(0).armed, 1) << "60999 lies in the far slice";
  EXPECT_EQ(aliens.At(1).armed, 0) << "61000 is beyond the far slice and not drawn";
  EXPECT_EQ(aliens.At(2).armed, 0) << "a depth below 0 is not drawn";
  EXPECT_EQ(aliens.At(3).armed, 1) << "the near slice starts at 0";
}

TEST_F(MissionDisplay, AliensAreSteeredBackOnScreenVertically) {
  PlaceAlien(0, 4400.0f, 1600.0f);   // top edge at 450
  PlaceAlien(0, 4408.0f, 1600.0f);   // top edge at 450.5
  PlaceAlien(0, -1600.0f, 1600.0f);  // top edge at 75
  PlaceAlien(0, -1608.0f, 1600.0f);  // top edge at 74.5
  DrawMissionFrame();
  EXPECT_EQ(aliens.At(0).y, 4400.0f) << "a top edge at exactly 450 is not moved";
  EXPECT_EQ(aliens.At(1).y, 4208.0f) << "below 450 the alien moves up by 200";
  EXPECT_EQ(aliens.At(2).y, -1600.0f) << "a top edge at exactly 75 is not moved";
  EXPECT_EQ(aliens.At(3).y, -1408.0f) << "above 75 the alien moves down by 200";
}

TEST_F(MissionDisplay, AnAlienIsArmedOnlyWithItsCentreStrictlyOnScreen) {
  PlaceAlien(-6400.0f, 0, 1600.0f);  // centre at x 0
  PlaceAlien(-6384.0f, 0, 1600.0f);  // centre at x 1
  PlaceAlien(6400.0f, 0, 1600.0f);   // centre at x 800
  PlaceAlien(6384.0f, 0, 1600.0f);   // centre at x 799
  aliens.At(0).armed = 1;
  DrawMissionFrame();
  EXPECT_EQ(aliens.At(0).armed, 0) << "a centre exactly at x 0 is not armed";
  EXPECT_EQ(aliens.At(1).armed, 1);
  EXPECT_EQ(aliens.At(2).armed, 0) << "a centre exactly at x 800 is not armed";
  EXPECT_EQ(aliens.At(3).armed, 1);
  shakeOffsetX = 1;
  DrawMissionFrame();
  EXPECT_EQ(aliens.At(0).armed, 1) << "the shake moves the world view, and with it the centre";
  EXPECT_EQ(aliens.At(3).armed, 0);
}

TEST_F(MissionDisplay, DriftIsSteeredOnlyAfterTheApproach) {
  PlaceAlien(20000.0f, 0, 1600.0f);   // far right of the screen
  PlaceAlien(-20000.0f, 0, 1600.0f);  // far left of the screen
  PlaceAlien(0, 0, 1600.0f);
  approachPhase = 1;
  DrawMissionFrame();
  EXPECT_EQ(aliens.At(0).drift, 0.0f) << "no horizontal steering during the approach";
  EXPECT_EQ(aliens.At(1).drift, 0.0f);
  approachPhase = 0;
  DrawMissionFrame();
  EXPECT_EQ(aliens.At(0).drift, -20.0f) << "right of the screen: drift towards -x";
  EXPECT_EQ(aliens.At(1).drift, 20.0f) << "left of the screen: drift towards +x";
  EXPECT_EQ(aliens.At(2).drift, 0.0f);
  aliens.At(0).drift = -280.0f;  // speed - 200
  aliens.At(1).drift = 120.0f;   // speed + 200
  DrawMissionFrame();
  EXPECT_EQ(aliens.At(0).drift, -280.0f) << "steering stops at speed - 200";
  EXPECT_EQ(aliens.At(1).drift, 120.0f) << "steering stops at speed + 200";
}

TEST_F(MissionDisplay, SparksRightInFrontOfTheViewerAreDrawn) {
  NewSprite(10, 32, 32, kSpriteTexture);
  CreateQuad(10, 10);
  // 2000 units at depth 5 are 40000 pixels: far larger than the screen, drawn all the same.
  for (const float z : {5.0f, 5.7f, 0.01f}) {
    Spark& spark = sparks.Append();
    spark.x = shipX;
    spark.z = z;
    spark.size = 2000.0f;
    spark.life = 200.0f;
  }
  DrawMissionFrame();
  DrawMissionFrame();
  EXPECT_EQ(sparks.Count(), 3) << "drawing leaves the sparks as they are";
  FreeSprite(10);
}

// The back buffer's pixel at (x, y), read through a copy into a sprite written as a BMP file.
int RedAt(int x, int y) {
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "mission_display_probe.bmp";
  CopyScreenToSprite(99, x, y, 4, 4);
  WriteSpriteBmp(99, file.string().c_str());
  std::ifstream in(file, std::ios::binary);
  const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
  std::filesystem::remove(file);
  FreeSprite(99);
  // 54 bytes of headers, rows bottom-up, blue green red: the top-left pixel is in the last row.
  const std::size_t topRow = 54 + 3 * 4 * 3;
  return bytes.size() >= topRow + 3 ? bytes[topRow + 2] : -1;
}

TEST_F(MissionDisplay, CrosshairShowsOnlyAfterTheApproach) {
  // Black background quarters over the whole screen and a white 32 x 32 crosshair.
  for (int slot = 50; slot <= 53; ++slot) NewSprite(slot, 440, 340, kSpritePlain);
  NewSprite(1, 32, 32, kSpriteTexture);
  BeginDraw(SpriteTarget(1));
  FillRect(0, 0, 32, 32, 0xFFFFFF);
  EndDraw();
  CreateQuad(1, 1);
  aimX = 200;
  aimY = 200;
  mouseX = 600;
  mouseY = 400;

  // A frame becomes readable in the back buffer after the next present: draw each state twice.
  approachPhase = 1;
  DrawMissionFrame();
  DrawMissionFrame();
  EXPECT_EQ(RedAt(200, 200), 0) << "no crosshair during the approach";
  EXPECT_EQ(RedAt(600, 400), 0);

  approachPhase = 0;
  DrawMissionFrame();
  DrawMissionFrame();
  EXPECT_EQ(RedAt(200, 200), 255) << "the crosshair at the aim point";
  const int faint = RedAt(600, 400);
  EXPECT_GT(faint, 60) << "a faint cross where the mouse is";
  EXPECT_LT(faint, 140) << "drawn with alpha 100";

  for (int slot = 50; slot <= 53; ++slot) FreeSprite(slot);
  FreeSprite(1);
}

}  // namespace
