// Text over a pixel area: the coverage of its glyphs laid over the pixels in one colour.
#pragma once

#include <cstdint>
#include <vector>

#include "raster/pixels.h"

// The glyphs of a text: coverage 0 to 255 of each pixel, top-down rows.
struct CoverageImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> coverage;  // width x height
};

// Lays the image over the area with its top-left corner at (x, y), clipped: each pixel mixed with
// `rgb` by its coverage.
void BlendCoverage(PixelArea area, const CoverageImage& image, std::int64_t x, std::int64_t y,
                   std::uint32_t rgb);
