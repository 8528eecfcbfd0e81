// The three alien ships. Each is designed at its on-screen proportions, twice as large as needed,
// and then squeezed into the 256 x 256 texture that the game stretches back to the hit box.
#include <algorithm>
#include <cmath>

#include "tools/artgen/noise.h"
#include "tools/artgen/pictures.h"
#include "tools/artgen/vector3.h"

namespace {

constexpr int kDesignHeight = 512;

const Vec3 kLight = Normalize({-0.45f, -0.75f, 0.55f});
const Vec3 kView{0.0f, 0.0f, 1.0f};

// Metal lit by the main light, with a highlight and a cool rim light from behind.
Rgb Lit(Rgb albedo, Vec3 n, float shine) {
  float diffuse = std::max(0.0f, Dot(n, kLight));
  Vec3 half = Normalize({kLight.x + kView.x, kLight.y + kView.y, kLight.z + kView.z});
  float specular = std::pow(std::max(0.0f, Dot(n, half)), 28.0f) * shine;
  float rim = std::pow(1.0f - std::max(0.0f, n.z), 3.0f) * 0.22f;
  return albedo * (0.2f + 0.85f * diffuse) + Rgb{1.0f, 1.0f, 1.0f} * specular + Rgb{0.35f, 0.45f, 0.6f} * rim;
}

// Normal of an ellipsoid seen face-on, at a point of its outline ellipse.
Vec3 EllipsoidNormal(float x, float y, float cx, float cy, float rx, float ry) {
  float u = (x - cx) / rx;
  float v = (y - cy) / ry;
  float z = std::sqrt(std::max(0.0f, 1.0f - u * u - v * v));
  return Normalize({u, v, z + 0.05f});
}

// Hull plating: a grey varied by large and fine noise.
Rgb Plating(float x, float y, Rgb base, std::uint32_t seed) {
  float large = Fbm(x * 0.008f, y * 0.008f, seed, 3);
  float fine = Fbm(x * 0.05f, y * 0.05f, seed + 7, 3);
  return base * (0.82f + 0.25f * large + 0.1f * fine);
}

void Ellipsoid(Canvas& c, float cx, float cy, float rx, float ry, Rgb base, float shine, std::uint32_t seed) {
  PaintShape(c, Bounds(cx - rx, cy - ry, cx + rx, cy + ry), Ellipse(cx, cy, rx, ry), [=](float x, float y) {
    return Lit(Plating(x, y, base, seed), EllipsoidNormal(x, y, cx, cy, rx, ry), shine);
  });
}

// A glass dome: the upper half of an ellipsoid, tinted, with a bright reflection.
void Dome(Canvas& c, float cx, float base, float rx, float ry, Rgb tint) {
  Sdf upper = [=](float x, float y) { return std::max(Ellipse(cx, base, rx, ry)(x, y), y - base); };
  PaintShape(c, Bounds(cx - rx, base - ry, cx + rx, base), upper, [=](float x, float y) {
    Vec3 n = EllipsoidNormal(x, y, cx, base, rx, ry);
    float sky = 0.35f + 0.65f * Clamp01(-n.y);
    Rgb colour = tint * (0.25f + 0.6f * sky * std::max(0.2f, Dot(n, kLight)));
    float u = (x - (cx - rx * 0.35f)) / (rx * 0.22f);
    float v = (y - (base - ry * 0.62f)) / (ry * 0.14f);
    float reflection = std::exp(-(u * u + v * v));
    return colour + Rgb{0.85f, 0.9f, 1.0f} * (0.75f * reflection);
  });
}

// A row of small lights along a line, alternating through `colours`.
void LightRow(Canvas& c, float x0, float y0, float x1, float y1, int count, const std::vector<Rgb>& colours,
              float radius) {
  for (int i = 0; i < count; ++i) {
    float t = count == 1 ? 0.5f : static_cast<float>(i) / static_cast<float>(count - 1);
    float x = x0 + (x1 - x0) * t;
    float y = y0 + (y1 - y0) * t;
    Rgb colour = colours[static_cast<std::size_t>(i) % colours.size()];
    PaintShape(c, Bounds(x - radius, y - radius, x + radius, y + radius), Circle(x, y, radius),
               Mix(colour, Rgb{1.0f, 1.0f, 1.0f}, 0.45f));
    AddGlow(c, x, y, radius * 2.2f, colour * 0.55f);
  }
}

// A flat armoured slab whose edges are bevelled over `bevel` pixels; its plates, `cell` pixels
// wide, differ a little in shade.
void Slab(Canvas& c, Box bounds, const Sdf& shape, Rgb base, float bevel, float cell, std::uint32_t seed) {
  PaintShape(c, bounds, shape, [=](float x, float y) {
    float depth = -shape(x, y);
    Vec3 n{0.0f, 0.0f, 1.0f};
    if (depth < bevel) {
      float gx = shape(x + 1.0f, y) - shape(x - 1.0f, y);
      float gy = shape(x, y + 1.0f) - shape(x, y - 1.0f);
      float len = std::max(1e-4f, std::sqrt(gx * gx + gy * gy));
      float tilt = 1.0f - depth / bevel;
      n = Normalize({gx / len * tilt * 1.3f, gy / len * tilt * 1.3f, 1.0f - 0.3f * tilt});
    }
    float plate =
        0.88f + 0.22f * LatticeValue(static_cast<int>(x / cell), static_cast<int>(y / (cell * 0.6f)), seed);
    return Lit(Plating(x, y, base, seed) * plate, n, 0.35f);
  });
}

// A dark groove between plates.
void Groove(Canvas& c, float x0, float y0, float x1, float y1) {
  PaintShape(c, Bounds(x0 - 2, y0 - 2, x1 + 2, y1 + 2), Capsule(x0, y0, x1, y1, 1.2f),
             Rgb{0.08f, 0.08f, 0.1f}, 0.7f);
}

Canvas Finish(const Canvas& design) {
  return KeyedOverBlack(Resample(design, 256, 256), 0.35f);
}

// Type 1: a wide saucer with a glass dome in the middle and two smaller domes, 3 : 1.
Canvas SaucerShip() {
  Canvas c(1536, kDesignHeight);
  const Rgb grey{0.6f, 0.62f, 0.66f};
  // Engine glow under the hull.
  Ellipsoid(c, 768, 372, 260, 62, Rgb{0.3f, 0.3f, 0.34f}, 0.2f, 101);
  AddGlow(c, 768, 410, 60, Rgb{1.0f, 0.5f, 0.15f} * 0.6f);
  AddGlow(c, 768, 418, 24, Rgb{1.0f, 0.85f, 0.5f} * 0.8f);
  // Lower and upper hull.
  Ellipsoid(c, 768, 320, 745, 78, Rgb{0.42f, 0.43f, 0.47f}, 0.3f, 102);
  Sdf upper = [](float x, float y) { return std::max(Ellipse(768, 318, 700, 170)(x, y), y - 318.0f); };
  PaintShape(c, Bounds(68, 148, 1468, 318), upper, [&](float x, float y) {
    Rgb base = Plating(x, y, grey, 103);
    // Concentric plate seams on the upper hull.
    float u = (x - 768.0f) / 700.0f;
    float v = (y - 318.0f) / 170.0f;
    float k = std::sqrt(u * u + v * v);
    float seam = std::fabs(std::fmod(k * 5.0f, 1.0f) - 0.5f) > 0.485f ? 0.55f : 1.0f;
    return Lit(base * seam, EllipsoidNormal(x, y, 768, 318, 700, 170), 0.6f);
  });
  // The rim between the two halves with its ring of lights.
  PaintShape(c, Bounds(20, 306, 1516, 336), Ellipse(768, 320, 748, 13), [](float x, float y) {
    return Lit(Rgb{0.28f, 0.29f, 0.33f}, EllipsoidNormal(x, y, 768, 320, 748, 13), 0.8f);
  });
  const std::vector<Rgb> rimLights = {{0.3f, 0.9f, 1.0f}, {0.3f, 0.9f, 1.0f}, {1.0f, 0.35f, 0.25f}};
  for (int i = 0; i < 21; ++i) {
    float t = (static_cast<float>(i) - 10.0f) / 10.5f;
    float x = 768.0f + 700.0f * t;
    LightRow(c, x, 320, x, 320, 1, {rimLights[static_cast<std::size_t>(i) % 3]}, 6.0f);
  }
  Dome(c, 768, 200, 215, 165, Rgb{0.35f, 0.75f, 1.0f});
  PaintShape(c, Bounds(540, 190, 996, 216), Ellipse(768, 203, 226, 12), [](float x, float y) {
    return Lit(Rgb{0.5f, 0.52f, 0.56f}, EllipsoidNormal(x, y, 768, 203, 226, 12), 0.9f);
  });
  for (float side : {-1.0f, 1.0f}) {
    float x = 768.0f + side * 400.0f;
    Dome(c, x, 262, 95, 72, Rgb{0.45f, 1.0f, 0.65f});
    PaintShape(c, Bounds(x - 104, 255, x + 104, 270), Ellipse(x, 263, 102, 8), [=](float px, float py) {
      return Lit(Rgb{0.5f, 0.52f, 0.56f}, EllipsoidNormal(px, py, x, 263, 102, 8), 0.9f);
    });
  }
  return Finish(c);
}

// Type 2: a blocky warship with a wedge prow, a bridge block, a keel and a three-nozzle engine
// block at the stern, 2.5 : 1.
Canvas BlockShip() {
  Canvas c(1280, kDesignHeight);
  const Rgb grey{0.56f, 0.57f, 0.61f};
  const Rgb dark{0.38f, 0.39f, 0.44f};
  // The engine block behind the hull, with its glowing nozzles.
  for (float y : {215.0f, 270.0f, 325.0f}) {
    PaintShape(c, Bounds(1230, y - 24, 1274, y + 24), RoundedBox(1232, y - 20, 1272, y + 20, 12),
               [=](float px, float py) {
                 float d = std::sqrt((px - 1262.0f) * (px - 1262.0f) * 0.3f + (py - y) * (py - y)) / 20.0f;
                 return Mix(Rgb{0.85f, 0.95f, 1.0f}, Rgb{0.15f, 0.4f, 1.0f}, Clamp01(d));
               });
    AddGlow(c, 1262, y, 22, Rgb{0.3f, 0.6f, 1.0f} * 0.5f);
  }
  Slab(c, Bounds(990, 170, 1250, 370), RoundedBox(990, 172, 1248, 368, 16), dark, 14, 60, 201);
  // The keel below the hull.
  Slab(c, Bounds(300, 330, 990, 440), Polygon({300, 330, 990, 330, 930, 436, 370, 436}), dark, 16, 80, 202);
  for (int k = 0; k < 9; ++k) {
    LightRow(c, 420.0f + 60.0f * static_cast<float>(k), 414, 420.0f + 60.0f * static_cast<float>(k), 414, 1,
             {{1.0f, 0.3f, 0.2f}}, 5.0f);
  }
  // The bridge block on top, with a row of windows and an antenna mast.
  PaintShape(c, Bounds(676, 20, 688, 100), RoundedBox(678, 22, 686, 100, 3), Rgb{0.45f, 0.46f, 0.5f});
  LightRow(c, 682, 22, 682, 22, 1, {{1.0f, 0.25f, 0.2f}}, 7.0f);
  Slab(c, Bounds(420, 80, 910, 172), Polygon({420, 170, 500, 84, 850, 84, 910, 170}), grey, 14, 70, 203);
  PaintShape(c, Bounds(520, 108, 830, 128), RoundedBox(520, 110, 830, 126, 6), Rgb{0.08f, 0.1f, 0.13f});
  for (int k = 0; k < 13; ++k) {
    float x = 532.0f + 23.5f * static_cast<float>(k);
    PaintShape(c, Bounds(x, 112, x + 14, 124), RoundedBox(x, 113, x + 14, 123, 3), Rgb{0.55f, 0.9f, 1.0f});
  }
  AddGlow(c, 675, 118, 60, Rgb{0.3f, 0.6f, 0.8f} * 0.12f);
  // The hull: a long slab ending in a wedge at the bow.
  Sdf hull = Polygon({16, 270, 240, 158, 1060, 158, 1104, 200, 1104, 340, 1060, 382, 240, 382});
  Slab(c, Bounds(16, 158, 1104, 382), hull, grey, 24, 110, 204);
  for (int k = 1; k < 8; ++k) {
    float x = 240.0f + 110.0f * static_cast<float>(k);
    Groove(c, x, 184, x, 356);
  }
  Groove(c, 150, 248, 1080, 248);
  Groove(c, 150, 312, 1080, 312);
  // A red band along the hull and a row of portholes above it.
  PaintShape(c, Bounds(200, 276, 1090, 298), RoundedBox(200, 278, 1090, 296, 2), [](float, float y) {
    return Mix(Rgb{0.85f, 0.18f, 0.12f}, Rgb{0.45f, 0.06f, 0.05f}, (y - 278.0f) / 18.0f);
  });
  Rng rng(205);
  for (int k = 0; k < 30; ++k) {
    float x = 262.0f + 27.0f * static_cast<float>(k);
    if (static_cast<int>(x - 240.0f) % 110 < 14) continue;
    bool lit = rng.Below(4) != 0;
    PaintShape(c, Bounds(x - 7, 211, x + 7, 225), Circle(x, 218, 6.0f),
               lit ? Rgb{1.0f, 0.88f, 0.5f} : Rgb{0.1f, 0.11f, 0.14f});
  }
  // Two gun turrets on the deck.
  for (float x : {330.0f, 975.0f}) {
    PaintShape(c, Bounds(x - 80, 150, x, 166), RoundedBox(x - 80, 152, x - 10, 164, 5),
               Rgb{0.3f, 0.31f, 0.35f});
    Ellipsoid(c, x, 162, 52, 34, Rgb{0.5f, 0.51f, 0.56f}, 0.7f, 206);
  }
  // Navigation lights: red at the bow, green at the stern.
  LightRow(c, 30, 270, 30, 270, 1, {{1.0f, 0.2f, 0.2f}}, 8.0f);
  LightRow(c, 1090, 190, 1090, 190, 1, {{0.2f, 1.0f, 0.35f}}, 7.0f);
  LightRow(c, 1090, 350, 1090, 350, 1, {{0.2f, 1.0f, 0.35f}}, 7.0f);
  return Finish(c);
}

// Type 3: a cluster of spheres joined by struts around a large core with a glowing eye, 55 : 15.
Canvas SphereShip() {
  Canvas c(1878, kDesignHeight);
  struct Ball {
    float x, y, r;
    Rgb tint;
  };
  const std::vector<Ball> balls = {
      {180, 290, 100, {0.56f, 0.55f, 0.6f}},  {1698, 290, 100, {0.56f, 0.55f, 0.6f}},
      {560, 285, 150, {0.6f, 0.6f, 0.64f}},   {1318, 285, 150, {0.6f, 0.6f, 0.64f}},
      {760, 115, 72, {0.52f, 0.54f, 0.6f}},   {1118, 415, 72, {0.52f, 0.54f, 0.6f}},
      {939, 256, 215, {0.64f, 0.63f, 0.68f}},
  };
  // Struts from the core to every other sphere, and between neighbours.
  const Ball& core = balls.back();
  auto strut = [&](const Ball& a, const Ball& b) {
    float x0 = std::min(a.x, b.x) - 40, x1 = std::max(a.x, b.x) + 40;
    float y0 = std::min(a.y, b.y) - 40, y1 = std::max(a.y, b.y) + 40;
    float dx = b.x - a.x, dy = b.y - a.y;
    float len = std::sqrt(dx * dx + dy * dy);
    PaintShape(c, Bounds(x0, y0, x1, y1), Capsule(a.x, a.y, b.x, b.y, 24), [=](float x, float y) {
      // A tube: its normal turns across the strut's width.
      float across = ((x - a.x) * -dy + (y - a.y) * dx) / len / 24.0f;
      Vec3 n = Normalize(
          {-dy / len * across, dx / len * across, std::sqrt(std::max(0.0f, 1.0f - across * across))});
      return Lit(Rgb{0.34f, 0.35f, 0.4f}, n, 0.5f);
    });
  };
  for (std::size_t i = 0; i + 1 < balls.size(); ++i) strut(core, balls[i]);
  strut(balls[0], balls[2]);
  strut(balls[1], balls[3]);
  for (const Ball& b : balls) {
    PaintShape(c, Bounds(b.x - b.r, b.y - b.r, b.x + b.r, b.y + b.r), Circle(b.x, b.y, b.r),
               [&](float x, float y) {
                 Vec3 n = EllipsoidNormal(x, y, b.x, b.y, b.r, b.r);
                 Rgb base = Plating(x, y, b.tint, 301);
                 // An equatorial band and a few rings of latitude.
                 float lat = (y - b.y) / b.r;
                 if (std::fabs(lat) < 0.07f)
                   base = base * 0.45f;
                 else if (std::fabs(std::fabs(lat) - 0.5f) < 0.012f)
                   base = base * 0.6f;
                 return Lit(base, n, 0.8f);
               });
    int lights = std::max(3, static_cast<int>(b.r / 22.0f));
    for (int i = 0; i < lights; ++i) {
      // Lights along the visible part of the equator, closer together towards the edge.
      float angle = (static_cast<float>(i) + 0.5f) / static_cast<float>(lights) * 3.14159265f;
      float x = b.x - std::cos(angle) * b.r * 0.9f;
      Rgb colour = i % 2 == 0 ? Rgb{0.3f, 1.0f, 0.7f} : Rgb{1.0f, 0.8f, 0.3f};
      LightRow(c, x, b.y, x, b.y, 1, {colour}, b.r * 0.045f);
    }
  }
  // The core's eye.
  PaintShape(c, Bounds(939 - 70, 256 - 70, 939 + 70, 256 + 70), Circle(939, 262, 62),
             Rgb{0.18f, 0.18f, 0.2f});
  PaintShape(c, Bounds(939 - 60, 256 - 60, 939 + 60, 256 + 60), Circle(939, 262, 52), [](float x, float y) {
    float d = std::sqrt((x - 939.0f) * (x - 939.0f) + (y - 262.0f) * (y - 262.0f)) / 52.0f;
    return Mix(Rgb{1.0f, 0.9f, 0.6f}, Rgb{0.75f, 0.08f, 0.04f}, SmoothStep(0.0f, 0.9f, d));
  });
  AddGlow(c, 939, 262, 40, Rgb{1.0f, 0.3f, 0.1f} * 0.5f);
  return Finish(c);
}

}  // namespace

Canvas MakeShip(int type) {
  switch (type) {
    case 1: return SaucerShip();
    case 2: return BlockShip();
    default: return SphereShip();
  }
}
