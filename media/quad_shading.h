// Inside the multimedia layer only: the pixels of a quad along one row, sampled from its texture and
// blended into the canvas.
#pragma once

#include <cstdint>

#include "media/quad_raster.h"

// Every filtered sample is made the same way, so that a row drawn by either span gives the same
// pixels: the two texel rows are mixed first (weights of 1/256), then scaled by the draw's alpha
// (rounded), then the two columns are mixed. Colours are premultiplied by coverage: a key texel
// adds nothing, and a sample half made of key texels covers half.
struct QuadShader {
  enum class Mode { kOver, kAdd, kGeneral };

  explicit QuadShader(const QuadPaint& quad);

  // (5, 6) and (5, 7) with alpha 0 leave every pixel as it is.
  bool DrawsNothing() const { return mode != Mode::kGeneral && alpha == 0; }
  // Bilinear filtering only where the image is enlarged (or drawn at its size).
  bool Filters(double texelsPerPixel) const { return smoothing && texelsPerPixel <= 1.0; }

  // `count` pixels from `pixels` on; u, v are the texture position of the first pixel's centre
  // (less half a texel when filtered), stepping by dudx, dvdx from pixel to pixel.
  void Span(std::uint32_t* pixels, int count, bool filtered, double u, double v, double dudx,
            double dvdx) const;
  // The same for a row along which v does not change.
  void LevelSpan(std::uint32_t* pixels, int count, bool filtered, double u, double v, double dudx) const;

  const std::uint32_t* texels;
  const std::uint64_t* lanes;  // the texels as 16-bit lanes
  int width;
  int height;
  int alpha;  // 0 to 255
  bool smoothing;
  Mode mode;
  int sourceFactor;       // for kGeneral
  int destinationFactor;  // for kGeneral
};
