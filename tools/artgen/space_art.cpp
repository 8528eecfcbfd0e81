// The pictures of open space: the background, the rock, the explosion glow, the shots, the
// crosshair, the mouse pointer and the gauge segment.
#include <algorithm>
#include <cmath>

#include "tools/artgen/noise.h"
#include "tools/artgen/pictures.h"
#include "tools/artgen/vector3.h"

namespace {

constexpr float kPi = 3.14159265f;

// Adds light to the four pixels around a point, so that stars can sit between pixels.
void AddPoint(Canvas& canvas, float x, float y, Rgb light) {
  float fx = x - 0.5f;
  float fy = y - 0.5f;
  int ix = static_cast<int>(std::floor(fx));
  int iy = static_cast<int>(std::floor(fy));
  float tx = fx - static_cast<float>(ix);
  float ty = fy - static_cast<float>(iy);
  canvas.Add(ix, iy, light * ((1.0f - tx) * (1.0f - ty)));
  canvas.Add(ix + 1, iy, light * (tx * (1.0f - ty)));
  canvas.Add(ix, iy + 1, light * ((1.0f - tx) * ty));
  canvas.Add(ix + 1, iy + 1, light * (tx * ty));
}

// Four thin rays of a bright star, fading with distance.
void AddSpikes(Canvas& canvas, float cx, float cy, float length, Rgb light) {
  int reach = static_cast<int>(length) + 1;
  for (int k = -reach; k <= reach; ++k) {
    float d = std::fabs(static_cast<float>(k));
    if (d < 1.0f) continue;
    float fade = std::pow(Clamp01(1.0f - d / length), 2.2f);
    AddPoint(canvas, cx + static_cast<float>(k), cy, light * fade);
    AddPoint(canvas, cx, cy + static_cast<float>(k), light * fade);
  }
}

Rgb StarTint(Rng& rng) {
  float t = rng.Uniform();
  if (t < 0.55f) return {0.85f, 0.9f, 1.0f};
  if (t < 0.8f) return {1.0f, 1.0f, 1.0f};
  if (t < 0.93f) return {1.0f, 0.88f, 0.7f};
  return {1.0f, 0.7f, 0.55f};
}

// The nebula: domain-warped noise in violet and teal along a diagonal band, with dark dust lanes.
void PaintNebula(Canvas& c) {
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < c.width; ++x) {
      float fx = static_cast<float>(x);
      float fy = static_cast<float>(y);
      float s = 1.0f / 230.0f;
      float wx = Fbm(fx * s + 3.1f, fy * s + 1.7f, 11, 4);
      float wy = Fbm(fx * s - 5.3f, fy * s + 8.2f, 12, 4);
      float n = Fbm(fx * s + 2.2f * wx, fy * s + 2.2f * wy, 13, 6);
      float across = (fx * 0.55f + fy - 560.0f) / 300.0f;
      float band = std::exp(-across * across);
      float density = SmoothStep(0.33f, 0.78f, n) * (0.25f + 0.95f * band);
      float dust = SmoothStep(0.52f, 0.72f, Fbm(fx * s * 2.6f + 9.0f, fy * s * 2.6f, 14, 5));
      density *= 1.0f - 0.65f * dust * band;
      float hue = Fbm(fx * s * 0.8f + 4.0f, fy * s * 0.8f - 2.0f, 15, 3);
      Rgb violet{0.36f, 0.1f, 0.46f};
      Rgb teal{0.06f, 0.26f, 0.42f};
      Rgb rose{0.62f, 0.22f, 0.42f};
      Rgb cloud = Mix(teal, violet, SmoothStep(0.35f, 0.65f, hue));
      cloud = Mix(cloud, rose, SmoothStep(0.6f, 0.9f, n) * 0.6f);
      Rgb base =
          Mix(Rgb{0.01f, 0.012f, 0.035f}, Rgb{0.02f, 0.012f, 0.04f}, fy / static_cast<float>(c.height));
      float glow = density * density * density;
      c.At(x, y) = base + cloud * (density * 0.55f) + Rgb{0.35f, 0.3f, 0.4f} * (glow * 0.35f);
    }
  }
}

void PaintStars(Canvas& c) {
  Rng rng(2024);
  float w = static_cast<float>(c.width);
  float h = static_cast<float>(c.height);
  for (int i = 0; i < 2600; ++i) {
    float x = rng.Range(0.0f, w);
    float y = rng.Range(0.0f, h);
    float u = rng.Uniform();
    AddPoint(c, x, y, StarTint(rng) * (0.12f + 0.55f * u * u * u));
  }
  for (int i = 0; i < 260; ++i) {
    float x = rng.Range(0.0f, w);
    float y = rng.Range(0.0f, h);
    Rgb tint = StarTint(rng);
    AddGlow(c, x, y, rng.Range(0.6f, 1.0f), tint * rng.Range(0.35f, 0.9f));
  }
  for (int i = 0; i < 16; ++i) {
    float x = std::floor(rng.Range(10.0f, w - 10.0f)) + 0.5f;
    float y = std::floor(rng.Range(10.0f, h - 10.0f)) + 0.5f;
    Rgb tint = StarTint(rng);
    float power = rng.Range(0.6f, 1.0f);
    AddGlow(c, x, y, 1.1f, Rgb{1.0f, 1.0f, 1.0f} * (1.2f * power));
    AddGlow(c, x, y, 4.0f, tint * (0.16f * power));
    AddSpikes(c, x, y, rng.Range(8.0f, 20.0f) * power, tint * (0.45f * power));
  }
}

// A banded gas giant lit from the upper right, with a thin atmosphere, and a small moon.
void PaintPlanet(Canvas& c) {
  const float cx = 172.0f;
  const float cy = 462.0f;
  const float r = 64.0f;
  const Vec3 sun = Normalize({0.75f, -0.5f, 0.45f});
  // Haze around the lit limb.
  for (int y = static_cast<int>(cy - r - 14); y < static_cast<int>(cy + r + 14); ++y) {
    for (int x = static_cast<int>(cx - r - 14); x < static_cast<int>(cx + r + 14); ++x) {
      float dx = static_cast<float>(x) + 0.5f - cx;
      float dy = static_cast<float>(y) + 0.5f - cy;
      float d = std::sqrt(dx * dx + dy * dy);
      if (d <= r) continue;
      float lit = Clamp01((dx * sun.x + dy * sun.y) / d * 0.8f + 0.35f);
      float haze = std::exp(-(d - r) / 4.5f) * lit;
      c.Add(x, y, Rgb{0.35f, 0.55f, 0.85f} * (0.45f * haze));
    }
  }
  PaintShape(c, Bounds(cx - r, cy - r, cx + r, cy + r), Circle(cx, cy, r), [&](float x, float y) {
    float nx = (x - cx) / r;
    float ny = (y - cy) / r;
    float nz = std::sqrt(std::max(0.0f, 1.0f - nx * nx - ny * ny));
    Vec3 n{nx, ny, nz};
    // Latitude bands, swirled a little, on the sphere's own coordinates.
    float lat = std::asin(std::clamp(ny, -1.0f, 1.0f));
    float lon = std::atan2(nx, nz);
    float swirl = Fbm(lon * 1.6f + 3.0f, lat * 5.0f, 21, 4);
    float bands = Fbm(lon * 0.7f, lat * 9.0f + swirl * 1.8f, 22, 5);
    Rgb cream{0.86f, 0.76f, 0.6f};
    Rgb tan{0.7f, 0.5f, 0.34f};
    Rgb rust{0.52f, 0.28f, 0.18f};
    Rgb albedo = Mix(rust, tan, SmoothStep(0.3f, 0.55f, bands));
    albedo = Mix(albedo, cream, SmoothStep(0.55f, 0.75f, bands));
    float light = SmoothStep(-0.15f, 0.6f, Dot(n, sun));
    float rim = std::pow(1.0f - nz, 3.0f) * Clamp01(Dot(n, sun) + 0.3f);
    return albedo * (0.03f + 0.95f * light) + Rgb{0.3f, 0.45f, 0.7f} * (0.5f * rim);
  });
  // The moon.
  const float mx = 258.0f;
  const float my = 404.0f;
  const float mr = 9.0f;
  PaintShape(c, Bounds(mx - mr, my - mr, mx + mr, my + mr), Circle(mx, my, mr), [&](float x, float y) {
    float nx = (x - mx) / mr;
    float ny = (y - my) / mr;
    Vec3 n{nx, ny, std::sqrt(std::max(0.0f, 1.0f - nx * nx - ny * ny))};
    float spots = Fbm(x * 0.35f, y * 0.35f, 23, 3);
    return Rgb{0.62f, 0.6f, 0.58f} *
           ((0.75f + 0.35f * spots) * (0.04f + SmoothStep(-0.1f, 0.7f, Dot(n, sun))));
  });
}

// Radial glow: `profile` gives the colour at a distance in pixels and an angle.
template <typename Profile>
Canvas RadialPicture(int size, Profile profile) {
  Canvas c(size, size);
  float centre = static_cast<float>(size) / 2.0f;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      float dx = static_cast<float>(x) + 0.5f - centre;
      float dy = static_cast<float>(y) + 0.5f - centre;
      float d = std::sqrt(dx * dx + dy * dy);
      // Everything fades out before the edge, so the square of the quad never shows.
      float window = SmoothStep(centre - 1.0f, centre - 6.0f, d);
      c.At(x, y) = profile(d, std::atan2(dy, dx)) * window;
    }
  }
  return c;
}

// Colour of hot gas by its heat, 0 (cold, black) to 1 (white-hot).
Rgb Heat(float t) {
  t = Clamp01(t);
  if (t < 0.15f) return Mix(Rgb{}, Rgb{0.32f, 0.04f, 0.0f}, t / 0.15f);
  if (t < 0.4f) return Mix(Rgb{0.32f, 0.04f, 0.0f}, Rgb{0.9f, 0.33f, 0.04f}, (t - 0.15f) / 0.25f);
  if (t < 0.7f) return Mix(Rgb{0.9f, 0.33f, 0.04f}, Rgb{1.0f, 0.74f, 0.28f}, (t - 0.4f) / 0.3f);
  return Mix(Rgb{1.0f, 0.74f, 0.28f}, Rgb{1.0f, 0.98f, 0.88f}, (t - 0.7f) / 0.3f);
}

}  // namespace

Canvas MakeSpaceBackground() {
  Canvas c(880, 680);
  PaintNebula(c);
  PaintStars(c);
  PaintPlanet(c);
  return c;
}

Canvas MakeCrosshair() {
  Canvas c(32, 32);
  const Rgb line{0.55f, 1.0f, 0.62f};
  const float cx = 16.5f;  // the centre of pixel (16, 16)
  const float cy = 16.5f;
  AddShape(c, Bounds(4, 4, 29, 29), Ring(cx, cy, 9.5f, 0.45f), [&](float, float) { return line * 0.85f; });
  // Ticks along row and column 16, crossing the ring, with a gap around the aim point.
  auto tick = [&](float x0, float y0, float x1, float y1) {
    AddShape(c, Bounds(x0, y0, x1, y1), RoundedBox(x0, y0, x1, y1, 0.0f), [&](float x, float y) {
      float d = std::max(std::fabs(x - cx), std::fabs(y - cy));
      return line * (1.1f - 0.05f * d);
    });
  };
  tick(2, 16, 12, 17);
  tick(21, 16, 31, 17);
  tick(16, 2, 17, 12);
  tick(16, 21, 17, 31);
  c.Add(16, 16, line);
  return c;
}

Canvas MakeRock() {
  // Drawn four times as large and reduced, for smooth edges.
  const int big = 256;
  const float centre = 128.0f;
  const float radius = 96.0f;
  Rng rng(77);
  struct Crater {
    float x, y, r;
  };
  std::vector<Crater> craters;
  for (int i = 0; i < 9; ++i) {
    float a = rng.Range(0.0f, 2.0f * kPi);
    float d = rng.Range(0.0f, 70.0f);
    craters.push_back({centre + std::cos(a) * d, centre + std::sin(a) * d, rng.Range(8.0f, 22.0f)});
  }
  auto outline = [&](float x, float y) {
    float a = std::atan2(y - centre, x - centre);
    return radius * (0.78f + 0.36f * Fbm(std::cos(a) * 1.4f + 5.0f, std::sin(a) * 1.4f + 5.0f, 31, 4));
  };
  // Height of the surface: a dome over the outline, rough noise and bowl-shaped craters.
  auto height = [&](float x, float y) {
    float dx = x - centre;
    float dy = y - centre;
    float t = std::sqrt(dx * dx + dy * dy) / outline(x, y);
    float h = std::sqrt(std::max(0.0f, 1.0f - t * t)) * 60.0f;
    h += 9.0f * Fbm(x * 0.04f, y * 0.04f, 32, 5);
    for (const Crater& k : craters) {
      float u = std::sqrt((x - k.x) * (x - k.x) + (y - k.y) * (y - k.y)) / k.r;
      if (u < 1.0f)
        h -= k.r * 0.35f * (1.0f - u * u);
      else if (u < 1.4f)
        h += k.r * 0.12f * (1.0f - (u - 1.0f) / 0.4f);
    }
    return h;
  };
  const Vec3 light = Normalize({-0.55f, -0.65f, 0.55f});
  Canvas c(big, big);
  for (int y = 0; y < big; ++y) {
    for (int x = 0; x < big; ++x) {
      float px = static_cast<float>(x) + 0.5f;
      float py = static_cast<float>(y) + 0.5f;
      float d = std::sqrt((px - centre) * (px - centre) + (py - centre) * (py - centre));
      if (d >= outline(px, py)) continue;
      float gx = height(px + 1.0f, py) - height(px - 1.0f, py);
      float gy = height(px, py + 1.0f) - height(px, py - 1.0f);
      Vec3 n = Normalize({-gx, -gy, 2.0f});
      float grain = Fbm(px * 0.11f, py * 0.11f, 33, 4);
      Rgb albedo = Mix(Rgb{0.4f, 0.34f, 0.28f}, Rgb{0.55f, 0.53f, 0.52f}, Fbm(px * 0.02f, py * 0.02f, 34, 3));
      albedo = albedo * (0.75f + 0.45f * grain);
      float diffuse = std::max(0.0f, Dot(n, light));
      c.At(x, y) = albedo * (0.16f + 0.95f * diffuse);
      c.Alpha(x, y) = 1.0f;
    }
  }
  return KeyedOverBlack(Resample(c, 64, 64), 0.3f);
}

Canvas MakeExplosion() {
  return RadialPicture(64, [](float d, float angle) {
    float flame = Fbm(std::cos(angle) * 2.2f + 7.0f, std::sin(angle) * 2.2f + 3.0f + d * 0.05f, 41, 4);
    float r = d / 30.0f / (0.72f + 0.4f * flame);
    // Sparks grow far larger than the picture and pile up additively, so the hot core is kept
    // small and the dim rim thin.
    float heat = std::exp(-r * r * 4.6f);
    return Heat(heat * 1.02f) * (0.55f + 0.4f * heat);
  });
}

Canvas MakeShot(int weapon) {
  switch (weapon) {
    // Shots fly at the screen and can be drawn many times larger than the picture: their glow
    // stays close to the bolt, or a near shot would tint the whole view.
    case 1:  // green plasma ball
      return RadialPicture(64, [](float d, float angle) {
        float swirl = 0.85f + 0.3f * Fbm(std::cos(angle) * 1.5f + d * 0.12f, std::sin(angle) * 1.5f, 52, 3);
        return Rgb{1.0f, 1.0f, 1.0f} * std::exp(-(d * d) / 30.0f) +
               Rgb{0.25f, 1.0f, 0.35f} * (0.9f * swirl * std::exp(-(d * d) / 150.0f)) +
               Rgb{0.1f, 0.6f, 0.2f} * (0.12f * std::exp(-d / 8.0f));
      });
    case 2:  // blue energy ring around a bright core
      return RadialPicture(64, [](float d, float) {
        float ring = std::exp(-((d - 13.0f) * (d - 13.0f)) / 6.0f);
        return Rgb{0.85f, 0.95f, 1.0f} * std::exp(-(d * d) / 18.0f) +
               Rgb{0.3f, 0.65f, 1.0f} * (0.95f * ring) +
               Rgb{0.1f, 0.3f, 0.9f} * (0.12f * std::exp(-d / 8.0f));
      });
    case 3:  // violet star with four rays, which turns as it flies
      return RadialPicture(64, [](float d, float angle) {
        float rays = std::pow(std::fabs(std::cos(angle * 2.0f)), 24.0f);
        float ray = rays * std::exp(-d / 10.0f);
        return Rgb{1.0f, 0.9f, 1.0f} * std::exp(-(d * d) / 20.0f) + Rgb{0.95f, 0.3f, 1.0f} * (1.1f * ray) +
               Rgb{0.6f, 0.15f, 0.75f} * (0.45f * std::exp(-(d * d) / 70.0f));
      });
    default:  // red plasma crackling with short arcs
      return RadialPicture(64, [](float d, float angle) {
        // Arcs: thin bright lines where angular noise crosses its middle value.
        float wiggle = Fbm(std::cos(angle) * 3.0f + d * 0.15f, std::sin(angle) * 3.0f + d * 0.1f, 53, 4);
        float arc = std::exp(-std::pow((wiggle - 0.5f) * 14.0f, 2.0f)) * SmoothStep(24.0f, 8.0f, d);
        return Rgb{1.0f, 0.92f, 0.9f} * std::exp(-(d * d) / 22.0f) +
               Rgb{1.0f, 0.18f, 0.12f} * (0.8f * std::exp(-(d * d) / 80.0f)) +
               Rgb{1.0f, 0.45f, 0.35f} * (0.8f * arc);
      });
  }
}

Canvas MakePointer() {
  Canvas c(16, 24);
  // The arrow's tip lies on the centre of pixel (0, 0), so that pixel is part of the outline.
  Sdf arrow =
      Polygon({0.5f, 0.5f, 0.5f, 17.5f, 4.5f, 13.8f, 7.6f, 20.6f, 10.4f, 19.4f, 7.4f, 12.6f, 12.6f, 12.6f});
  const Rgb outline = Rgb8(20, 20, 20);
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < c.width; ++x) {
      float d = arrow(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
      if (d > 0.95f) continue;
      Rgb fill = Mix(Rgb8(250, 251, 255), Rgb8(190, 198, 214), static_cast<float>(y) / 20.0f);
      // Inside, the fill turns into the outline over the last pixel before the edge.
      c.At(x, y) = Mix(fill, outline, Clamp01(d + 1.0f));
      c.Alpha(x, y) = 1.0f;
    }
  }
  return c;
}

Canvas MakeGaugeSegment() {
  Canvas c(14, 20);
  Sdf cell = RoundedBox(2.5f, 2.0f, 11.5f, 18.0f, 2.0f);
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < c.width; ++x) {
      float px = static_cast<float>(x) + 0.5f;
      float py = static_cast<float>(y) + 0.5f;
      float d = cell(px, py);
      // Brightest in the middle of the cell, falling off towards its rim.
      float u = (px - 7.0f) / 4.5f;
      float v = (py - 10.0f) / 8.0f;
      float core = Clamp01(1.0f - 0.8f * u * u - 0.5f * v * v);
      Rgb inside = Mix(Rgb{0.06f, 0.55f, 0.38f}, Rgb{0.65f, 1.0f, 0.85f}, core * core);
      Rgb glow = Rgb{0.05f, 0.4f, 0.28f} * (0.6f * std::exp(-std::max(d, 0.0f) / 0.9f));
      c.At(x, y) = Mix(glow, inside, Clamp01(0.5f - d));
    }
  }
  return c;
}
