// Quads: texture-mode sprites drawn as two textured triangles, scaled, turned and blended.
#include "media/quads.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "media/render_context.h"
#include "media/sprite_table.h"

namespace {

constexpr int kInitialQuads = 50;  // also the growth step: creating quad q beyond gives q + 50 slots

struct Quad {
  int sprite = -1;     // slot of the sprite whose texture is shown; -1 = empty quad
  float x[4] = {};     // corners relative to the draw position: 0 top-left, 1 top-right,
  float y[4] = {};     // 2 bottom-left, 3 bottom-right of the image
  int baseWidth = 0;   // sprite width + 1 at creation
  int baseHeight = 0;  // sprite height + 1 at creation
};

std::vector<Quad> quads(kInitialQuads);
int smoothing = 0;                              // 1: linear magnification, 0: nearest
bool passOpen = false;                          // between BeginQuads and EndQuads
SDL_BlendMode passBlend = SDL_BLENDMODE_BLEND;  // from SetQuadBlend, reset by BeginQuads

Quad* FilledQuad(int q) {
  if (q < 0 || std::size_t(q) >= quads.size() || quads[std::size_t(q)].sprite < 0) return nullptr;
  return &quads[std::size_t(q)];
}

void SetCorners(Quad& quad, float width, float height) {
  const float xs[4] = {0, width, 0, width};
  const float ys[4] = {0, 0, height, height};
  for (int k = 0; k < 4; ++k) {
    quad.x[k] = xs[k];
    quad.y[k] = ys[k];
  }
}

// One D3DBLEND factor for colours. The back buffer has no alpha channel of its own, so its alpha
// reads as 1: DESTALPHA (7) is ONE and INVDESTALPHA (8) is ZERO. False for 0, 11 and unknown numbers.
bool BlendFactor(int d3dBlend, SDL_BlendFactor& factor) {
  static constexpr SDL_BlendFactor kFactors[] = {
      SDL_BLENDFACTOR_ZERO,      SDL_BLENDFACTOR_ONE,
      SDL_BLENDFACTOR_SRC_COLOR, SDL_BLENDFACTOR_ONE_MINUS_SRC_COLOR,
      SDL_BLENDFACTOR_SRC_ALPHA, SDL_BLENDFACTOR_ONE_MINUS_SRC_ALPHA,
      SDL_BLENDFACTOR_ONE,       SDL_BLENDFACTOR_ZERO,
      SDL_BLENDFACTOR_DST_COLOR, SDL_BLENDFACTOR_ONE_MINUS_DST_COLOR};
  if (d3dBlend < 1 || d3dBlend > 10) return false;
  factor = kFactors[d3dBlend - 1];
  return true;
}

// Applies the pass's blending to the texture; a combination the renderer refuses blends by alpha.
void ApplyBlend(SDL_Texture* texture) {
  if (SDL_SetTextureBlendMode(texture, passBlend) != 0) SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
}

// Changing the filter takes effect on draws already queued, so those are drawn first.
void ApplySmoothing(SDL_Texture* texture) {
  const SDL_ScaleMode wanted = smoothing == 1 ? SDL_ScaleModeLinear : SDL_ScaleModeNearest;
  SDL_ScaleMode current = SDL_ScaleModeNearest;
  if (SDL_GetTextureScaleMode(texture, &current) == 0 && current == wanted) return;
  SDL_RenderFlush(renderContext.renderer);
  SDL_SetTextureScaleMode(texture, wanted);
}

// SDL 2.26's software renderer crashes on geometry reaching tens of thousands of pixels beyond
// its target (its fixed-point edge and stretch arithmetic overflows), as a spark right in front of
// the viewer does. Such a quad is cut down to the part within this distance of the screen first.
// The renderer takes texture coordinates as whole texels, so an unturned quad is cut along texel
// borders.
constexpr float kGuard = 1024.0f;

bool WithinGuard(const SDL_Vertex (&vertices)[4]) {
  for (const SDL_Vertex& vertex : vertices) {
    if (vertex.position.x < -kGuard || vertex.position.y < -kGuard ||
        vertex.position.x > float(renderContext.screenWidth) + kGuard ||
        vertex.position.y > float(renderContext.screenHeight) + kGuard) {
      return false;
    }
  }
  return true;
}

// Part of one axis of an unturned quad: a screen range and the texture range it shows.
struct Span {
  float from, to;        // screen pixels
  float texFrom, texTo;  // 0 to 1 across the texture
};

// Cuts the axis from `start` to `end`, showing `texels` texels, to the pieces that lie within
// `low` to `high`: the first and last visible texels cut at the limits (one texel shows one
// colour however much of it is drawn) and the whole texels between them. Returns the count.
int CutAxis(float start, float end, int texels, float low, float high, Span (&spans)[3]) {
  const float texel = (end - start) / float(texels);
  const auto edge = [&](int k) { return start + texel * float(k); };
  const auto tex = [&](int k) { return float(k) / float(texels); };
  const int first = std::clamp(int(std::floor((low - start) / texel)), 0, texels - 1);
  const int last = std::clamp(int(std::ceil((high - start) / texel)), first + 1, texels);  // one past
  Span all[3] = {{std::max(edge(first), low), std::min(edge(first + 1), high), tex(first), tex(first + 1)},
                 {edge(first + 1), edge(last - 1), tex(first + 1), tex(last - 1)},
                 {std::max(edge(last - 1), low), std::min(edge(last), high), tex(last - 1), tex(last)}};
  int count = 0;
  for (int k = 0; k < 3; ++k) {
    const bool used = k == 0 || (k == 1 && last - 1 > first + 1) || (k == 2 && last - 1 > first);
    if (used && all[k].from < all[k].to) spans[count++] = all[k];
  }
  return count;
}

// Draws the part of an unturned quad (corners 0 and 3 opposite) on the screen, piece by piece; no
// piece reaches beyond the screen, so the renderer's own cutting (which moves the picture by up to
// a texel) is not needed.
void DrawCutRectangle(SDL_Texture* texture, const SDL_Vertex (&vertices)[4], int texelsX, int texelsY) {
  static constexpr int kPieceTriangles[6] = {0, 1, 3, 0, 3, 2};
  const SDL_Color colour = vertices[0].color;
  Span across[3];
  Span down[3];
  const int countX = CutAxis(vertices[0].position.x, vertices[3].position.x, texelsX, 0.0f,
                             float(renderContext.screenWidth), across);
  const int countY = CutAxis(vertices[0].position.y, vertices[3].position.y, texelsY, 0.0f,
                             float(renderContext.screenHeight), down);
  for (int i = 0; i < countX; ++i) {
    for (int j = 0; j < countY; ++j) {
      const Span& x = across[i];
      const Span& y = down[j];
      const SDL_Vertex piece[4] = {{{x.from, y.from}, colour, {x.texFrom, y.texFrom}},
                                   {{x.to, y.from}, colour, {x.texTo, y.texFrom}},
                                   {{x.from, y.to}, colour, {x.texFrom, y.texTo}},
                                   {{x.to, y.to}, colour, {x.texTo, y.texTo}}};
      SDL_RenderGeometry(renderContext.renderer, texture, piece, 4, kPieceTriangles, 6);
    }
  }
}

// One step of polygon clipping: keeps the part of the convex polygon `in` (count vertices) whose
// x (axis 0) or y (axis 1) lies on the kept side of `limit`, with texture coordinates carried along.
int ClipToBorder(const SDL_Vertex* in, int count, SDL_Vertex* out, int axis, float limit, bool keepLess) {
  const auto coordinate = [axis](const SDL_Vertex& v) { return axis == 0 ? v.position.x : v.position.y; };
  const auto inside = [&](const SDL_Vertex& v) {
    return keepLess ? coordinate(v) <= limit : coordinate(v) >= limit;
  };
  int kept = 0;
  for (int i = 0; i < count; ++i) {
    const SDL_Vertex& a = in[i];
    const SDL_Vertex& b = in[(i + 1) % count];
    if (inside(a)) out[kept++] = a;
    if (inside(a) != inside(b)) {
      const float t = (limit - coordinate(a)) / (coordinate(b) - coordinate(a));
      SDL_Vertex cut = a;
      cut.position.x = a.position.x + t * (b.position.x - a.position.x);
      cut.position.y = a.position.y + t * (b.position.y - a.position.y);
      cut.tex_coord.x = a.tex_coord.x + t * (b.tex_coord.x - a.tex_coord.x);
      cut.tex_coord.y = a.tex_coord.y + t * (b.tex_coord.y - a.tex_coord.y);
      out[kept++] = cut;
    }
  }
  return kept;
}

// Draws the part of a turned quad near the screen as a fan of triangles. Its texture coordinates
// fall between texels and are rounded by the renderer: the picture may shift by up to a texel,
// which only a quad far larger than the screen shows.
void DrawClippedPolygon(SDL_Texture* texture, const SDL_Vertex (&vertices)[4]) {
  SDL_Vertex polygon[8] = {vertices[0], vertices[1], vertices[3], vertices[2]};  // around the edge
  SDL_Vertex cut[8];
  int count = 4;
  const float right = float(renderContext.screenWidth) + kGuard;
  const float bottom = float(renderContext.screenHeight) + kGuard;
  count = ClipToBorder(polygon, count, cut, 0, -kGuard, false);
  count = ClipToBorder(cut, count, polygon, 0, right, true);
  count = ClipToBorder(polygon, count, cut, 1, -kGuard, false);
  count = ClipToBorder(cut, count, polygon, 1, bottom, true);
  if (count < 3) return;
  int indices[18];
  for (int k = 0; k < count - 2; ++k) {
    indices[3 * k] = 0;
    indices[3 * k + 1] = k + 1;
    indices[3 * k + 2] = k + 2;
  }
  SDL_RenderGeometry(renderContext.renderer, texture, polygon, count, indices, 3 * (count - 2));
}

// Draws a quad reaching far beyond the screen.
void DrawFarReaching(SDL_Texture* texture, const SDL_Vertex (&vertices)[4], int texelsX, int texelsY) {
  const bool unturned =
      vertices[0].position.y == vertices[1].position.y && vertices[2].position.y == vertices[3].position.y &&
      vertices[0].position.x == vertices[2].position.x && vertices[1].position.x == vertices[3].position.x;
  if (!unturned) {
    DrawClippedPolygon(texture, vertices);
  } else if (vertices[3].position.x > vertices[0].position.x &&
             vertices[3].position.y > vertices[0].position.y && texelsX > 0 && texelsY > 0) {
    DrawCutRectangle(texture, vertices, texelsX, texelsY);
  }
}

}  // namespace

int InitQuads() {
  quads.assign(kInitialQuads, Quad{});
  passOpen = false;
  return 1;
}

int CreateQuad(int q, int sprite) {
  if (q < 0) return 0;
  if (std::size_t(q) >= quads.size()) quads.resize(std::size_t(q) + kInitialQuads);
  Quad& quad = quads[std::size_t(q)];
  quad = Quad{};
  const Sprite* source = SpriteSlot(sprite);
  if (source == nullptr || source->mode != 4) return 0;
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
  smoothing = on;
}

int BeginQuads() {
  if (!HasBackBuffer() || !TargetBackBuffer()) return 0;
  passOpen = true;
  passBlend = SDL_BLENDMODE_BLEND;  // source alpha, inverse source alpha
  return 1;
}

void DrawQuad(int q, int x, int y) {
  DrawQuadAlpha(q, x, y, 255);
}

void DrawQuadAlpha(int q, int x, int y, int alpha) {
  const Quad* quad = FilledQuad(q);
  if (!passOpen || quad == nullptr || !HasBackBuffer()) return;
  Sprite* sprite = SpriteSlot(quad->sprite);
  if (sprite == nullptr) return;
  SDL_Texture* texture = SpriteTexture(*sprite);
  if (texture == nullptr || !TargetBackBuffer()) return;
  ApplySmoothing(texture);
  ApplyBlend(texture);
  static constexpr float kU[4] = {0, 1, 0, 1};
  static constexpr float kV[4] = {0, 0, 1, 1};
  const SDL_Color colour{255, 255, 255, Uint8(alpha & 0xFF)};
  SDL_Vertex vertices[4];
  for (int k = 0; k < 4; ++k)
    vertices[k] = SDL_Vertex{{quad->x[k] + float(x), quad->y[k] + float(y)}, colour, {kU[k], kV[k]}};
  // Two triangles covering the same parallelogram as the strip 0-1-2, 1-2-3, split along the
  // other diagonal: SDL's software renderer then draws an axis-aligned quad as an exact (and
  // filtered) copy instead of through its triangle filler, which drops the last texel column.
  static constexpr int kTriangles[6] = {0, 1, 3, 0, 3, 2};
  if (!WithinGuard(vertices)) {
    DrawFarReaching(texture, vertices, sprite->width, sprite->height);
    return;
  }
  SDL_RenderGeometry(renderContext.renderer, texture, vertices, 4, kTriangles, 6);
}

void SetQuadBlend(int source, int destination) {
  SDL_BlendFactor sourceFactor;
  SDL_BlendFactor destinationFactor;
  if (!BlendFactor(source, sourceFactor) || !BlendFactor(destination, destinationFactor)) {
    passBlend = SDL_BLENDMODE_BLEND;  // (0, 1) among them: the quads that follow cover what lies below
  } else if (sourceFactor == SDL_BLENDFACTOR_SRC_ALPHA &&
             destinationFactor == SDL_BLENDFACTOR_ONE_MINUS_SRC_ALPHA) {
    passBlend = SDL_BLENDMODE_BLEND;
  } else if (sourceFactor == SDL_BLENDFACTOR_SRC_ALPHA && destinationFactor == SDL_BLENDFACTOR_ONE) {
    passBlend = SDL_BLENDMODE_ADD;  // (5, 7): old + texel x alpha, saturated
  } else {
    // The back buffer's alpha is left as it is.
    passBlend = SDL_ComposeCustomBlendMode(sourceFactor, destinationFactor, SDL_BLENDOPERATION_ADD,
                                           SDL_BLENDFACTOR_ZERO, SDL_BLENDFACTOR_ONE, SDL_BLENDOPERATION_ADD);
  }
}

void EndQuads() {
  passOpen = false;
}

void ClearQuads() {
  for (Quad& quad : quads) quad = Quad{};
}

float QuadCornerX(int q, int k) {
  const Quad* quad = FilledQuad(q);
  return quad == nullptr || k < 0 || k > 3 ? 0.0f : quad->x[k];
}

float QuadCornerY(int q, int k) {
  const Quad* quad = FilledQuad(q);
  return quad == nullptr || k < 0 || k > 3 ? 0.0f : quad->y[k];
}
