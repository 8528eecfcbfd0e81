// The loops that draw rows of pixels, as one set of functions. Every set gives the very same pixels:
// the plain one (plain_rows.h) is built everywhere, the vector ones (vector_rows.h) where the build
// has them, and the tests compare each with the plain one.
#pragma once

#include <cstdint>
#include <vector>

#include "raster/column_row.h"
#include "raster/texture_sampling.h"

struct RowKernels {
  const char* name;  // "plain", "sse2", "avx2"

  // `count` pixels from `source` to `target`, leaving out pixels of the key colour.
  void (*copyRowKeyed)(std::uint32_t* target, const std::uint32_t* source, int count);

  // `count` pixels of a quad's row, laid over the target by the sample's coverage and alpha (over)
  // or added to it (add): the first pixel's centre at texture position (s, t) (less half a texel
  // when filtered), each next one (ds, dt) further.
  void (*overSpan)(const SpanTexture& texture, std::uint32_t* pixels, int count, bool filtered, Fixed s,
                   Fixed ds, Fixed t, Fixed dt);
  void (*addSpan)(const SpanTexture& texture, std::uint32_t* pixels, int count, bool filtered, Fixed s,
                  Fixed ds, Fixed t, Fixed dt);

  // Fills columns[0] to columns[count - 1] with the texel columns first to first + count - 1 (kept
  // on the image's width): each the lane of row0 mixed with the one of row1 by down / 256, then
  // scaled by alpha / 255.
  void (*prepareColumns)(ColumnSample* columns, int first, int count, const std::uint64_t* row0,
                         const std::uint64_t* row1, int width, std::uint32_t down, std::uint32_t alpha);

  // `count` pixels from prepared columns, laid over (over) or added (add). Pixel n lies at
  // position + n x step (columns with 16 fractional bits, never negative); filtered, it mixes the
  // column there with the next one by the position's fraction (in 1/256), else it takes the column.
  // `columns` holds one entry beyond the last used. Rows of long runs go to the run loops instead.
  void (*overColumnRow)(std::uint32_t* pixels, int count, const ColumnSample* columns, std::int32_t position,
                        std::int32_t step, bool filtered);
  void (*addColumnRow)(std::uint32_t* pixels, int count, const ColumnSample* columns, std::int32_t position,
                       std::int32_t step, bool filtered);

  // A long filtered row (see kLongRunStep), run by run: the same pixels as the column rows give.
  void (*overRuns)(std::uint32_t* pixels, int count, const ColumnSample* columns, std::int32_t position,
                   std::int32_t step);
  void (*addRuns)(std::uint32_t* pixels, int count, const ColumnSample* columns, std::int32_t position,
                  std::int32_t step);
};

// Every set that this build has and this processor runs: the plain one first, each next one faster.
const std::vector<const RowKernels*>& UsableRowKernels();

// The usable set called `name`; the fastest where `name` is null or names none of them.
const RowKernels& ChooseRowKernels(const char* name);

// The set that draws: the one that the environment variable SPACE_RASTER names (plain, sse2, avx2),
// so that every set can be tried in the real program, else the fastest.
const RowKernels& ChosenRowKernels();
