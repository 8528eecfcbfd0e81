// The game's icon for the desktop: the crosshair on an alien ship against deep space.
#include <cmath>

#include "tools/artgen/noise.h"
#include "tools/artgen/pictures.h"

namespace {

constexpr int kDrawnSize = 256;  // drawn once at this size, then scaled down
constexpr float kEdge = 12.0f;   // transparent margin around the rounded square
constexpr float kCorner = 44.0f;

Rgb Green(float level) {
  return Rgb{0.25f, 1.0f, 0.45f} * level;
}

Canvas DrawIcon() {
  const float size = static_cast<float>(kDrawnSize);
  const float centre = size / 2.0f;
  Canvas c(kDrawnSize, kDrawnSize);
  const Sdf tile = RoundedBox(kEdge, kEdge, size - kEdge, size - kEdge, kCorner);
  // Deep blue space with a violet haze towards the lower right.
  PaintShape(c, Bounds(0, 0, size, size), tile, [=](float x, float y) {
    const float haze = Fbm(x / 70.0f, y / 70.0f, 31, 4) * SmoothStep(60.0f, 260.0f, x + y - 120.0f);
    return Mix(Rgb{0.02f, 0.03f, 0.09f}, Rgb{0.16f, 0.07f, 0.26f}, Clamp01(haze * 1.4f));
  });
  Rng stars(77);
  for (int k = 0; k < 40; ++k) {
    const float x = stars.Range(kEdge + 10.0f, size - kEdge - 10.0f);
    const float y = stars.Range(kEdge + 10.0f, size - kEdge - 10.0f);
    AddGlow(c, x, y, stars.Range(0.5f, 1.3f), Rgb{0.8f, 0.85f, 1.0f} * stars.Range(0.3f, 0.9f));
  }
  // The alien ship in the middle: a red hull with a hot core.
  PaintShape(c, Bounds(centre - 60, centre - 30, centre + 60, centre + 30),
             Ellipse(centre, centre, 46.0f, 15.0f), [=](float, float y) {
               return Mix(Rgb{0.95f, 0.35f, 0.25f}, Rgb{0.35f, 0.06f, 0.08f}, (y - centre + 15.0f) / 30.0f);
             });
  PaintShape(c, Bounds(centre - 30, centre - 30, centre + 30, centre),
             Ellipse(centre, centre - 8.0f, 18.0f, 13.0f), Rgb{0.55f, 0.85f, 1.0f}, 0.85f);
  AddGlow(c, centre, centre + 2.0f, 10.0f, Rgb{1.0f, 0.5f, 0.3f} * 0.5f);
  // The green crosshair around it: a ring, four ticks and a dot.
  AddShape(c, Bounds(0, 0, size, size), Ring(centre, centre, 72.0f, 4.5f),
           [](float, float) { return Green(1.0f); });
  AddShape(c, Bounds(0, 0, size, size), Ring(centre, centre, 72.0f, 12.0f),
           [](float, float) { return Green(0.18f); });
  for (float sign : {-1.0f, 1.0f}) {
    AddShape(c, Bounds(0, 0, size, size),
             Capsule(centre + sign * 56.0f, centre, centre + sign * 100.0f, centre, 4.0f),
             [](float, float) { return Green(1.0f); });
    AddShape(c, Bounds(0, 0, size, size),
             Capsule(centre, centre + sign * 56.0f, centre, centre + sign * 100.0f, 4.0f),
             [](float, float) { return Green(1.0f); });
  }
  AddGlow(c, centre, centre, 3.0f, Green(1.2f));
  // Light outside the tile would show on the desktop: keep it inside.
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < c.width; ++x) c.At(x, y) = c.At(x, y) * Clamp01(c.Alpha(x, y));
  }
  return c;
}

}  // namespace

Canvas MakeIcon(int size) {
  const Canvas drawn = DrawIcon();
  return size == kDrawnSize ? drawn : Resample(drawn, size, size);
}
