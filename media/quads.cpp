// Quads: texture-mode sprites drawn as two textured triangles, scaled, turned and blended.
#include "media/quads.h"

#include <cmath>
#include <vector>

#include "media/screen_buffers.h"
#include "media/sprite_table.h"
#include "media/sprites.h"
#include "raster/quad_bands.h"

namespace {

constexpr int kInitialQuads = 50;  // also the growth step: creating quad q beyond gives q + 50 slots

struct Quad {
  int sprite = -1;     // slot of the sprite whose texture is shown; -1 = empty quad
  float x[4] = {};     // corners relative to the draw position: 0 top-left, 1 top-right,
  float y[4] = {};     // 2 bottom-left, 3 bottom-right of the image
  int baseWidth = 0;   // sprite width + 1 at creation
  int baseHeight = 0;  // sprite height + 1 at creation
};

struct QuadState {
  std::vector<Quad> quads = std::vector<Quad>(kInitialQuads);
  bool smoothing = false;                // linear magnification; else nearest
  bool passOpen = false;                 // between BeginQuads and EndQuads
  int sourceFactor = kBlendSourceAlpha;  // from SetQuadBlend, reset by BeginQuads
  int destinationFactor = kBlendInverseSourceAlpha;
};

QuadState state;

Quad* FilledQuad(int q) {
  if (q < 0 || std::size_t(q) >= state.quads.size() || state.quads[std::size_t(q)].sprite < 0) return nullptr;
  return &state.quads[std::size_t(q)];
}

void SetCorners(Quad& quad, float width, float height) {
  const float xs[4] = {0, width, 0, width};
  const float ys[4] = {0, 0, height, height};
  for (int k = 0; k < 4; ++k) {
    quad.x[k] = xs[k];
    quad.y[k] = ys[k];
  }
}

}  // namespace

int InitQuads() {
  state = QuadState{};
  return 1;
}

int CreateQuad(int q, int sprite) {
  if (q < 0) return 0;
  if (std::size_t(q) >= state.quads.size()) state.quads.resize(std::size_t(q) + kInitialQuads);
  Quad& quad = state.quads[std::size_t(q)];
  quad = Quad{};
  const Sprite* source = SpriteSlot(sprite);
  if (source == nullptr || source->mode != kSpriteTexture) return 0;
  quad.sprite = sprite;
  // One pixel wider and higher than the sprite.
  quad.baseWidth = source->width + 1;
  quad.baseHeight = source->height + 1;
  SetCorners(quad, float(quad.baseWidth), float(quad.baseHeight));
  return 1;
}

void SetQuadSize(int q, int width, int height) {
  if (Quad* quad = FilledQuad(q)) SetCorners(*quad, float(width), float(height));
}

void SetQuadAngle(int q, int angle, int mode) {
  Quad* quad = FilledQuad(q);
  if (quad == nullptr) return;
  // Mode 0 turns about the middle of the base size, any other mode about the middle of the current
  // corner 3, so callers set the size before every rotation.
  const int cx = mode == 0 ? quad->baseWidth / 2 : int(quad->x[3] / 2.0);
  const int cy = mode == 0 ? quad->baseHeight / 2 : int(quad->y[3] / 2.0);
  // 0.0175 per degree and a step of 1.575 between corners, both in single precision: 360 degrees
  // turn by 6.3 radians and the square is very slightly irregular.
  float t = 0.0175f * float(angle);
  // Corners 0, 1, 3, 2 in turn: (cx, -cy) from the centre, turned by t.
  for (int k : {0, 1, 3, 2}) {
    const double c = std::cos(double(t));
    const double s = std::sin(double(t));
    quad->x[k] = float(cx + cx * c + cy * s);
    quad->y[k] = float(cy + cx * s - cy * c);
    t += 1.575f;
  }
}

void SetQuadSmoothing(int on) {
  state.smoothing = on == 1;
}

int BeginQuads() {
  if (!HasBackBuffer()) return 0;
  state.passOpen = true;
  state.sourceFactor = kBlendSourceAlpha;
  state.destinationFactor = kBlendInverseSourceAlpha;
  return 1;
}

void DrawQuad(int q, int x, int y) {
  DrawQuadAlpha(q, x, y, 255);
}

void DrawQuadAlpha(int q, int x, int y, int alpha) {
  const Quad* quad = FilledQuad(q);
  if (!state.passOpen || quad == nullptr || !HasBackBuffer()) return;
  Sprite* sprite = SpriteSlot(quad->sprite);
  if (sprite == nullptr) return;
  QuadPaint paint;
  paint.texels = sprite->pixels.data();
  paint.lanes = SpriteLanes(*sprite);  // made here, before a second thread may read them
  paint.textureWidth = sprite->width;
  paint.textureHeight = sprite->height;
  // Corner plus position in single precision, as the vertices of the quad are.
  for (int k = 0; k < 4; ++k) {
    paint.x[k] = quad->x[k] + float(x);
    paint.y[k] = quad->y[k] + float(y);
  }
  paint.alpha = alpha & 0xFF;
  paint.smoothing = state.smoothing;
  paint.sourceFactor = state.sourceFactor;
  paint.destinationFactor = state.destinationFactor;
  DrawQuadInBands(paint, BackBufferArea());
}

void SetQuadBlend(int source, int destination) {
  state.sourceFactor = source;
  state.destinationFactor = destination;
}

void EndQuads() {
  state.passOpen = false;
}

void ClearQuads() {
  for (Quad& quad : state.quads) quad = Quad{};
}

float QuadCornerX(int q, int k) {
  const Quad* quad = FilledQuad(q);
  return quad == nullptr || k < 0 || k > 3 ? 0.0f : quad->x[k];
}

float QuadCornerY(int q, int k) {
  const Quad* quad = FilledQuad(q);
  return quad == nullptr || k < 0 || k > 3 ? 0.0f : quad->y[k];
}
