// Rows of enlarged unturned quads, which cover most of the pixels of a mission: each texel column is
// mixed between the two texel rows and scaled by alpha once, then every pixel mixes (or, unfiltered,
// takes) a neighbouring pair of those prepared columns.
#pragma once

#include <cstdint>

#include "raster/texture_sampling.h"

struct RowKernels;

// One texel column mixed between the two texel rows and scaled by the draw's alpha: blue, green,
// red, coverage.
struct ColumnSample {
  std::uint16_t c[4];
};

// Filtered rows enlarged eight times or more: the pixels that share a pair of columns form a run
// along which the sample grows by the same amount from pixel to pixel, so it is summed instead of
// mixed anew. Values carry 8 fractional bits: a run starts with the mix of its first pixel and
// grows by (right - left) x step / 256 (rounded down) per pixel, saturating at 0 and 255.
constexpr std::int32_t kLongRunStep = 1 << 13;

// Draws `count` pixels of a level row of an enlarged image (at most one texel per pixel): the
// first at texture position (s, t) (less half a texel when filtered), the next ones ds further.
void EnlargedLevelRow(const SpanTexture& texture, std::uint32_t* pixels, int count, bool filtered, Fixed s,
                      Fixed ds, Fixed t, bool add, const RowKernels& kernels);
