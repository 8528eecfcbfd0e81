// Rows of enlarged unturned quads: two pixels at a time with SSE2, the same arithmetic as the plain
// loop that draws the rest (and everything where SSE2 is missing).
#include "media/column_row.h"

#include <algorithm>

#include "media/pixel_lanes.h"

namespace {

Channels Widen(const ColumnSample& column) {
  return {{column.c[0], column.c[1], column.c[2], column.c[3]}};
}

ColumnSample PlainColumn(const std::uint32_t* row0, const std::uint32_t* row1, int x, std::uint32_t down,
                         std::uint32_t alpha) {
  const Channels column = Scale(Mix(Unpack(row0[x]), Unpack(row1[x]), down), alpha);
  return {{std::uint16_t(column.c[0]), std::uint16_t(column.c[1]), std::uint16_t(column.c[2]),
           std::uint16_t(column.c[3])}};
}

template <bool kAdd>
void PlainRow(std::uint32_t* pixels, int count, const ColumnSample* columns, std::int32_t position,
              std::int32_t step, bool filtered) {
  for (int n = 0; n < count; ++n, position += step) {
    const ColumnSample* at = columns + (position >> 16);
    const Channels sample =
        filtered ? Mix(Widen(at[0]), Widen(at[1]), std::uint32_t(position >> 8 & 0xFF)) : Widen(at[0]);
    PutSample<kAdd>(pixels[n], sample);
  }
}

#ifdef __SSE2__

// Columns whose texels and the next ones lie inside the image, two at a time; returns how many.
int VectorColumns(ColumnSample* columns, int first, int count, const std::uint32_t* row0,
                  const std::uint32_t* row1, int width, std::uint32_t down, std::uint32_t alpha) {
  const __m128i downWeight = _mm_set1_epi16(short(down));
  const __m128i upWeight = _mm_set1_epi16(short(256 - down));
  const __m128i alphas = _mm_set1_epi16(short(alpha));
  int k = 0;
  for (; k + 2 <= count && first + k + 1 < width; k += 2) {
    const __m128i mixed = _mm_add_epi16(
        _mm_mullo_epi16(TexelLanes(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(row0 + first + k))),
                        upWeight),
        _mm_mullo_epi16(TexelLanes(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(row1 + first + k))),
                        downWeight));
    _mm_store_si128(reinterpret_cast<__m128i*>(columns + k), ScaleLanes(_mm_srli_epi16(mixed, 8), alphas));
  }
  return k;
}

template <bool kAdd>
int VectorRow(std::uint32_t* pixels, int count, const ColumnSample* columns, std::int32_t position,
              std::int32_t step, bool filtered) {
  int n = 0;
  if (filtered) {
    // The two pixels' positions in the 32-bit lanes 0 and 2, for their weights.
    __m128i positions = _mm_set_epi32(0, position + step, 0, position);
    const __m128i twoSteps = _mm_set_epi32(0, 2 * step, 0, 2 * step);
    const __m128i byte = _mm_set_epi32(0, 0xFF, 0, 0xFF);
    const __m128i whole = _mm_set1_epi16(256);
    for (; n + 2 <= count; n += 2, position += 2 * step) {
      const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(columns + (position >> 16)));
      const __m128i second =
          _mm_loadu_si128(reinterpret_cast<const __m128i*>(columns + ((position + step) >> 16)));
      const __m128i left = _mm_unpacklo_epi64(first, second);
      const __m128i right = _mm_unpackhi_epi64(first, second);
      __m128i weight = _mm_and_si128(_mm_srli_epi32(positions, 8), byte);
      weight = _mm_shufflehi_epi16(_mm_shufflelo_epi16(weight, 0), 0);
      const __m128i mixed =
          _mm_add_epi16(_mm_mullo_epi16(left, _mm_sub_epi16(whole, weight)), _mm_mullo_epi16(right, weight));
      PutTwoSamples<kAdd>(pixels + n, _mm_srli_epi16(mixed, 8));
      positions = _mm_add_epi32(positions, twoSteps);
    }
  } else {
    for (; n + 2 <= count; n += 2, position += 2 * step) {
      const __m128i first = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(columns + (position >> 16)));
      const __m128i second =
          _mm_loadl_epi64(reinterpret_cast<const __m128i*>(columns + ((position + step) >> 16)));
      PutTwoSamples<kAdd>(pixels + n, _mm_unpacklo_epi64(first, second));
    }
  }
  return n;
}

#endif

template <bool kAdd>
void Row(std::uint32_t* pixels, int count, const ColumnSample* columns, std::int32_t position,
         std::int32_t step, bool filtered) {
  int done = 0;
#ifdef __SSE2__
  done = VectorRow<kAdd>(pixels, count, columns, position, step, filtered);
#endif
  PlainRow<kAdd>(pixels + done, count - done, columns, position + done * step, step, filtered);
}

}  // namespace

void PrepareColumns(ColumnSample* columns, int first, int count, const std::uint32_t* row0,
                    const std::uint32_t* row1, int width, std::uint32_t down, std::uint32_t alpha) {
  int k = 0;
  // Left of the image every column repeats its first texel.
  for (; k < count && first + k < 0; ++k) columns[k] = PlainColumn(row0, row1, 0, down, alpha);
#ifdef __SSE2__
  // The stores need 16-byte alignment; the caller's array is aligned.
  if (k % 2 == 1 && k < count && first + k < width) {
    columns[k] = PlainColumn(row0, row1, first + k, down, alpha);
    ++k;
  }
  k += VectorColumns(columns + k, first + k, count - k, row0, row1, width, down, alpha);
#endif
  for (; k < count; ++k) columns[k] = PlainColumn(row0, row1, std::min(first + k, width - 1), down, alpha);
}

void BlendColumnRow(std::uint32_t* pixels, int count, const ColumnSample* columns, std::int32_t position,
                    std::int32_t step, bool filtered, bool add) {
  if (add) {
    Row<true>(pixels, count, columns, position, step, filtered);
  } else {
    Row<false>(pixels, count, columns, position, step, filtered);
  }
}
