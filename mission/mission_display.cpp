// Draws a mission frame from far to near, between the last two steps of the game.
#include "mission/mission_display.h"

#include <cmath>
#include <cstdlib>

#include "media/quads.h"
#include "media/screen_size.h"
#include "media/slots.h"
#include "media/sprites.h"
#include "mission/blend.h"
#include "mission/projection.h"
#include "mission/rounding.h"
#include "platform/display.h"
#include "platform/frame_pacing.h"
#include "platform/input.h"

namespace {

// What one frame draws from: the world, the moment, and the viewpoint between the two steps.
struct Scene {
  const World& world;
  float t;
  Viewpoint view;
};

// An object's value at the frame's moment: blended while it has a previous one.
float At(const Scene& scene, int hasPrevious, float previous, float now) {
  return hasPrevious != 0 ? Blend(previous, now, scene.t) : now;
}

void DrawAliens(const Scene& scene, int slice) {
  for (int i = 0; i < scene.world.aliens.Count(); ++i) {
    const Alien& alien = scene.world.aliens.At(i);
    // Where the last step left it, before the fleet keeping moved it for the next one.
    const float z = At(scene, alien.hasPrevious, alien.prevZ, alien.z);
    if (!InSlice(z, slice)) continue;
    const float x = At(scene, alien.hasPrevious, alien.prevX, alien.x);
    const float y = At(scene, alien.hasPrevious, alien.prevY, alien.y - alien.jumpY);
    const Projection at = Project(scene.view, x, y, z);
    const int w = ProjectedLength(static_cast<float>(alien.width), at);
    const int h = ProjectedLength(static_cast<float>(alien.height), at);
    SetQuadSize(alien.quad, w, h);
    DrawQuad(alien.quad, RoundToInt(at.cx - static_cast<float>(w) / 2.0f),
             RoundToInt(at.cy - static_cast<float>(h) / 2.0f));
  }
}

void DrawDebris(const Scene& scene, int slice) {
  for (int i = 0; i <= scene.world.lastDebrisIndex; ++i) {
    const Debris& piece = scene.world.debris[i];
    if (piece.z < slice * 1000 || piece.z >= slice * 1000 + 1000) continue;
    // The place is not blended: it changes only when the piece wraps round ahead of the ship.
    const Projection at = Project(scene.view, static_cast<float>(piece.x), static_cast<float>(piece.y),
                                  static_cast<float>(piece.z));
    const int s = ProjectedLength(static_cast<float>(piece.size), at);
    const float half = static_cast<float>(s) / 2.0f;
    SetQuadSize(kDebrisQuad, s, s);
    SetQuadAngle(kDebrisQuad, RoundToInt(BlendDegrees(piece.prevAngle, piece.angle, scene.t)), 1);
    DrawQuad(kDebrisQuad, RoundToInt(at.cx - half), RoundToInt(at.cy - half));
  }
}

void DrawShots(const Scene& scene, int slice) {
  for (int i = 0; i < scene.world.shots.Count(); ++i) {
    const Shot& shot = scene.world.shots.At(i);
    const float z = At(scene, shot.hasPrevious, shot.prevZ, shot.z);
    if (!InSlice(z, slice)) continue;
    const Projection at = Project(scene.view, At(scene, shot.hasPrevious, shot.prevX, shot.x),
                                  At(scene, shot.hasPrevious, shot.prevY, shot.y), z);
    const int w = ProjectedLength(static_cast<float>(shot.width), at);
    const int h = ProjectedLength(static_cast<float>(shot.height), at);
    const float spin = shot.hasPrevious != 0 ? BlendDegrees(shot.prevSpin, shot.spin, scene.t)
                                             : static_cast<float>(shot.spin);
    SetQuadSize(shot.quad, w, h);
    SetQuadAngle(shot.quad, RoundToInt(spin), 1);
    DrawQuad(shot.quad, RoundToInt(at.cx - static_cast<float>(w) / 2.0f),
             RoundToInt(at.cy - static_cast<float>(h) / 2.0f));
  }
}

void DrawSparks(const Scene& scene, int slice) {
  for (int i = 0; i < scene.world.sparks.Count(); ++i) {
    const Spark& spark = scene.world.sparks.At(i);
    const float z = At(scene, spark.hasPrevious, spark.prevZ, spark.z);
    if (!InSlice(z, slice)) continue;
    const Projection at = Project(scene.view, At(scene, spark.hasPrevious, spark.prevX, spark.x),
                                  At(scene, spark.hasPrevious, spark.prevY, spark.y), z);
    const int s = ProjectedLength(At(scene, spark.hasPrevious, spark.prevSize, spark.size), at);
    const float half = static_cast<float>(s) / 2.0f;
    SetQuadSize(kSparkQuad, s, s);
    // The remaining life is the alpha.
    DrawQuadAlpha(kSparkQuad, RoundToInt(at.cx - half), RoundToInt(at.cy - half),
                  RoundToInt(At(scene, spark.hasPrevious, spark.prevLife, spark.life)));
  }
}

// One bar of gauge segments, 12 pixels apart: segments 0 to last.
void DrawGauge(int row, int last) {
  for (int k = 0; k <= last; ++k) DrawQuad(kGaugeQuad, 500 + 12 * k, row);
}

}  // namespace

void DrawWorld(const World& world, const FrameMoment& moment) {
  const Scene scene{world,
                    moment.t,
                    // The shake is the last step's: a blend of two random offsets would only blur it.
                    {Blend(world.prevShipX, world.shipX, moment.t),
                     Blend(world.prevShipY, world.shipY, moment.t), world.shakeOffsetX, world.shakeOffsetY}};
  const int shakeX = world.shakeOffsetX;
  const int shakeY = world.shakeOffsetY;
  BlitSprite(kBackgroundTopLeft, shakeX - 40, shakeY - 40);
  BlitSprite(kBackgroundTopRight, shakeX + kScreenCentreX, shakeY - 40);
  BlitSprite(kBackgroundBottomLeft, shakeX - 40, shakeY + kScreenCentreY);
  BlitSprite(kBackgroundBottomRight, shakeX + kScreenCentreX, shakeY + kScreenCentreY);

  // Depth order comes from the slices alone: far to near, list order within a slice.
  BeginQuads();
  for (int slice = kSliceCount - 1; slice >= 0; --slice) {
    DrawAliens(scene, slice);
    DrawDebris(scene, slice);
    SetQuadBlend(kBlendSourceAlpha, kBlendDestinationAlpha);  // shots and sparks add their light
    DrawShots(scene, slice);
    DrawSparks(scene, slice);
    // No defined pair: the aliens and debris of the next slice lie over what is below them again.
    SetQuadBlend(kBlendNone, kBlendZero);
  }
  EndQuads();

  if (world.approachPhase == 0) {
    BeginQuads();
    SetQuadBlend(kBlendSourceAlpha, kBlendDestinationAlpha);
    DrawQuadAlpha(kCrosshairQuad, moment.pointerX - 16, moment.pointerY - 16,
                  100);  // faint: the mouse itself
    DrawQuad(kCrosshairQuad, RoundToInt(Blend(float(world.prevAimX), float(world.aimX), moment.t)) - 16,
             RoundToInt(Blend(float(world.prevAimY), float(world.aimY), moment.t)) - 16);
    EndQuads();
  }

  BlitSprite(kCockpitTop, 0, 0);
  BlitSpriteKeyed(kCockpitRight, 470, 0);
  BlitSprite(kCockpitBottom, 0, 537);

  BeginQuads();
  SetQuadBlend(kBlendSourceAlpha, kBlendDestinationAlpha);  // the gauges glow
  if (world.hull > 0) DrawGauge(50, world.hull / 200);
  const int shownSpeed = std::abs(world.speed) < 1000 ? std::abs(world.speed) : 1000;
  DrawGauge(100, shownSpeed / 50);
  DrawGauge(150, static_cast<int>(world.energy) / 67);
  EndQuads();
}

void DrawMissionFrame(float t) {
  FrameMoment moment{t, 0, 0};
  PeekMousePos(moment.pointerX, moment.pointerY);
  DrawWorld(world, moment);
  PresentFrame();
}

void DrawMissionStill() {
  DrawWorld(world, {StepFraction(), world.mouseX, world.mouseY});
}
