// Float pictures, masks and antialiased shape painting for the generated art.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

// Colour with components from 0 to 1 (brighter values are clamped when the picture is encoded).
struct Rgb {
  float r = 0.0f;
  float g = 0.0f;
  float b = 0.0f;
};

inline Rgb operator+(Rgb a, Rgb b) {
  return {a.r + b.r, a.g + b.g, a.b + b.b};
}
inline Rgb operator-(Rgb a, Rgb b) {
  return {a.r - b.r, a.g - b.g, a.b - b.b};
}
inline Rgb operator*(Rgb a, float s) {
  return {a.r * s, a.g * s, a.b * s};
}
inline Rgb operator*(Rgb a, Rgb b) {
  return {a.r * b.r, a.g * b.g, a.b * b.b};
}
inline Rgb Mix(Rgb a, Rgb b, float t) {
  return a + (b - a) * t;
}
// A colour given as 0 to 255 components.
inline Rgb Rgb8(int r, int g, int b) {
  return {static_cast<float>(r) / 255.0f, static_cast<float>(g) / 255.0f, static_cast<float>(b) / 255.0f};
}

float Clamp01(float v);
float SmoothStep(float edge0, float edge1, float v);

// A picture with one coverage value per pixel: 1 where something opaque was painted, 0 where the
// background (black) still shows. Pixel (x, y) covers [x, x + 1) x [y, y + 1).
struct Canvas {
  Canvas() = default;
  Canvas(int w, int h, Rgb fill = {});

  Rgb& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
  const Rgb& At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  float& Alpha(int x, int y) { return alpha[static_cast<std::size_t>(y) * width + x]; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  void Blend(int x, int y, Rgb colour, float opacity);  // paints over what is there
  void Add(int x, int y, Rgb light);                    // adds light, as a glow does

  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;
  std::vector<float> alpha;
};

// A grey-scale picture of coverage values 0 to 1, e.g. rendered text.
struct Mask {
  Mask() = default;
  Mask(int w, int h) : width(w), height(h), values(static_cast<std::size_t>(w) * h, 0.0f) {}
  float At(int x, int y) const {
    return x < 0 || y < 0 || x >= width || y >= height ? 0.0f
                                                       : values[static_cast<std::size_t>(y) * width + x];
  }
  float& Ref(int x, int y) { return values[static_cast<std::size_t>(y) * width + x]; }

  int width = 0;
  int height = 0;
  std::vector<float> values;
};

// Signed distance in pixels from a point to a shape's edge, negative inside.
using Sdf = std::function<float(float x, float y)>;
// Colour of a shape at a point.
using Shader = std::function<Rgb(float x, float y)>;

struct Box {
  float x0, y0, x1, y1;
};

// Paints a shape with one pixel of antialiasing at its edge, inside the bounding box `bounds`.
void PaintShape(Canvas& canvas, Box bounds, const Sdf& shape, const Shader& shader, float opacity = 1.0f);
void PaintShape(Canvas& canvas, Box bounds, const Sdf& shape, Rgb colour, float opacity = 1.0f);
// Adds light through a shape instead of covering what is below.
void AddShape(Canvas& canvas, Box bounds, const Sdf& shape, const Shader& shader);

Sdf Circle(float cx, float cy, float r);
Sdf Ellipse(float cx, float cy, float rx, float ry);  // approximate, good near the edge
Sdf RoundedBox(float x0, float y0, float x1, float y1, float radius);
Sdf Capsule(float ax, float ay, float bx, float by, float r);  // a segment with round ends
Sdf Polygon(std::vector<float> xy);                            // x0, y0, x1, y1, ...; any simple polygon
Sdf Ring(float cx, float cy, float r, float halfWidth);
Box Bounds(float x0, float y0, float x1, float y1);

// Adds a soft round glow: light falls off as exp(-(d / radius)^2).
void AddGlow(Canvas& canvas, float cx, float cy, float radius, Rgb light);

// Paints the mask's coverage at (x, y) in the colours of the shader (called with canvas coordinates).
void PaintMask(Canvas& canvas, const Mask& mask, int x, int y, const Shader& shader, float opacity = 1.0f);
void AddMask(Canvas& canvas, const Mask& mask, int x, int y, Rgb light);
Mask PadMask(const Mask& mask, int border);
Mask BlurMask(const Mask& mask, int radius);              // three box passes, roughly Gaussian
Mask DilateMask(const Mask& mask, int radius);            // round neighbourhood maximum
Mask ScaleMask(const Mask& mask, int width, int height);  // bilinear

// Area-weighted resampling, colour and coverage alike.
Canvas Resample(const Canvas& canvas, int width, int height);

// The colour as it shows over black, with its coverage: for pictures drawn with black as the
// transparent colour. Pixels below `minCoverage` become black; covered ones never do.
Canvas KeyedOverBlack(const Canvas& canvas, float minCoverage);
