// Inside the multimedia layer only: a quad's two triangles rasterised into a canvas on the processor.
#pragma once

#include <cstdint>

#include "media/render_context.h"

// D3DBLEND numbers of the blend factors that quads use.
enum QuadBlendFactor : int {
  kBlendZero = 1,
  kBlendOne = 2,
  kBlendSourceColour = 3,
  kBlendInverseSourceColour = 4,
  kBlendSourceAlpha = 5,
  kBlendInverseSourceAlpha = 6,
  kBlendDestinationAlpha = 7,  // the buffers have no alpha of their own: reads as 1
  kBlendInverseDestinationAlpha = 8,
  kBlendDestinationColour = 9,
  kBlendInverseDestinationColour = 10,
  kBlendSourceAlphaSaturated = 11,  // min(source alpha, 1 - destination alpha), which is 0 here
};

// One draw of a quad, with everything that decides its pixels.
struct QuadPaint {
  const std::uint32_t* texels = nullptr;  // the sprite's pixels; 0 is the key colour, never drawn
  const std::uint64_t* lanes = nullptr;   // the same as the sprite's lanes (SpriteLanes)
  int textureWidth = 0;
  int textureHeight = 0;
  double x[4] = {};        // screen positions of the corners showing the image's top-left, top-right,
  double y[4] = {};        // bottom-left and bottom-right
  int alpha = 255;         // 0 to 255
  bool smoothing = false;  // bilinear filtering where the image is enlarged; never where it shrinks
  int sourceFactor = kBlendSourceAlpha;
  int destinationFactor = kBlendInverseSourceAlpha;
};

// Draws the triangles 0-1-2 and 1-2-3 of the quad, each with the texture mapped affinely. A pixel
// is covered when its centre lies inside a triangle (centres on a left or top edge count, on a right
// or bottom edge not), so triangles that share an edge never both cover a pixel. Only the rows
// firstRow to endRow - 1 are touched.
void RasteriseQuad(const QuadPaint& quad, PixelArea target, int firstRow, int endRow);

// True for a pair of factors with a defined meaning; the quads draw any other pair as
// (kBlendSourceAlpha, kBlendInverseSourceAlpha).
bool IsKnownBlend(int sourceFactor, int destinationFactor);
