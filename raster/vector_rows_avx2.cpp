// The row loops that gain from AVX2 registers: filtered spans and rows of prepared columns four
// pixels at a time, columns prepared four at a time. The same arithmetic as the plain loops; the SSE2
// set draws the few pixels at the ends of a row, and the loops left out here: keyed copies,
// unfiltered spans, and the runs of long rows, which wait on memory more than on arithmetic (the
// full-screen glows drew no faster eight pixels at a time).
//
// This file alone is compiled for AVX2, and runs only where the processor has it. So nothing in it
// may be an inline function or template instance that other files use too: the linker keeps one
// copy of such a function for the whole program, and it could be this file's. Its helpers are its
// own, and `nm` on its object file shows no symbol but Avx2RowKernels.
#include <immintrin.h>

#include "raster/column_row.h"
#include "raster/inside_texels.h"
#include "raster/row_kernels.h"
#include "raster/vector_rows.h"

namespace {

const RowKernels& Sse2() {
  return *Sse2RowKernels();
}

__m256i LoadTwo(const ColumnSample* low, const ColumnSample* high) {
  return _mm256_inserti128_si256(
      _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(low))),
      _mm_loadu_si128(reinterpret_cast<const __m128i*>(high)), 1);
}

__m128i LoadOne(const ColumnSample* at) {
  return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(at));
}

// x x factor / 255, rounded as Div255 rounds, for 16-bit lanes whose product stays below 65281.
__m256i ScaleLanes(__m256i x, __m256i factor) {
  const __m256i product = _mm256_add_epi16(_mm256_mullo_epi16(x, factor), _mm256_set1_epi16(128));
  return _mm256_srli_epi16(_mm256_add_epi16(product, _mm256_srli_epi16(product, 8)), 8);
}

// Four samples (16-bit blue, green, red and coverage each; the first two in the low half) laid over
// or added to four pixels.
template <bool kAdd>
__m128i BlendFour(__m128i below, __m256i samples) {
  __m256i sums = samples;
  if constexpr (!kAdd) {
    // below x (255 - coverage) / 255, rounded as Div255 rounds, then the sample added.
    const __m256i coverageWords = _mm256_setr_epi8(6, 7, 6, 7, 6, 7, 6, 7, 14, 15, 14, 15, 14, 15, 14, 15,  //
                                                   6, 7, 6, 7, 6, 7, 6, 7, 14, 15, 14, 15, 14, 15, 14, 15);
    const __m256i kept =
        _mm256_sub_epi16(_mm256_set1_epi16(255), _mm256_shuffle_epi8(samples, coverageWords));
    sums = _mm256_adds_epu16(samples, ScaleLanes(_mm256_cvtepu8_epi16(below), kept));
  }
  // Bytes again: the low 64 bits of each half, side by side.
  const __m128i bytes =
      _mm256_castsi256_si128(_mm256_permute4x64_epi64(_mm256_packus_epi16(sums, sums), 0x08));
  const __m128i colour = _mm_and_si128(bytes, _mm_set1_epi32(0x00FFFFFF));
  return kAdd ? _mm_adds_epu8(below, colour) : colour;
}

template <bool kAdd>
void PutFour(std::uint32_t* pixels, __m256i samples) {
  const __m128i below = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels), BlendFour<kAdd>(below, samples));
}

// ---- Spans of quads ----------------------------------------------------------------------------

// Two filtered samples, one in the low 64 bits of each half: from each half's texel pairs of the
// upper and lower row, mixed down by that half's fraction of t, scaled by alpha, mixed across by its
// fraction of s (the fractions as bits 8 to 15 of the 64-bit position that `pick` takes).
__m256i TwoBilinear(__m256i upper, __m256i lower, __m256i ts, __m256i ss, __m256i pick, __m256i alphas) {
  const __m256i down = _mm256_shuffle_epi8(ts, pick);
  const __m256i mixed = _mm256_srli_epi16(
      _mm256_add_epi16(_mm256_mullo_epi16(upper, _mm256_sub_epi16(_mm256_set1_epi16(256), down)),
                       _mm256_mullo_epi16(lower, down)),
      8);
  const __m256i columns = ScaleLanes(mixed, alphas);  // left column low, right high
  // 256 - across for the left column, across for the right one.
  const __m256i sides = _mm256_setr_epi16(256, 256, 256, 256, 0, 0, 0, 0, 256, 256, 256, 256, 0, 0, 0, 0);
  const __m256i weights = _mm256_abs_epi16(_mm256_sub_epi16(sides, _mm256_shuffle_epi8(ss, pick)));
  const __m256i products = _mm256_mullo_epi16(columns, weights);
  return _mm256_srli_epi16(_mm256_add_epi16(products, _mm256_srli_si256(products, 8)), 8);
}

// Filtered pixels whose texels and their right and lower neighbours lie on the image, four at a
// time; returns how many were drawn.
template <bool kAdd>
int InsideFilteredSpan(const SpanTexture& texture, std::uint32_t* pixels, int count, Fixed s, Fixed ds,
                       Fixed t, Fixed dt) {
  const auto width = std::size_t(texture.width);
  const auto pairAt = [&texture, width](Fixed u, Fixed v) {
    return reinterpret_cast<const ColumnSample*>(texture.lanes + std::size_t(v >> 16) * width +
                                                 std::size_t(u >> 16));
  };
  const __m256i alphas = _mm256_set1_epi16(short(texture.alpha));
  // Bits 8 to 15 of the first or the second 64-bit position of each half, spread over its 16-bit lanes.
  const __m256i firsts = _mm256_setr_epi8(1, -1, 1, -1, 1, -1, 1, -1, 1, -1, 1, -1, 1, -1, 1, -1,  //
                                          1, -1, 1, -1, 1, -1, 1, -1, 1, -1, 1, -1, 1, -1, 1, -1);
  const __m256i seconds = _mm256_add_epi8(firsts, _mm256_set1_epi16(8));
  __m256i ss = _mm256_setr_epi64x(s, s + ds, s + 2 * ds, s + 3 * ds);  // pixels 0 and 1 low, 2 and 3 high
  __m256i ts = _mm256_setr_epi64x(t, t + dt, t + 2 * dt, t + 3 * dt);
  const __m256i fourDs = _mm256_set1_epi64x(4 * ds);
  const __m256i fourDt = _mm256_set1_epi64x(4 * dt);
  int n = 0;
  for (; n + 4 <= count; n += 4, s += 4 * ds, t += 4 * dt) {
    const ColumnSample* p0 = pairAt(s, t);
    const ColumnSample* p1 = pairAt(s + ds, t + dt);
    const ColumnSample* p2 = pairAt(s + 2 * ds, t + 2 * dt);
    const ColumnSample* p3 = pairAt(s + 3 * ds, t + 3 * dt);
    const __m256i even =
        TwoBilinear(LoadTwo(p0, p2), LoadTwo(p0 + width, p2 + width), ts, ss, firsts, alphas);
    const __m256i odd =
        TwoBilinear(LoadTwo(p1, p3), LoadTwo(p1 + width, p3 + width), ts, ss, seconds, alphas);
    PutFour<kAdd>(pixels + n, _mm256_unpacklo_epi64(even, odd));
    ss = _mm256_add_epi64(ss, fourDs);
    ts = _mm256_add_epi64(ts, fourDt);
  }
  return n;
}

// Filtered spans: the pixels inside here, the rest and unfiltered spans by the SSE2 loops.
template <bool kAdd>
void Span(const SpanTexture& texture, std::uint32_t* pixels, int count, bool filtered, Fixed s, Fixed ds,
          Fixed t, Fixed dt) {
  const auto sse2 = kAdd ? Sse2().addSpan : Sse2().overSpan;
  int begin = 0;
  int end = count;
  if (filtered) {
    KeepInside(s, ds, 0, texture.width - 2, begin, end);
    KeepInside(t, dt, 0, texture.height - 2, begin, end);
  }
  if (!filtered || end - begin < 4) {
    sse2(texture, pixels, count, filtered, s, ds, t, dt);
    return;
  }
  if (begin > 0) sse2(texture, pixels, begin, true, s, ds, t, dt);
  const int done = begin + InsideFilteredSpan<kAdd>(texture, pixels + begin, end - begin, s + begin * ds, ds,
                                                    t + begin * dt, dt);
  if (done < count) sse2(texture, pixels + done, count - done, true, s + done * ds, ds, t + done * dt, dt);
}

// ---- Rows of prepared columns ------------------------------------------------------------------

// The texel columns x to x + 3 (all on the image), mixed and scaled.
struct ColumnQuads {
  const std::uint64_t* row0;  // lanes
  const std::uint64_t* row1;
  std::uint32_t down;
  std::uint32_t alpha;

  __m256i At(int x) const {
    __m256i columns = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(row0 + x));
    // Mixing with weight 0 and scaling by 255 change nothing: most rows of most quads need neither.
    if (down != 0) {
      const __m256i lower = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(row1 + x));
      columns = _mm256_srli_epi16(
          _mm256_add_epi16(_mm256_mullo_epi16(columns, _mm256_set1_epi16(short(256 - down))),
                           _mm256_mullo_epi16(lower, _mm256_set1_epi16(short(down)))),
          8);
    }
    return alpha == 255 ? columns : ScaleLanes(columns, _mm256_set1_epi16(short(alpha)));
  }
};

void PrepareColumns(ColumnSample* columns, int first, int count, const std::uint64_t* row0,
                    const std::uint64_t* row1, int width, std::uint32_t down, std::uint32_t alpha) {
  const int inside = first > 0 ? first : 0;                          // first texel column on the image
  const int beyond = first + count < width ? first + count : width;  // and one past the last
  if (beyond - inside < 4) {
    Sse2().prepareColumns(columns, first, count, row0, row1, width, down, alpha);
    return;
  }
  const ColumnQuads quads{row0, row1, down, alpha};
  const auto store = [columns, first, &quads](int x) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(columns + (x - first)), quads.At(x));
  };
  int x = inside;
  for (; x + 4 <= beyond; x += 4) store(x);
  if (x < beyond) store(beyond - 4);  // the last four once more
  // Off the image every column repeats the image's edge column.
  for (int k = 0; k < inside - first; ++k) columns[k] = columns[inside - first];
  for (int k = beyond - first; k < count; ++k) columns[k] = columns[beyond - 1 - first];
}

template <bool kAdd>
void ColumnRow(std::uint32_t* pixels, int count, const ColumnSample* columns, std::int32_t position,
               std::int32_t step, bool filtered) {
  int n = 0;
  if (filtered) {
    // The four pixels' positions in the low halves of the 64-bit lanes; the weight of each (bits 8
    // to 15) spread over the four 16-bit lanes of its sample.
    __m256i positions =
        _mm256_setr_epi32(position, 0, position + step, 0, position + 2 * step, 0, position + 3 * step, 0);
    const __m256i fourSteps = _mm256_setr_epi32(4 * step, 0, 4 * step, 0, 4 * step, 0, 4 * step, 0);
    const __m256i weightBytes = _mm256_setr_epi8(1, -1, 1, -1, 1, -1, 1, -1, 9, -1, 9, -1, 9, -1, 9, -1,  //
                                                 1, -1, 1, -1, 1, -1, 1, -1, 9, -1, 9, -1, 9, -1, 9, -1);
    const __m256i whole = _mm256_set1_epi16(256);
    for (; n + 4 <= count; n += 4, position += 4 * step) {
      // Pixels 0 and 2 in `first`, 1 and 3 in `second`: each the column pair it mixes.
      const __m256i first = LoadTwo(columns + (position >> 16), columns + ((position + 2 * step) >> 16));
      const __m256i second =
          LoadTwo(columns + ((position + step) >> 16), columns + ((position + 3 * step) >> 16));
      const __m256i left = _mm256_unpacklo_epi64(first, second);
      const __m256i right = _mm256_unpackhi_epi64(first, second);
      const __m256i weight = _mm256_shuffle_epi8(positions, weightBytes);
      const __m256i mixed = _mm256_add_epi16(_mm256_mullo_epi16(left, _mm256_sub_epi16(whole, weight)),
                                             _mm256_mullo_epi16(right, weight));
      PutFour<kAdd>(pixels + n, _mm256_srli_epi16(mixed, 8));
      positions = _mm256_add_epi32(positions, fourSteps);
    }
  } else {
    for (; n + 4 <= count; n += 4, position += 4 * step) {
      const __m128i low = _mm_unpacklo_epi64(LoadOne(columns + (position >> 16)),
                                             LoadOne(columns + ((position + step) >> 16)));
      const __m128i high = _mm_unpacklo_epi64(LoadOne(columns + ((position + 2 * step) >> 16)),
                                              LoadOne(columns + ((position + 3 * step) >> 16)));
      PutFour<kAdd>(pixels + n, _mm256_inserti128_si256(_mm256_castsi128_si256(low), high, 1));
    }
  }
  if (n < count)
    (kAdd ? Sse2().addColumnRow : Sse2().overColumnRow)(pixels + n, count - n, columns, position, step,
                                                        filtered);
}

constexpr RowKernels kAvx2Rows = {
    "avx2",           nullptr,         Span<false>, Span<true>, PrepareColumns,
    ColumnRow<false>, ColumnRow<true>, nullptr,     nullptr,
};

}  // namespace

const RowKernels* Avx2RowKernels() {
  return &kAvx2Rows;
}
