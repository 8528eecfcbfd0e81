// Test support for the pixel engine: canvases and textures in plain memory, and quads drawn into
// them, without any display.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include "raster/pixels.h"
#include "raster/quad_bands.h"
#include "raster/quad_paint.h"
#include "raster/texel_lanes.h"

// A block of pixels to draw into.
struct Canvas {
  int width;
  int height;
  std::vector<std::uint32_t> pixels;

  Canvas(int w, int h, std::uint32_t fill = 0)
      : width(w), height(h), pixels(std::size_t(w) * std::size_t(h), fill) {}
  PixelArea Area() { return {pixels.data(), width, height}; }
  std::uint32_t At(int x, int y) const {
    return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
  }
  std::uint32_t& At(int x, int y) { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

// An image with the lanes that quads sample.
struct Texture {
  int width;
  int height;
  std::vector<std::uint32_t> texels;  // top-down rows
  std::vector<std::uint64_t> lanes;

  Texture(int w, int h, std::vector<std::uint32_t> pixels)
      : width(w), height(h), texels(std::move(pixels)), lanes(MakeTexelLanes(texels.data(), texels.size())) {}
};

// A texture whose every texel tells its position: red = column, green = row, blue = 1 (never the key).
inline Texture PositionTexture(int width, int height) {
  std::vector<std::uint32_t> texels;
  for (int row = 0; row < height; ++row)
    for (int column = 0; column < width; ++column)
      texels.push_back(std::uint32_t(column << 16 | row << 8 | 1));
  return Texture(width, height, texels);
}

// A quad of the texture with its corners (image top-left, top-right, bottom-left, bottom-right).
inline QuadPaint QuadOf(const Texture& texture, const double (&x)[4], const double (&y)[4]) {
  QuadPaint quad;
  quad.texels = texture.texels.data();
  quad.lanes = texture.lanes.data();
  quad.textureWidth = texture.width;
  quad.textureHeight = texture.height;
  for (int k = 0; k < 4; ++k) {
    quad.x[k] = x[k];
    quad.y[k] = y[k];
  }
  return quad;
}

// The texture drawn unturned as a width x height rectangle at (left, top).
inline QuadPaint RectangleOf(const Texture& texture, double left, double top, double width, double height) {
  return QuadOf(texture, {left, left + width, left, left + width}, {top, top, top + height, top + height});
}

// The texture drawn as a side x side square centred at (cx, cy), turned clockwise by `radians`,
// with the image's top-left at the square's top-left before the turn.
inline QuadPaint TurnedSquareOf(const Texture& texture, double cx, double cy, double side, double radians) {
  const double h = side / 2;
  const double dx[4] = {-h, h, -h, h};
  const double dy[4] = {-h, -h, h, h};
  double x[4];
  double y[4];
  for (int k = 0; k < 4; ++k) {
    x[k] = cx + dx[k] * std::cos(radians) - dy[k] * std::sin(radians);
    y[k] = cy + dx[k] * std::sin(radians) + dy[k] * std::cos(radians);
  }
  return QuadOf(texture, x, y);
}

inline void Draw(Canvas& canvas, const QuadPaint& quad) {
  DrawQuadInBands(quad, canvas.Area());
}

inline unsigned Red(std::uint32_t pixel) {
  return pixel >> 16 & 0xFF;
}
