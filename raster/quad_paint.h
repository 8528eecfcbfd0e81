// One draw of a quad: a texture mapped onto two triangles, with everything that decides its pixels.
#pragma once

#include <cstdint>

#include "raster/blend.h"

struct QuadPaint {
  const std::uint32_t* texels = nullptr;  // the image, 0x00RRGGBB; black texels are never drawn
  const std::uint64_t* lanes = nullptr;   // the same texels as lanes (MakeTexelLanes)
  int textureWidth = 0;
  int textureHeight = 0;
  double x[4] = {};        // target positions of the corners showing the image's top-left, top-right,
  double y[4] = {};        // bottom-left and bottom-right
  int alpha = 255;         // 0 to 255
  bool smoothing = false;  // bilinear filtering where the image is enlarged; never where it shrinks
  int sourceFactor = kBlendSourceAlpha;  // BlendFactor values
  int destinationFactor = kBlendInverseSourceAlpha;
};
