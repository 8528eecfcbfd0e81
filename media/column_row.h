// Inside the multimedia layer only: the inner loop of enlarged unturned quads, which cover most of
// the pixels of a mission: a row of pixels blended from a row of prepared texel columns.
#pragma once

#include <cstdint>

#include "media/pixel_math.h"

// One texel column already mixed between the two texel rows and scaled by the draw's alpha:
// blue, green, red, coverage.
struct ColumnSample {
  std::uint16_t c[4];
};

// Fills columns[0] to columns[count - 1] with the texel columns first to first + count - 1 (clamped
// to the image's width): each the texel of row0 mixed with the one of row1 by down / 256, then
// scaled by alpha / 255. The rows are of lanes (see Sprite::lanes).
void PrepareColumns(ColumnSample* columns, int first, int count, const std::uint64_t* row0,
                    const std::uint64_t* row1, int width, std::uint32_t down, std::uint32_t alpha);

// Blends `count` pixels. Pixel n lies at position + n x step (texel columns with 16 fractional
// bits, never negative); filtered, it mixes the column there with the next one by the position's
// fraction (in 1/256), else it takes the column. `columns` holds one entry beyond the last used.
void BlendColumnRow(std::uint32_t* pixels, int count, const ColumnSample* columns, std::int32_t position,
                    std::int32_t step, bool filtered, bool add);
