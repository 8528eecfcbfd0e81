// The mission display: depth slices, sizes and blending of the quads, the gauges, the shake and the
// crosshair, which shows only after the approach.
#include "mission/mission_display.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "media/draw.h"
#include "media/quads.h"
#include "media/screen_buffers.h"
#include "media/sprites.h"
#include "mission/aliens.h"
#include "mission/game_state.h"
#include "mission_fixture.h"
#include "platform/display.h"

namespace {

class MissionDisplay : public MissionMediaTest {
 protected:
  void SetUp() override {
    MissionMediaTest::SetUp();
    world.shipX = 100000.0f;
    world.speed = -80;
  }
};

// A type-1 alien (12000 x 4000) at depth z, centred on screen unless moved; it does not drift.
// At depth 1600 one world unit is 1/16 pixel exactly, so the alien is drawn 750 x 250.
Alien& PlaceAlien(float dx, float y, float z) {
  Alien& alien = StillAlien(1, 0, 0, 1000);
  alien.x = world.shipX + dx;
  alien.y = y;
  alien.z = z;
  return alien;
}

// What a frame shows, read from the frame just presented. Every slot the mission draws holds a flat
// picture of its own: the background quarters a dark grey, quads their own colours; the cockpit
// slots stay empty, so nothing covers the world view and the gauges.
class MissionPicture : public MissionDisplay {
 protected:
  static constexpr unsigned kBackground = 0x202020;

  void SetUp() override {
    MissionDisplay::SetUp();
    for (int slot = 50; slot <= 53; ++slot) Flat(slot, 440, 340, kBackground, kSpritePlain);
    world.approachPhase = 1;  // no crosshair unless a test wants one
  }
  void TearDown() override {
    for (const int slot : kUsedSlots) FreeSprite(slot);
    ClearQuads();
  }

  // Slot n filled with one colour; for texture mode also quad n drawing it.
  static void Flat(int n, int width, int height, unsigned rgb, int mode = kSpriteTexture) {
    ASSERT_NE(NewSprite(n, width, height, mode), 0);
    ASSERT_EQ(BeginDraw(SpriteTarget(n)), 1);
    FillRect(0, 0, width, height, rgb);
    EndDraw();
    if (mode == kSpriteTexture) {
      ASSERT_EQ(CreateQuad(n, n), 1);
    }
  }

  // The world as the last step left it, the mouse's faint cross where the step read the mouse.
  static void Draw() {
    DrawWorld(world, {1.0f, world.mouseX, world.mouseY});
    PresentFrame();
  }

  static unsigned Shown(int x, int y) {
    return FrontBufferArea().pixels[std::size_t(y) * 800 + std::size_t(x)];
  }

  // The segments lit in the gauge bar at `row`: segment k is drawn at x = 500 + 12k, 14 pixels
  // wide, so x = 506 + 12k lies in segment k alone.
  static int Segments(int row) {
    int lit = 0;
    while (lit < 40 && Shown(506 + 12 * lit, row + 10) != kBackground) ++lit;
    return lit;
  }

  static constexpr int kUsedSlots[] = {1, 3, 10, 11, 20, 40, 41, 42, 50, 51, 52, 53};
};

TEST_F(MissionPicture, GaugesShowOneSegmentPerStepFromTheFirst) {
  Flat(20, 14, 20, 0x404040);
  SetQuadSize(20, 14, 20);  // as loading sets it
  struct Case {
    int hull, speed;
    float energy;
    int hullSegments, speedSegments, energySegments;
  };
  // hull / 200 + 1 segments while hull > 0; |speed| limited to 1000, / 50 + 1; energy / 67 + 1.
  const Case cases[] = {
      {4000, -80, 1330.0f, 21, 2, 20}, {3999, -1000, 1340.0f, 20, 21, 21},
      {200, -999, 1339.9f, 2, 20, 20}, {199, -5000, 67.0f, 1, 21, 2},
      {1, 0, 66.0f, 1, 1, 1},          {0, 1049, 0.0f, 0, 21, 1},
      {-5, 1050, -50.0f, 0, 21, 1},
  };
  for (const Case& c : cases) {
    world.hull = c.hull;
    world.speed = c.speed;
    world.energy = c.energy;
    Draw();
    EXPECT_EQ(Segments(50), c.hullSegments)
        << "hull " << c.hull << ": segments 0 to hull / 200, none at 0 or below";
    EXPECT_EQ(Segments(100), c.speedSegments)
        << "speed " << c.speed << ": segments 0 to min(|speed|, 1000) / 50";
    EXPECT_EQ(Segments(150), c.energySegments) << "energy " << c.energy << ": segments 0 to energy / 67";
  }
  world.hull = 4000;
  Draw();
  EXPECT_EQ(Shown(500, 50), 0x606060u) << "the first segment's corner at (500, 50)";
  EXPECT_EQ(Shown(499, 50), kBackground);
  EXPECT_EQ(Shown(500, 69), 0x606060u) << "20 rows high";
  EXPECT_EQ(Shown(500, 70), kBackground);
  EXPECT_EQ(Shown(512, 60), 0xA0A0A0u)
      << "segments 12 apart and 14 wide overlap by 2 pixels, adding their light";
}

TEST_F(MissionPicture, NearerSlicesCoverFartherOnesAndListOrderDecidesWithinOne) {
  Flat(40, 8, 8, 0xC00000);
  Flat(41, 8, 8, 0x00C000);
  Flat(42, 8, 8, 0x0000C0);
  PlaceAlien(0, 0, 5500.0f).quad = 40;   // slice 5: nearest
  PlaceAlien(0, 0, 20000.0f).quad = 41;  // slice 20, listed later
  Draw();
  EXPECT_EQ(Shown(400, 300), 0xC00000u) << "slices are drawn from far to near: the near alien covers";
  world.aliens.Clear();
  PlaceAlien(0, 0, 20000.0f).quad = 41;
  PlaceAlien(0, 0, 5500.0f).quad = 40;
  Draw();
  EXPECT_EQ(Shown(400, 300), 0xC00000u) << "whatever the list order";
  world.aliens.Clear();
  PlaceAlien(0, 0, 5100.0f).quad = 40;
  PlaceAlien(0, 0, 5900.0f).quad = 42;  // farther, but in the same slice and later in the list
  Draw();
  EXPECT_EQ(Shown(400, 300), 0x0000C0u) << "within a slice the list order decides, not the depth";
}

TEST_F(MissionPicture, SizesAreRoundedUpAndPositionsToTheNearest) {
  Flat(40, 12, 4, 0xC00000);
  // 12000 x 4000 at depth 11000: 109.09 x 36.36 pixels, drawn 110 x 37; the top-left corner at
  // (400 - 55, 300 - 18.5), rounded to (345, 282) (a half to the even neighbour).
  PlaceAlien(0, 0, 11000.0f);
  Draw();
  EXPECT_EQ(Shown(345, 282), 0xC00000u) << "top-left corner";
  EXPECT_EQ(Shown(344, 282), kBackground);
  EXPECT_EQ(Shown(345, 281), kBackground);
  EXPECT_EQ(Shown(454, 318), 0xC00000u) << "110 x 37: the width and height rounded up";
  EXPECT_EQ(Shown(455, 318), kBackground) << "not 111 wide";
  EXPECT_EQ(Shown(454, 319), kBackground) << "not 38 high";
}

TEST_F(MissionPicture, ShotsAndSparksAddTheirLightAliensAndDebrisCover) {
  Flat(40, 8, 8, 0x303030);
  Flat(41, 8, 8, 0x707070);
  Flat(3, 8, 8, 0x505050);
  Flat(11, 8, 8, 0x101010);
  Flat(10, 8, 8, 0x404040);
  // In slice 10 (depth about 10500, a pixel about 105 units) objects 40 pixels wide, side by side.
  Alien& alien = PlaceAlien(-15000.0f, 0, 10500.0f);
  alien.width = alien.height = 4000;
  world.debris[0] = {int(world.shipX) - 7500, 0, 10400, 4000, 0, 0};
  const auto addShot = [](float dx) {
    Shot& shot = world.shots.Append();
    shot = Shot{};
    shot.x = world.shipX + dx;
    shot.z = 10500.0f;
    shot.width = shot.height = 4000;
    shot.quad = 11;
  };
  addShot(0.0f);
  Spark& spark = world.sparks.Append();
  spark = Spark{};
  spark.x = world.shipX + 7500.0f;
  spark.z = 10600.0f;
  spark.size = 4000.0f;
  spark.life = 127.6f;  // alpha 128
  // A shot of slice 10 under an alien of the nearer slice 5, drawn after it.
  addShot(15000.0f);
  Alien& cover = PlaceAlien(7150.0f, 0, 5000.0f);
  cover.quad = 41;
  cover.width = cover.height = 2000;
  Draw();
  EXPECT_EQ(Shown(257, 300), 0x303030u) << "an alien covers what lies below";
  EXPECT_EQ(Shown(328, 300), 0x505050u) << "a piece of debris covers";
  EXPECT_EQ(Shown(400, 300), 0x303030u) << "a shot adds its light: 0x20 + 0x10";
  EXPECT_EQ(Shown(471, 300), 0x404040u) << "a spark adds its light times its life: 0x20 + 0x40 x 128 / 255";
  EXPECT_EQ(Shown(543, 300), 0x707070u) << "after the light of a slice the next slice's aliens cover again";
}

TEST_F(MissionPicture, CrosshairPairIsAddedAtTheMouseAndTheAimPoint) {
  Flat(1, 32, 32, 0x646464);
  world.aimX = 200;
  world.aimY = 200;
  world.mouseX = 600;
  world.mouseY = 400;
  world.approachPhase = 1;
  Draw();
  EXPECT_EQ(Shown(200, 200), kBackground) << "no crosshair during the approach";
  EXPECT_EQ(Shown(600, 400), kBackground);

  world.approachPhase = 0;
  world.shakeOffsetX = 5;  // the shake moves the world, not the crosshair
  Draw();
  EXPECT_EQ(Shown(184, 184), 0x848484u)
      << "at the aim point, its top-left corner 16 up and left: 0x20 + 0x64";
  EXPECT_EQ(Shown(216, 216), 0x848484u) << "33 x 33: a quad is made one pixel larger than its picture";
  EXPECT_EQ(Shown(183, 184), kBackground);
  EXPECT_EQ(Shown(217, 216), kBackground);
  // 0x20 + 100 x 100 / 255 = 32 + 39.2.
  EXPECT_EQ(Shown(584, 384), 0x474747u) << "a faint one at the mouse, alpha 100";
  EXPECT_EQ(Shown(583, 384), kBackground);
  EXPECT_EQ(Shown(616, 416), 0x474747u);
}

TEST_F(MissionPicture, ShakeMovesTheBackgroundAndTheWorldOnly) {
  Flat(51, 440, 340, 0x303030, kSpritePlain);
  Flat(40, 8, 8, 0xC00000);
  Flat(20, 14, 20, 0x404040);
  SetQuadSize(20, 14, 20);
  PlaceAlien(0, 0, 11000.0f);
  world.hull = 4000;
  world.shakeOffsetX = 3;
  world.shakeOffsetY = -2;
  Draw();
  EXPECT_EQ(Shown(402, 100), kBackground) << "the left quarter reaches 400 - 40 + 440 + 3";
  EXPECT_EQ(Shown(403, 100), 0x303030u) << "the right quarter starts at 400 + 3";
  EXPECT_EQ(Shown(348, 280), 0xC00000u) << "the alien moved by (3, -2)";
  EXPECT_EQ(Shown(347, 280), kBackground);
  EXPECT_EQ(Shown(500, 50), 0x707070u) << "the gauges stay: 0x40 on the right quarter's 0x30";
}

TEST_F(MissionPicture, SparksRightInFrontOfTheViewerCoverTheScreen) {
  Flat(10, 8, 8, 0x404040);
  // 2000 units at depth 5 are 40000 pixels: far larger than the screen.
  Spark& spark = world.sparks.Append();
  spark = Spark{};
  spark.x = world.shipX;
  spark.z = 5.0f;
  spark.size = 2000.0f;
  spark.life = 255.0f;
  Draw();
  EXPECT_EQ(Shown(0, 0), 0x606060u) << "the spark's light over the whole screen";
  EXPECT_EQ(Shown(799, 599), 0x606060u);
}

}  // namespace

namespace {

// Frames between two steps: what moves is drawn where it stands at the fraction t of the step.
class BlendedPicture : public MissionPicture {
 protected:
  void SetUp() override {
    MissionPicture::SetUp();
    Flat(40, 8, 8, 0xC00000);
    Flat(10, 8, 8, 0x404040);
    Flat(11, 8, 8, 0x00C000);
  }

  static void DrawAt(float t) {
    DrawWorld(world, {t, 0, 0});
    PresentFrame();
  }

  // A 1600 x 1600 alien at depth 1600: 100 x 100 pixels, a world unit 1/16 pixel. It was 200 pixels
  // left of the centre after the previous step and is 200 right of it after the last one.
  static Alien& MovingAlien() {
    Alien& alien = PlaceAlien(3200.0f, 0, 1600.0f);
    alien.width = alien.height = 1600;
    alien.prevX = world.shipX - 3200.0f;
    alien.prevY = 0.0f;
    alien.prevZ = 1600.0f;
    alien.hasPrevious = 1;
    return alien;
  }
};

TEST_F(BlendedPicture, WhatMovesIsDrawnAtTheFractionOfTheStep) {
  MovingAlien();
  world.prevShipX = world.shipX;
  DrawAt(0.0f);
  EXPECT_EQ(Shown(200, 300), 0xC00000u) << "t = 0: where the previous step left it";
  EXPECT_EQ(Shown(600, 300), kBackground);
  DrawAt(0.5f);
  EXPECT_EQ(Shown(400, 300), 0xC00000u) << "t = 1/2: half way";
  EXPECT_EQ(Shown(200, 300), kBackground);
  EXPECT_EQ(Shown(600, 300), kBackground);
  DrawAt(1.0f);
  EXPECT_EQ(Shown(600, 300), 0xC00000u) << "t = 1: where the last step left it";
  EXPECT_EQ(Shown(400, 300), kBackground);

  // The ship moving 3200 units to the right carries the view with it: an alien that stands still
  // in the middle goes from 200 pixels right of the centre to the centre.
  world.aliens.At(0).prevX = world.aliens.At(0).x = world.shipX;
  world.prevShipX = world.shipX - 3200.0f;
  DrawAt(0.5f);
  EXPECT_EQ(Shown(500, 300), 0xC00000u) << "the viewpoint is blended too";
  EXPECT_EQ(Shown(400, 300), kBackground);
}

TEST_F(BlendedPicture, NewThingsStandWhereTheyAreAndRemovedOnesAreGone) {
  Shot& shot = world.shots.Append();
  shot.x = world.shipX;
  shot.z = 1600.0f;
  shot.width = shot.height = 1600;
  shot.quad = 11;
  shot.prevX = world.shipX - 3200.0f;  // stale values of a record made in this step count for nothing
  shot.prevZ = 30000.0f;
  world.prevShipX = world.shipX;
  DrawAt(0.0f);
  EXPECT_EQ(Shown(400, 300), 0x00C000u + kBackground) << "a shot fired in the last step: where it is";
  EXPECT_EQ(Shown(200, 300), kBackground);

  Spark& spark = world.sparks.Append();
  spark.x = world.shipX + 3200.0f;
  spark.z = 1600.0f;
  spark.size = 1600.0f;
  spark.life = 255.0f;
  BeginWorldStep();
  world.sparks.Clear();  // the spark pass of the next step removed it
  DrawAt(0.5f);
  EXPECT_EQ(Shown(600, 300), kBackground) << "a removed spark is not drawn, not even half way";
}

TEST_F(BlendedPicture, TheFleetKeepingsJumpIsNotBlended) {
  // Top edge below 450 after the step: the alien moves 200 units up for the next step.
  // A 160-unit alien at depth 1600 is 10 pixels; 4408 units below the centre its top edge is at
  // 570.5, drawn on the rows 570 to 579. 200 units up are 12.5 pixels: the rows 558 to 567.
  Alien& alien = PlaceAlien(0, 4408.0f, 1600.0f);
  alien.width = alien.height = 160;
  world.prevShipX = world.shipX;
  BeginWorldStep();
  SteerAliens();
  ASSERT_EQ(world.aliens.At(0).y, 4208.0f) << "setup: the alien is moved up";
  for (const float t : {0.0f, 0.5f, 1.0f}) {
    DrawAt(t);
    EXPECT_EQ(Shown(400, 575), 0xC00000u) << "t = " << t << ": drawn where it was until the step ends";
    EXPECT_EQ(Shown(400, 565), kBackground);
  }
  BeginWorldStep();
  for (const float t : {0.0f, 0.5f}) {
    DrawAt(t);
    EXPECT_EQ(Shown(400, 565), 0xC00000u) << "t = " << t << ": from the next step on 200 units up at once";
    EXPECT_EQ(Shown(400, 569), kBackground) << "never half way";
  }
}

TEST_F(BlendedPicture, DrawingChangesNothingOfTheGame) {
  MovingAlien();
  Spark& spark = world.sparks.Append();
  spark.z = 3000.0f;
  spark.size = 500.0f;
  spark.life = 100.0f;
  world.shakeOffsetX = 2;
  world.approachPhase = 0;
  world.aimX = world.prevAimX = 300;
  const World worldBefore = world;
  const GameState gameBefore = game;
  DrawAt(0.3f);
  EXPECT_EQ(std::memcmp(&world.aliens.At(0), &worldBefore.aliens.At(0), sizeof(Alien)), 0) << "the alien";
  EXPECT_EQ(std::memcmp(&world.sparks.At(0), &worldBefore.sparks.At(0), sizeof(Spark)), 0) << "the spark";
  EXPECT_EQ(std::memcmp(world.debris, worldBefore.debris, sizeof world.debris), 0) << "the debris";
  EXPECT_EQ(world.shipX, worldBefore.shipX);
  EXPECT_EQ(world.shakeOffsetX, worldBefore.shakeOffsetX);
  EXPECT_EQ(world.aimX, worldBefore.aimX);
  EXPECT_EQ(game.leaveLoop, gameBefore.leaveLoop);
  EXPECT_EQ(game.score, gameBefore.score);
}

}  // namespace
