// Shapes in one colour over a pixel area: filled rectangles, their outlines, and lines. Coordinates
// are 64-bit so that no sum of the callers' ints overflows; everything is clipped to the area.
#pragma once

#include <cstdint>

#include "raster/pixels.h"

// How a shape changes the pixels it covers.
struct Paint {
  std::uint32_t rgb = 0;  // the pixels become this colour,
  bool invert = false;    // or, set, each pixel's colour is inverted instead
};

// Covers x to x + width - 1 and y to y + height - 1.
void FillRectangle(PixelArea area, std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height,
                   Paint paint);

// The border of the same rectangle, one pixel wide.
void OutlineRectangle(PixelArea area, std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height,
                      Paint paint);

// The line from (x0, y0) towards (x1, y1) without the end point: one pixel per step along the longer
// axis, the other coordinate rounded to the nearest pixel (halves upwards).
void DrawLine(PixelArea area, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
              Paint paint);
