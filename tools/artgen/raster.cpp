// Float pictures, masks and antialiased shape painting for the generated art.
#include "tools/artgen/raster.h"

#include <algorithm>
#include <cmath>

float Clamp01(float v) {
  return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v);
}

float SmoothStep(float edge0, float edge1, float v) {
  float t = Clamp01((v - edge0) / (edge1 - edge0));
  return t * t * (3.0f - 2.0f * t);
}

Canvas::Canvas(int w, int h, Rgb fill)
    : width(w),
      height(h),
      pixels(static_cast<std::size_t>(w) * h, fill),
      alpha(static_cast<std::size_t>(w) * h, 0.0f) {}

void Canvas::Blend(int x, int y, Rgb colour, float opacity) {
  if (!Contains(x, y) || opacity <= 0.0f) return;
  Rgb& p = At(x, y);
  p = Mix(p, colour, opacity);
  float& a = Alpha(x, y);
  a = a + (1.0f - a) * opacity;
}

void Canvas::Add(int x, int y, Rgb light) {
  if (!Contains(x, y)) return;
  At(x, y) = At(x, y) + light;
}

namespace {

struct PixelRange {
  int x0, y0, x1, y1;
};

PixelRange Clip(const Canvas& canvas, Box b) {
  return {std::max(0, static_cast<int>(std::floor(b.x0)) - 1),
          std::max(0, static_cast<int>(std::floor(b.y0)) - 1),
          std::min(canvas.width, static_cast<int>(std::ceil(b.x1)) + 1),
          std::min(canvas.height, static_cast<int>(std::ceil(b.y1)) + 1)};
}

float Length(float x, float y) {
  return std::sqrt(x * x + y * y);
}

}  // namespace

void PaintShape(Canvas& canvas, Box bounds, const Sdf& shape, const Shader& shader, float opacity) {
  PixelRange r = Clip(canvas, bounds);
  for (int y = r.y0; y < r.y1; ++y) {
    for (int x = r.x0; x < r.x1; ++x) {
      float px = static_cast<float>(x) + 0.5f;
      float py = static_cast<float>(y) + 0.5f;
      float coverage = Clamp01(0.5f - shape(px, py));
      if (coverage > 0.0f) canvas.Blend(x, y, shader(px, py), coverage * opacity);
    }
  }
}

void PaintShape(Canvas& canvas, Box bounds, const Sdf& shape, Rgb colour, float opacity) {
  PaintShape(
      canvas, bounds, shape, [colour](float, float) { return colour; }, opacity);
}

void AddShape(Canvas& canvas, Box bounds, const Sdf& shape, const Shader& shader) {
  PixelRange r = Clip(canvas, bounds);
  for (int y = r.y0; y < r.y1; ++y) {
    for (int x = r.x0; x < r.x1; ++x) {
      float px = static_cast<float>(x) + 0.5f;
      float py = static_cast<float>(y) + 0.5f;
      float coverage = Clamp01(0.5f - shape(px, py));
      if (coverage > 0.0f) canvas.Add(x, y, shader(px, py) * coverage);
    }
  }
}

Sdf Circle(float cx, float cy, float r) {
  return [=](float x, float y) { return Length(x - cx, y - cy) - r; };
}

Sdf Ellipse(float cx, float cy, float rx, float ry) {
  return [=](float x, float y) {
    float u = (x - cx) / rx;
    float v = (y - cy) / ry;
    float k = Length(u, v);
    if (k == 0.0f) return -std::min(rx, ry);
    // The level k of the ellipse scaled by the gradient length gives the distance near the edge.
    float gradient = Length(u / rx, v / ry) / k;
    return (k - 1.0f) / gradient;
  };
}

Sdf RoundedBox(float x0, float y0, float x1, float y1, float radius) {
  float cx = (x0 + x1) / 2.0f;
  float cy = (y0 + y1) / 2.0f;
  float hx = (x1 - x0) / 2.0f - radius;
  float hy = (y1 - y0) / 2.0f - radius;
  return [=](float x, float y) {
    float qx = std::fabs(x - cx) - hx;
    float qy = std::fabs(y - cy) - hy;
    float outside = Length(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - radius;
  };
}

Sdf Capsule(float ax, float ay, float bx, float by, float r) {
  return [=](float x, float y) {
    float px = x - ax;
    float py = y - ay;
    float dx = bx - ax;
    float dy = by - ay;
    float len2 = dx * dx + dy * dy;
    float t = len2 > 0.0f ? Clamp01((px * dx + py * dy) / len2) : 0.0f;
    return Length(px - dx * t, py - dy * t) - r;
  };
}

Sdf Polygon(std::vector<float> xy) {
  return [xy = std::move(xy)](float x, float y) {
    std::size_t n = xy.size() / 2;
    float best = 1e30f;
    bool inside = false;
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
      float xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
      float ex = xj - xi, ey = yj - yi;
      float wx = x - xi, wy = y - yi;
      float len2 = ex * ex + ey * ey;
      float t = len2 > 0.0f ? Clamp01((wx * ex + wy * ey) / len2) : 0.0f;
      best = std::min(best, Length(wx - ex * t, wy - ey * t));
      if ((yi > y) != (yj > y) && x < xi + (y - yi) * ex / ey) inside = !inside;
    }
    return inside ? -best : best;
  };
}

Sdf Ring(float cx, float cy, float r, float halfWidth) {
  return [=](float x, float y) { return std::fabs(Length(x - cx, y - cy) - r) - halfWidth; };
}

Box Bounds(float x0, float y0, float x1, float y1) {
  return {x0, y0, x1, y1};
}

void AddGlow(Canvas& canvas, float cx, float cy, float radius, Rgb light) {
  float reach = radius * 3.0f;
  PixelRange r = Clip(canvas, {cx - reach, cy - reach, cx + reach, cy + reach});
  for (int y = r.y0; y < r.y1; ++y) {
    for (int x = r.x0; x < r.x1; ++x) {
      float d = Length(static_cast<float>(x) + 0.5f - cx, static_cast<float>(y) + 0.5f - cy) / radius;
      if (d < 3.0f) canvas.Add(x, y, light * std::exp(-d * d));
    }
  }
}

void PaintMask(Canvas& canvas, const Mask& mask, int x, int y, const Shader& shader, float opacity) {
  for (int my = 0; my < mask.height; ++my) {
    for (int mx = 0; mx < mask.width; ++mx) {
      float a = mask.At(mx, my) * opacity;
      if (a <= 0.0f) continue;
      int cx = x + mx;
      int cy = y + my;
      canvas.Blend(cx, cy, shader(static_cast<float>(cx) + 0.5f, static_cast<float>(cy) + 0.5f), a);
    }
  }
}

void AddMask(Canvas& canvas, const Mask& mask, int x, int y, Rgb light) {
  for (int my = 0; my < mask.height; ++my) {
    for (int mx = 0; mx < mask.width; ++mx) {
      float a = mask.At(mx, my);
      if (a > 0.0f) canvas.Add(x + mx, y + my, light * a);
    }
  }
}

Mask PadMask(const Mask& mask, int border) {
  Mask out(mask.width + 2 * border, mask.height + 2 * border);
  for (int y = 0; y < mask.height; ++y) {
    for (int x = 0; x < mask.width; ++x) out.Ref(x + border, y + border) = mask.At(x, y);
  }
  return out;
}

namespace {

// One box-filter pass along rows (horizontal) or columns.
Mask BoxPass(const Mask& in, int radius, bool horizontal) {
  Mask out(in.width, in.height);
  int n = 2 * radius + 1;
  for (int y = 0; y < in.height; ++y) {
    for (int x = 0; x < in.width; ++x) {
      float sum = 0.0f;
      for (int k = -radius; k <= radius; ++k) sum += horizontal ? in.At(x + k, y) : in.At(x, y + k);
      out.Ref(x, y) = sum / static_cast<float>(n);
    }
  }
  return out;
}

}  // namespace

Mask BlurMask(const Mask& mask, int radius) {
  Mask out = mask;
  for (int pass = 0; pass < 3; ++pass) {
    out = BoxPass(out, radius, true);
    out = BoxPass(out, radius, false);
  }
  return out;
}

Mask DilateMask(const Mask& mask, int radius) {
  Mask out(mask.width, mask.height);
  for (int y = 0; y < mask.height; ++y) {
    for (int x = 0; x < mask.width; ++x) {
      float best = 0.0f;
      for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
          if (dx * dx + dy * dy <= radius * radius + radius) best = std::max(best, mask.At(x + dx, y + dy));
        }
      }
      out.Ref(x, y) = best;
    }
  }
  return out;
}

Mask ScaleMask(const Mask& mask, int width, int height) {
  Mask out(width, height);
  float sx = static_cast<float>(mask.width) / static_cast<float>(width);
  float sy = static_cast<float>(mask.height) / static_cast<float>(height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      float u = (static_cast<float>(x) + 0.5f) * sx - 0.5f;
      float v = (static_cast<float>(y) + 0.5f) * sy - 0.5f;
      int ix = static_cast<int>(std::floor(u));
      int iy = static_cast<int>(std::floor(v));
      float tx = u - static_cast<float>(ix);
      float ty = v - static_cast<float>(iy);
      float top = mask.At(ix, iy) * (1.0f - tx) + mask.At(ix + 1, iy) * tx;
      float bottom = mask.At(ix, iy + 1) * (1.0f - tx) + mask.At(ix + 1, iy + 1) * tx;
      out.Ref(x, y) = top * (1.0f - ty) + bottom * ty;
    }
  }
  return out;
}

namespace {

// Weights of the source cells that each target cell of an area resampling overlaps.
struct Span {
  int first;
  std::vector<float> weights;
};

std::vector<Span> Spans(int from, int to) {
  std::vector<Span> spans(static_cast<std::size_t>(to));
  double scale = static_cast<double>(from) / to;
  for (int i = 0; i < to; ++i) {
    double a = i * scale;
    double b = (i + 1) * scale;
    Span& s = spans[static_cast<std::size_t>(i)];
    s.first = static_cast<int>(std::floor(a));
    for (int k = s.first; k < b && k < from; ++k) {
      double overlap = std::min<double>(b, k + 1) - std::max<double>(a, k);
      s.weights.push_back(static_cast<float>(overlap / scale));
    }
  }
  return spans;
}

}  // namespace

Canvas Resample(const Canvas& canvas, int width, int height) {
  // Colours are stored as they show over black, i.e. already weighted by coverage, so plain averages
  // of colour and of coverage stay consistent with each other.
  std::vector<Span> xs = Spans(canvas.width, width);
  std::vector<Span> ys = Spans(canvas.height, height);
  Canvas rows(width, canvas.height);
  for (int y = 0; y < canvas.height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Span& s = xs[static_cast<std::size_t>(x)];
      Rgb sum;
      float a = 0.0f;
      for (std::size_t k = 0; k < s.weights.size(); ++k) {
        int sx = s.first + static_cast<int>(k);
        sum = sum + canvas.At(sx, y) * s.weights[k];
        a += canvas.alpha[static_cast<std::size_t>(y) * canvas.width + sx] * s.weights[k];
      }
      rows.At(x, y) = sum;
      rows.Alpha(x, y) = a;
    }
  }
  Canvas out(width, height);
  for (int y = 0; y < height; ++y) {
    const Span& s = ys[static_cast<std::size_t>(y)];
    for (int x = 0; x < width; ++x) {
      Rgb sum;
      float a = 0.0f;
      for (std::size_t k = 0; k < s.weights.size(); ++k) {
        int sy = s.first + static_cast<int>(k);
        sum = sum + rows.At(x, sy) * s.weights[k];
        a += rows.Alpha(x, sy) * s.weights[k];
      }
      out.At(x, y) = sum;
      out.Alpha(x, y) = a;
    }
  }
  return out;
}

Canvas KeyedOverBlack(const Canvas& canvas, float minCoverage) {
  Canvas out = canvas;
  const float darkest = 3.0f / 255.0f;  // the dimmest colour that still differs from black once stored
  for (std::size_t i = 0; i < out.pixels.size(); ++i) {
    Rgb& p = out.pixels[i];
    if (out.alpha[i] < minCoverage) {
      p = {};
      out.alpha[i] = 0.0f;
    } else if (p.r < darkest && p.g < darkest && p.b < darkest) {
      p = {darkest, darkest, darkest};
    }
  }
  return out;
}
