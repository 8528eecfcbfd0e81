// The cockpit frame around the world view: canopy rim, gauge panel and console.
#include <algorithm>
#include <cmath>

#include "base/translation.h"
#include "tools/artgen/noise.h"
#include "tools/artgen/pictures.h"
#include "tools/artgen/text.h"

namespace {

// Gunmetal with fine horizontal brushing; `shade` scales its brightness.
Rgb Brushed(float x, float y, float shade, std::uint32_t seed) {
  float streak =
      ValueNoise(x * 0.02f, y * 1.3f, seed) * 0.6f + ValueNoise(x * 0.3f, y * 0.9f, seed + 1) * 0.4f;
  float blotch = Fbm(x * 0.01f, y * 0.05f, seed + 2, 3);
  Rgb metal{0.19f, 0.2f, 0.235f};
  return metal * (shade * (0.86f + 0.16f * streak + 0.12f * blotch));
}

// A dome-headed rivet lit from the upper left.
void Rivet(Canvas& c, float x, float y, float r) {
  PaintShape(c, Bounds(x - r, y - r + 1, x + r, y + r + 1), Circle(x + 0.6f, y + 0.8f, r),
             Rgb{0.03f, 0.03f, 0.04f}, 0.6f);
  PaintShape(c, Bounds(x - r, y - r, x + r, y + r), Circle(x, y, r), [=](float px, float py) {
    float t = Clamp01(((px - x) + (py - y)) / (2.0f * r) * 0.9f + 0.5f);
    return Mix(Rgb{0.62f, 0.64f, 0.68f}, Rgb{0.12f, 0.12f, 0.14f}, t);
  });
}

// A small lamp with a glow around it.
void Lamp(Canvas& c, float x, float y, float r, Rgb colour, float power) {
  PaintShape(c, Bounds(x - r - 1, y - r - 1, x + r + 1, y + r + 1), Circle(x, y, r + 1.0f),
             Rgb{0.05f, 0.05f, 0.06f});
  PaintShape(c, Bounds(x - r, y - r, x + r, y + r), Circle(x, y, r), [=](float px, float py) {
    float d =
        std::sqrt((px - x + r * 0.3f) * (px - x + r * 0.3f) + (py - y + r * 0.3f) * (py - y + r * 0.3f)) / r;
    return Mix(Rgb{1.0f, 1.0f, 1.0f}, colour, Clamp01(d * 1.6f)) * (0.35f + 0.65f * power);
  });
  AddGlow(c, x, y, r * 1.6f, colour * (0.35f * power));
}

// A recessed area: dark inside, its upper and left edges in shadow, the lower and right ones lit.
void Recess(Canvas& c, float x0, float y0, float x1, float y1, Rgb inside) {
  PaintShape(c, Bounds(x0 - 1, y0 - 1, x1 + 1, y1 + 1), RoundedBox(x0 - 1, y0 - 1, x1 + 1, y1 + 1, 2.0f),
             Rgb{0.42f, 0.44f, 0.48f});
  PaintShape(c, Bounds(x0 - 1, y0 - 1, x1, y1), RoundedBox(x0 - 1, y0 - 1, x1, y1, 2.0f),
             Rgb{0.04f, 0.04f, 0.05f});
  PaintShape(c, Bounds(x0, y0, x1, y1), RoundedBox(x0, y0, x1, y1, 1.5f),
             [=](float, float py) { return inside * (0.8f + 0.4f * (py - y0) / (y1 - y0)); });
}

// Lettering engraved in the metal: light letters with a dark shadow below them.
void Engrave(Canvas& c, const std::string& text, int size, float x, float y, Rgb colour) {
  Mask letters = RenderText(kSansCondensedBold, size, text, 1);
  int ix = static_cast<int>(x);
  int iy = static_cast<int>(y);
  PaintMask(
      c, letters, ix + 1, iy + 1,
      [](float, float) {
        return Rgb{0.02f, 0.02f, 0.03f};
      },
      0.8f);
  PaintMask(c, letters, ix, iy, [=](float, float) { return colour; });
}

}  // namespace

Canvas MakeCanopyRim() {
  Canvas c(800, 40);
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < c.width; ++x) {
      float fy = static_cast<float>(y);
      float fx = static_cast<float>(x);
      float shade;
      if (y < 27)
        shade = 0.7f + 0.45f * fy / 27.0f;  // the frame, lit more towards its lip
      else if (y < 29)
        shade = 2.3f;  // the ridge catching the light
      else
        shade = 1.05f - 0.75f * (fy - 29.0f) / 10.0f;  // the underside, turning away
      c.At(x, y) = Brushed(fx, fy, shade, 61);
    }
  }
  // The last row is the edge of the canopy glass.
  for (int x = 0; x < c.width; ++x) c.At(x, 39) = Rgb{0.3f, 0.36f, 0.42f};
  // Panel seams and rivets.
  for (int seam = 100; seam < 800; seam += 200) {
    float sx = static_cast<float>(seam);
    PaintShape(c, Bounds(sx - 1, 0, sx + 2, 27), RoundedBox(sx, 0, sx + 1, 27, 0), Rgb{0.05f, 0.05f, 0.06f});
    PaintShape(c, Bounds(sx, 0, sx + 3, 27), RoundedBox(sx + 1, 0, sx + 2, 27, 0), Rgb{0.34f, 0.35f, 0.38f},
               0.7f);
  }
  for (int k = 0; k < 20; ++k) {
    float x = 20.0f + 40.0f * static_cast<float>(k);
    if (static_cast<int>(x) % 200 == 100) continue;
    Rivet(c, x, 13.0f, 2.6f);
  }
  // The centre plate with the ship's status lamps.
  PaintShape(c, Bounds(348, 3, 452, 25), RoundedBox(350, 4, 450, 24, 3),
             [](float x, float y) { return Brushed(x, y, 1.35f - 0.02f * (y - 4.0f), 62); });
  PaintShape(c, Bounds(348, 3, 452, 6), RoundedBox(352, 4, 448, 5, 0.5f), Rgb{0.5f, 0.52f, 0.56f}, 0.6f);
  Lamp(c, 372, 14, 2.5f, Rgb{0.2f, 1.0f, 0.35f}, 1.0f);
  Lamp(c, 388, 14, 2.5f, Rgb{0.2f, 1.0f, 0.35f}, 1.0f);
  Lamp(c, 412, 14, 2.5f, Rgb{1.0f, 0.7f, 0.15f}, 0.8f);
  Lamp(c, 428, 14, 2.5f, Rgb{1.0f, 0.22f, 0.15f}, 0.35f);
  return c;
}

Canvas MakeGaugePanel() {
  Canvas c(330, 188);
  // The plate hangs from the canopy rim; its lower left corner is cut off towards the view.
  Sdf plate = Polygon({0, 0, 330, 0, 330, 188, 44, 188, 0, 146});
  PaintShape(c, Bounds(0, 0, 330, 188), plate, [&](float x, float y) {
    // Bevel: the edge's direction decides whether it faces the light (upper left) or not.
    float d = plate(x, y);
    float gx = plate(x + 0.5f, y) - plate(x - 0.5f, y);
    float gy = plate(x, y + 0.5f) - plate(x, y - 0.5f);
    float facing = gx * -0.6f + gy * -0.8f;  // positive where the edge faces the light
    float bevel = SmoothStep(-4.0f, -1.0f, d) * facing;
    float shade = 1.25f + 0.15f * (y / 188.0f) + 0.9f * bevel;
    return Brushed(x, y, std::max(shade, 0.25f), 63);
  });
  // The gauges: segments 14 x 20 drawn 12 apart from local x 30, rows at y 50, 100 and 150.
  // TRANSLATORS: the labels of the three gauges of the cockpit, in capitals of 11 pixels.
  const std::string labels[3] = {Translated("HÜLLE"), Translated("TEMPO"), Translated("ENERGIE")};
  const Rgb lampColours[3] = {{0.25f, 1.0f, 0.4f}, {1.0f, 0.72f, 0.2f}, {0.25f, 0.8f, 1.0f}};
  for (int row = 0; row < 3; ++row) {
    float top = 50.0f + 50.0f * static_cast<float>(row);
    Recess(c, 24.0f, top - 4.0f, 290.0f, top + 24.0f, Rgb{0.025f, 0.05f, 0.05f});
    for (int k = 0; k < 21; ++k) {
      // A dim empty cell where each segment lights up, so the bar shows its full length.
      float x = 30.0f + 12.0f * static_cast<float>(k);
      PaintShape(c, Bounds(x + 2, top + 2, x + 12, top + 18),
                 RoundedBox(x + 2.5f, top + 2.0f, x + 11.5f, top + 18.0f, 1.5f), Rgb{0.03f, 0.1f, 0.08f});
    }
    Engrave(c, labels[row], 11, 26.0f, top - 20.0f, Rgb{0.72f, 0.8f, 0.76f});
    // Scale marks under the gauge: a tick below every fifth segment.
    for (int k = 0; k <= 20; k += 5) {
      float x = 37.0f + 12.0f * static_cast<float>(k);
      PaintShape(c, Bounds(x, top + 26, x + 1, top + 30), RoundedBox(x, top + 26, x + 1, top + 29, 0),
                 Rgb{0.55f, 0.6f, 0.6f}, 0.8f);
    }
    Lamp(c, 308.0f, top + 10.0f, 4.0f, lampColours[row], 0.9f);
  }
  Rivet(c, 12, 10, 2.6f);
  Rivet(c, 318, 10, 2.6f);
  Rivet(c, 318, 178, 2.6f);
  Rivet(c, 52, 178, 2.6f);
  return KeyedOverBlack(c, 0.5f);
}

Canvas MakeConsole() {
  Canvas c(800, 63);
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < c.width; ++x) {
      float fy = static_cast<float>(y);
      float shade;
      if (y == 0)
        shade = 0.35f;  // the console's edge against space
      else if (y < 3)
        shade = 2.4f;  // its rounded lip catching the light
      else if (y < 6)
        shade = 0.55f;  // the shadow under the lip
      else
        shade = 1.2f - 0.55f * (fy - 6.0f) / 57.0f;
      c.At(x, y) = Brushed(static_cast<float>(x), fy, shade, 64);
    }
  }
  // Left: a field of push buttons, a few of them lit.
  Recess(c, 20, 12, 262, 56, Rgb{0.07f, 0.075f, 0.09f});
  Rng rng(65);
  const Rgb lit[4] = {{1.0f, 0.7f, 0.2f}, {0.3f, 1.0f, 0.45f}, {1.0f, 0.3f, 0.2f}, {0.35f, 0.7f, 1.0f}};
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 12; ++col) {
      float x = 28.0f + 19.5f * static_cast<float>(col);
      float y = 17.0f + 13.0f * static_cast<float>(row);
      bool on = rng.Below(4) == 0;
      Rgb colour = on ? lit[rng.Below(4)] : Rgb{0.22f, 0.23f, 0.26f};
      PaintShape(c, Bounds(x - 1, y - 1, x + 15, y + 10), RoundedBox(x, y, x + 14, y + 9, 1.5f),
                 [=](float, float py) {
                   float top = Clamp01((py - y) / 9.0f);
                   return on ? Mix(colour, colour * 0.55f, top)
                             : Mix(Rgb{0.3f, 0.31f, 0.34f}, Rgb{0.14f, 0.14f, 0.16f}, top);
                 });
      if (on) AddGlow(c, x + 7.0f, y + 4.5f, 6.0f, colour * 0.12f);
    }
  }
  // Centre: the scanner, a round screen with rings, a sweep and three contacts.
  const float cx = 400.0f;
  const float cy = 35.0f;
  PaintShape(c, Bounds(cx - 30, cy - 30, cx + 30, cy + 30), Circle(cx, cy, 27.0f), [=](float x, float y) {
    float t = Clamp01(((x - cx) + (y - cy)) / 54.0f + 0.5f);
    return Mix(Rgb{0.6f, 0.62f, 0.66f}, Rgb{0.1f, 0.1f, 0.12f}, t);
  });
  PaintShape(c, Bounds(cx - 25, cy - 25, cx + 25, cy + 25), Circle(cx, cy, 23.0f), [=](float x, float y) {
    float dx = x - cx;
    float dy = y - cy;
    float d = std::sqrt(dx * dx + dy * dy);
    float angle = std::atan2(dy, dx);
    float behind = std::fmod(angle - 0.9f + 4.0f * 3.14159265f, 2.0f * 3.14159265f);
    float sweep = std::exp(-behind * 1.8f);
    float rings = std::fabs(d - 8.0f) < 0.5f || std::fabs(d - 16.0f) < 0.5f ? 0.35f : 0.0f;
    float cross = std::fabs(dx) < 0.5f || std::fabs(dy) < 0.5f ? 0.25f : 0.0f;
    return Rgb{0.02f, 0.07f, 0.04f} + Rgb{0.15f, 0.9f, 0.35f} * (0.55f * sweep + rings * 0.5f + cross * 0.5f);
  });
  AddGlow(c, cx + 9, cy - 10, 1.2f, Rgb{0.6f, 1.0f, 0.6f});
  AddGlow(c, cx - 12, cy + 4, 1.0f, Rgb{0.5f, 1.0f, 0.5f} * 0.7f);
  AddGlow(c, cx + 4, cy + 14, 1.0f, Rgb{0.5f, 1.0f, 0.5f} * 0.5f);
  // Right: a signal screen and a vent grille.
  Recess(c, 540, 12, 690, 56, Rgb{0.02f, 0.07f, 0.08f});
  for (int x = 542; x < 688; ++x) {
    float fx = static_cast<float>(x);
    float wave = 34.0f + 9.0f * std::sin(fx * 0.11f) * std::cos(fx * 0.023f) + 3.0f * std::sin(fx * 0.47f);
    for (int y = 14; y < 55; ++y) {
      float d = std::fabs(static_cast<float>(y) + 0.5f - wave);
      c.Add(x, y, Rgb{0.2f, 0.9f, 0.85f} * (0.8f * std::exp(-d * d / 1.2f)));
      if (y % 10 == 4 || x % 15 == 0) c.Add(x, y, Rgb{0.02f, 0.1f, 0.1f});
    }
  }
  for (int k = 0; k < 7; ++k) {
    float y = 14.0f + 6.0f * static_cast<float>(k);
    Recess(c, 708, y, 780, y + 2.5f, Rgb{0.02f, 0.02f, 0.025f});
  }
  for (float x : {10.0f, 290.0f, 510.0f, 790.0f}) Rivet(c, x, 34.0f, 2.6f);
  return c;
}
