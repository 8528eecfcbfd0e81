// Rows of enlarged unturned quads, which cover most of the pixels of a mission: each texel column is
// mixed between the two texel rows and scaled by alpha once, then every pixel mixes (or, unfiltered,
// takes) a neighbouring pair of those prepared columns.
#pragma once

#include <algorithm>
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

// Long rows are drawn in pieces of at most this many pixels, so that one piece's prepared columns
// fit on the stack.
constexpr int kPiece = 1024;

// Calls run(pixels, length, columns + column, position, step) for each run of pixels that share the
// column pair (column, column + 1), from the first pixel at `position` on (step > 0). Every run after
// the first starts less than a step past its column's start, so that it is `longest` pixels long or
// one fewer: one division a row instead of one a run.
template <typename Run>
inline void ForEachRun(std::uint32_t* pixels, int count, const ColumnSample* columns, std::int32_t position,
                       std::int32_t step, Run run) {
  const auto toNext = [&position] { return (((position >> 16) + 1) << 16) - position; };
  const std::int32_t longest = (std::int32_t(1 << 16) + step - 1) / step;
  std::int32_t length = (toNext() + step - 1) / step;
  for (int n = 0; n < count;) {
    length = std::min<std::int32_t>(count - n, length);
    run(pixels + n, int(length), columns + (position >> 16), position, step);
    n += int(length);
    position += length * step;
    length = (longest - 1) * step >= toNext() ? longest - 1 : longest;
  }
}

// Draws `count` pixels of a level row of an enlarged image (at most one texel per pixel): the
// first at texture position (s, t) (less half a texel when filtered), the next ones ds further.
void EnlargedLevelRow(const SpanTexture& texture, std::uint32_t* pixels, int count, bool filtered, Fixed s,
                      Fixed ds, Fixed t, bool add, const RowKernels& kernels);
