// The pixels of a quad along one row: sampled from its texture and blended into the target.
#pragma once

#include <cstdint>

#include "raster/blend.h"
#include "raster/quad_paint.h"
#include "raster/row_kernels.h"
#include "raster/texture_sampling.h"

// Every filtered sample is made the same way, so that a row drawn by any loop gives the same
// pixels: the two texel rows are mixed first (weights of 1/256), then scaled by the draw's alpha
// (rounded), then the two columns are mixed. Colours are premultiplied by coverage: a key texel
// adds nothing, and a sample half made of key texels covers half.
class QuadShader {
 public:
  QuadShader(const QuadPaint& quad, const RowKernels& kernels);

  // Laid over or added with alpha 0, every pixel stays as it is.
  bool DrawsNothing() const { return mode_ != BlendMode::kGeneral && texture_.alpha == 0; }
  // Bilinear filtering only where the image is enlarged (or drawn at its size).
  bool Filters(double texelsPerPixel) const { return smoothing_ && texelsPerPixel <= 1.0; }

  // `count` pixels from `pixels` on; u, v are the texture position of the first pixel's centre
  // (less half a texel when filtered), stepping by dudx, dvdx from pixel to pixel.
  void Span(std::uint32_t* pixels, int count, bool filtered, double u, double v, double dudx,
            double dvdx) const;
  // The same for a row along which v does not change.
  void LevelSpan(std::uint32_t* pixels, int count, bool filtered, double u, double v, double dudx) const;

 private:
  void GeneralSpan(std::uint32_t* pixels, int count, bool filtered, Fixed s, Fixed ds, Fixed t,
                   Fixed dt) const;

  SpanTexture texture_;
  bool smoothing_;
  BlendMode mode_;
  int sourceFactor_;       // for kGeneral
  int destinationFactor_;  // for kGeneral
  const RowKernels& kernels_;
};
