// Draws a mission frame: background, the world by depth from far to near, crosshair, cockpit
// and gauges; steers and arms the aliens on the way.
#include "mission/mission_display.h"

#include <cmath>
#include <cstdlib>

#include "media/quads.h"
#include "media/screen_size.h"
#include "media/slots.h"
#include "media/sprites.h"
#include "mission/game_state.h"
#include "mission/rounding.h"
#include "platform/display.h"

namespace {

constexpr int kSliceCount = 61;  // depth slices 0 to 60, 1000 units deep each
constexpr float kSliceDepth = 1000.0f;

// The screen position of a world point: 100 / z pixels per world unit around the centre,
// moved by the screen shake.
struct Projection {
  float scale;  // 100 / z
  float cx;     // screen x of the centre
  float cy;     // screen y of the centre
};

Projection Project(float x, float y, float z) {
  const float scale = 100.0f / z;
  return {scale, (x - game.shipX) * scale + float(kScreenCentreX) + static_cast<float>(game.shakeOffsetX),
          (y - game.shipY) * scale + float(kScreenCentreY) + static_cast<float>(game.shakeOffsetY)};
}

bool InSlice(float z, int slice) {
  const float nearEdge = static_cast<float>(slice) * kSliceDepth;
  return z >= nearEdge && z < nearEdge + kSliceDepth;
}

// Steers and arms an alien drawn at (sx, sy), w pixels wide.
void SteerAlien(Alien& alien, float sx, float sy, int w) {
  // Keep the fleet on screen vertically; the new y counts from the next frame.
  if (sy > 450.0f) alien.y -= 200.0f;
  if (sy * 2.0f < 150.0f) alien.y += 200.0f;
  // Only an alien whose centre lies strictly between the screen's edges may fire.
  alien.armed =
      std::fabs(sx + static_cast<float>(w) / 2.0f - float(kScreenCentreX)) < float(kScreenCentreX) ? 1 : 0;
  // After the approach, aliens far off to either side turn back towards the ship.
  if (game.approachPhase == 0) {
    if (sx > 1000.0f && alien.drift > static_cast<float>(game.speed - 200)) {
      alien.drift -= 20.0f;
    } else if (sx < -200.0f && alien.drift < static_cast<float>(game.speed + 200)) {
      alien.drift += 20.0f;
    }
  }
}

void DrawAliens(int slice, bool steer) {
  for (int i = 0; i < game.aliens.Count(); ++i) {
    Alien& alien = game.aliens.At(i);
    if (!InSlice(alien.z, slice)) continue;
    const Projection at = Project(alien.x, alien.y, alien.z);
    const int w = CeilToInt(static_cast<float>(alien.width) * at.scale);
    const int h = CeilToInt(static_cast<float>(alien.height) * at.scale);
    const float sx = at.cx - static_cast<float>(w) / 2.0f;
    const float sy = at.cy - static_cast<float>(h) / 2.0f;
    if (steer) SteerAlien(alien, sx, sy, w);
    SetQuadSize(alien.quad, w, h);
    DrawQuad(alien.quad, RoundToInt(sx), RoundToInt(sy));
  }
}

void DrawDebris(int slice) {
  for (int i = 0; i <= game.lastDebrisIndex; ++i) {
    const Debris& piece = game.debris[i];
    if (piece.z < slice * 1000 || piece.z >= slice * 1000 + 1000) continue;
    const Projection at =
        Project(static_cast<float>(piece.x), static_cast<float>(piece.y), static_cast<float>(piece.z));
    const int s = CeilToInt(static_cast<float>(piece.size) * at.scale);
    const float half = static_cast<float>(s) / 2.0f;
    SetQuadSize(kDebrisQuad, s, s);
    SetQuadAngle(kDebrisQuad, piece.angle, 1);
    DrawQuad(kDebrisQuad, RoundToInt(at.cx - half), RoundToInt(at.cy - half));
  }
}

void DrawShots(int slice) {
  for (int i = 0; i < game.shots.Count(); ++i) {
    const Shot& shot = game.shots.At(i);
    if (!InSlice(shot.z, slice)) continue;
    const Projection at = Project(shot.x, shot.y, shot.z);
    const int w = CeilToInt(static_cast<float>(shot.width) * at.scale);
    const int h = CeilToInt(static_cast<float>(shot.height) * at.scale);
    SetQuadSize(shot.quad, w, h);
    SetQuadAngle(shot.quad, shot.spin, 1);
    DrawQuad(shot.quad, RoundToInt(at.cx - static_cast<float>(w) / 2.0f),
             RoundToInt(at.cy - static_cast<float>(h) / 2.0f));
  }
}

void DrawSparks(int slice) {
  for (int i = 0; i < game.sparks.Count(); ++i) {
    const Spark& spark = game.sparks.At(i);
    if (!InSlice(spark.z, slice)) continue;
    const Projection at = Project(spark.x, spark.y, spark.z);
    const int s = CeilToInt(spark.size * at.scale);
    const float half = static_cast<float>(s) / 2.0f;
    SetQuadSize(kSparkQuad, s, s);
    // The remaining life is the alpha.
    DrawQuadAlpha(kSparkQuad, RoundToInt(at.cx - half), RoundToInt(at.cy - half), RoundToInt(spark.life));
  }
}

// One bar of gauge segments, 12 pixels apart: segments 0 to last.
void DrawGauge(int row, int last) {
  for (int k = 0; k <= last; ++k) DrawQuad(kGaugeQuad, 500 + 12 * k, row);
}

// Everything but the present; `steer` steers and arms the aliens on the way.
void DrawMission(bool steer) {
  BlitSprite(kBackgroundTopLeft, game.shakeOffsetX - 40, game.shakeOffsetY - 40);
  BlitSprite(kBackgroundTopRight, game.shakeOffsetX + kScreenCentreX, game.shakeOffsetY - 40);
  BlitSprite(kBackgroundBottomLeft, game.shakeOffsetX - 40, game.shakeOffsetY + kScreenCentreY);
  BlitSprite(kBackgroundBottomRight, game.shakeOffsetX + kScreenCentreX, game.shakeOffsetY + kScreenCentreY);

  // Depth order comes from the slices alone: far to near, list order within a slice.
  BeginQuads();
  for (int slice = kSliceCount - 1; slice >= 0; --slice) {
    DrawAliens(slice, steer);
    DrawDebris(slice);
    SetQuadBlend(kBlendSourceAlpha, kBlendDestinationAlpha);  // shots and sparks add their light
    DrawShots(slice);
    DrawSparks(slice);
    // No defined pair: the aliens and debris of the next slice lie over what is below them again.
    SetQuadBlend(kBlendNone, kBlendZero);
  }
  EndQuads();

  if (game.approachPhase == 0) {
    BeginQuads();
    SetQuadBlend(kBlendSourceAlpha, kBlendDestinationAlpha);
    DrawQuadAlpha(kCrosshairQuad, game.mouseX - 16, game.mouseY - 16, 100);  // faint: the mouse itself
    DrawQuad(kCrosshairQuad, game.aimX - 16, game.aimY - 16);
    EndQuads();
  }

  BlitSprite(kCockpitTop, 0, 0);
  BlitSpriteKeyed(kCockpitRight, 470, 0);
  BlitSprite(kCockpitBottom, 0, 537);

  BeginQuads();
  SetQuadBlend(kBlendSourceAlpha, kBlendDestinationAlpha);  // the gauges glow
  if (game.hull > 0) DrawGauge(50, game.hull / 200);
  const int shownSpeed = std::abs(game.speed) < 1000 ? std::abs(game.speed) : 1000;
  DrawGauge(100, shownSpeed / 50);
  DrawGauge(150, static_cast<int>(game.energy) / 67);
  EndQuads();
}

}  // namespace

void DrawMissionFrame() {
  DrawMission(true);
  PresentFrame();
}

void DrawMissionStill() {
  DrawMission(false);
}
