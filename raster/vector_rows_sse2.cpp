// The row loops on SSE2 registers: two pixels at a time (four where nothing is mixed), the same
// arithmetic as the plain loops, which draw the few pixels at the ends of a row.
#include <emmintrin.h>

#include <algorithm>

#include "raster/inside_texels.h"
#include "raster/plain_rows.h"
#include "raster/sse2_lanes.h"
#include "raster/vector_rows.h"

namespace {

// The plain loops draw what is left at the ends of a row.
const RowKernels& Plain() {
  return PlainRowKernels();
}

void CopyRowKeyed(std::uint32_t* target, const std::uint32_t* source, int count) {
  const __m128i colour = _mm_set1_epi32(0xFFFFFF);
  const __m128i zero = _mm_setzero_si128();
  int n = 0;
  for (; n + 4 <= count; n += 4) {
    const __m128i over = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + n));
    const __m128i under = _mm_loadu_si128(reinterpret_cast<const __m128i*>(target + n));
    const __m128i key = _mm_cmpeq_epi32(_mm_and_si128(over, colour), zero);
    const __m128i mixed = _mm_or_si128(_mm_and_si128(key, under), _mm_andnot_si128(key, over));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(target + n), mixed);
  }
  if (n < count) Plain().copyRowKeyed(target + n, source + n, count - n);
}

// ---- Spans of quads ----------------------------------------------------------------------------

// The whole texel of a position: known to lie on the image (kInside), or kept on it.
template <bool kInside>
inline int WholeOf(Fixed position, int size) {
  if constexpr (kInside) {
    return WholeInside(position, size);
  } else {
    return Whole(position, size);
  }
}

inline __m128i LanesAt(const std::uint64_t* lanes) {
  return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(lanes));
}

// The texels `left` and `right` of a row of lanes: left in the low half, right in the high one.
template <bool kInside>
inline __m128i PairOfLanes(const std::uint64_t* row, int left, int right) {
  if constexpr (kInside) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + left));  // right is left + 1
  } else {
    return _mm_unpacklo_epi64(LanesAt(row + left), LanesAt(row + right));
  }
}

// Bilinear's arithmetic on lanes: the sample in the low 64 bits.
template <bool kInside>
inline __m128i BilinearLanes(const SpanTexture& texture, Fixed s, Fixed t, __m128i alphas) {
  const int left = WholeOf<kInside>(s, texture.width);
  const int right = WholeOf<kInside>(s + kFixedOne, texture.width);
  const std::uint64_t* row0 =
      texture.lanes + std::size_t(WholeOf<kInside>(t, texture.height)) * std::size_t(texture.width);
  const std::uint64_t* row1 = texture.lanes + std::size_t(WholeOf<kInside>(t + kFixedOne, texture.height)) *
                                                  std::size_t(texture.width);
  const auto down = short(Weight(t));
  const auto across = int(Weight(s));
  const __m128i mixed = _mm_add_epi16(
      _mm_mullo_epi16(PairOfLanes<kInside>(row0, left, right), _mm_set1_epi16(short(256 - down))),
      _mm_mullo_epi16(PairOfLanes<kInside>(row1, left, right), _mm_set1_epi16(down)));
  const __m128i columns = ScaleLanes(_mm_srli_epi16(mixed, 8), alphas);  // left column low, right high
  // 256 - across in the four low lanes, across in the four high ones.
  __m128i weights = _mm_cvtsi32_si128((256 - across) | across << 16);
  weights = _mm_unpacklo_epi16(weights, weights);
  weights = _mm_unpacklo_epi32(weights, weights);
  const __m128i products = _mm_mullo_epi16(columns, weights);
  return _mm_srli_epi16(_mm_add_epi16(products, _mm_srli_si128(products, 8)), 8);
}

// Two pixels at a time; returns how many pixels were drawn.
template <bool kAdd, bool kInside>
int PairSpan(const SpanTexture& texture, std::uint32_t* pixels, int count, bool filtered, Fixed s, Fixed ds,
             Fixed t, Fixed dt) {
  const __m128i alphas = _mm_set1_epi16(short(texture.alpha));
  const auto lanesAt = [&texture](Fixed u, Fixed v) {
    return texture.lanes + std::size_t(WholeOf<kInside>(v, texture.height)) * std::size_t(texture.width) +
           std::size_t(WholeOf<kInside>(u, texture.width));
  };
  int n = 0;
  for (; n + 2 <= count; n += 2, s += 2 * ds, t += 2 * dt) {
    if (filtered) {
      const __m128i first = BilinearLanes<kInside>(texture, s, t, alphas);
      const __m128i second = BilinearLanes<kInside>(texture, s + ds, t + dt, alphas);
      PutTwoSamples<kAdd>(pixels + n, _mm_unpacklo_epi64(first, second));
    } else {
      // A key texel is all 0, which leaves the pixel as it is.
      const __m128i texels = _mm_unpacklo_epi64(LanesAt(lanesAt(s, t)), LanesAt(lanesAt(s + ds, t + dt)));
      PutTwoSamples<kAdd>(pixels + n, ScaleLanes(texels, alphas));
    }
  }
  return n;
}

// Nearest texels of one texel row, alpha 255, four pixels at a time: laid over, a texel replaces
// the pixel unless it is the key colour; added, it is added. Returns how many were drawn.
template <bool kAdd>
int OpaqueLevelRow(std::uint32_t* pixels, int count, const std::uint32_t* row, Fixed s, Fixed ds) {
  const __m128i colourOnly = _mm_set1_epi32(0x00FFFFFF);
  int n = 0;
  for (; n + 4 <= count; n += 4, s += 4 * ds) {
    const __m128i texels =
        _mm_and_si128(_mm_set_epi32(int(row[(s + 3 * ds) >> 16]), int(row[(s + 2 * ds) >> 16]),
                                    int(row[(s + ds) >> 16]), int(row[s >> 16])),
                      colourOnly);
    const __m128i below = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + n));
    __m128i out;
    if constexpr (kAdd) {
      out = _mm_adds_epu8(below, texels);
    } else {
      const __m128i key = _mm_cmpeq_epi32(texels, _mm_setzero_si128());
      out = _mm_or_si128(_mm_and_si128(key, below), texels);
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + n), out);
  }
  return n;
}

template <bool kAdd>
void Span(const SpanTexture& texture, std::uint32_t* pixels, int count, bool filtered, Fixed s, Fixed ds,
          Fixed t, Fixed dt) {
  const auto plain = kAdd ? Plain().addSpan : Plain().overSpan;
  // The pixels whose texels (and, filtered, their right and lower neighbours) lie on the image need
  // no clamping; only the few at the ends of the row do.
  const int reach = filtered ? 1 : 0;
  int begin = 0;
  int end = count;
  KeepInside(s, ds, 0, texture.width - 1 - reach, begin, end);
  KeepInside(t, dt, 0, texture.height - 1 - reach, begin, end);
  int done = PairSpan<kAdd, false>(texture, pixels, begin, filtered, s, ds, t, dt);
  if (done < begin)
    plain(texture, pixels + done, begin - done, filtered, s + done * ds, ds, t + done * dt, dt);
  if (!filtered && dt == 0 && texture.alpha == 255) {
    const std::uint32_t* row = texture.texels + std::size_t(WholeInside(t, 0)) * std::size_t(texture.width);
    done = begin + OpaqueLevelRow<kAdd>(pixels + begin, end - begin, row, s + begin * ds, ds);
  } else {
    done = begin + PairSpan<kAdd, true>(texture, pixels + begin, end - begin, filtered, s + begin * ds, ds,
                                        t + begin * dt, dt);
  }
  done += PairSpan<kAdd, false>(texture, pixels + done, count - done, filtered, s + done * ds, ds,
                                t + done * dt, dt);
  if (done < count)
    plain(texture, pixels + done, count - done, filtered, s + done * ds, ds, t + done * dt, dt);
}

// ---- Rows of prepared columns ------------------------------------------------------------------

// The texel columns x and x + 1 (both on the image), mixed and scaled: x low, x + 1 high.
struct ColumnPairs {
  const std::uint64_t* row0;  // lanes
  const std::uint64_t* row1;
  std::uint32_t down;
  std::uint32_t alpha;

  __m128i At(int x) const {
    __m128i column = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row0 + x));
    // Mixing with weight 0 and scaling by 255 change nothing: most rows of most quads need neither.
    if (down != 0) {
      const __m128i lower = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row1 + x));
      column = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(column, _mm_set1_epi16(short(256 - down))),
                                            _mm_mullo_epi16(lower, _mm_set1_epi16(short(down)))),
                              8);
    }
    return alpha == 255 ? column : ScaleLanes(column, _mm_set1_epi16(short(alpha)));
  }
};

void PrepareColumns(ColumnSample* columns, int first, int count, const std::uint64_t* row0,
                    const std::uint64_t* row1, int width, std::uint32_t down, std::uint32_t alpha) {
  if (width < 2) {
    Plain().prepareColumns(columns, first, count, row0, row1, width, down, alpha);
    return;
  }
  const ColumnPairs pairs{row0, row1, down, alpha};
  const auto store = [](ColumnSample* at, __m128i two) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(at), two);
  };
  const auto storeHigh = [](ColumnSample* at, __m128i two) {
    _mm_storel_epi64(reinterpret_cast<__m128i*>(at), _mm_srli_si128(two, 8));
  };
  const int inside = std::max(first, 0);              // first texel column on the image
  const int beyond = std::min(first + count, width);  // and one past the last
  if (inside >= beyond) {
    // Every column lies off one side and repeats the image's edge column.
    ColumnSample edge[2];
    store(edge, pairs.At(first < 0 ? 0 : width - 2));
    std::fill(columns, columns + count, edge[first < 0 ? 0 : 1]);
    return;
  }
  int x = inside;
  for (; x + 1 < beyond; x += 2) store(columns + (x - first), pairs.At(x));
  if (x < beyond) {
    // One column left over: the high half of the pair before it, or column 0 alone.
    if (x > 0) {
      storeHigh(columns + (x - first), pairs.At(x - 1));
    } else {
      _mm_storel_epi64(reinterpret_cast<__m128i*>(columns + (x - first)), pairs.At(0));
    }
  }
  std::fill(columns, columns + (inside - first), columns[inside - first]);
  std::fill(columns + (beyond - first), columns + count, columns[beyond - 1 - first]);
}

// A run whose sample does not change (a flat picture, such as the menu's veil), four pixels at a
// time: the sample's lanes in the low 64 bits.
template <bool kAdd>
void ConstantRun(std::uint32_t* pixels, int count, __m128i sample) {
  const __m128i both = _mm_unpacklo_epi64(sample, sample);
  const __m128i colourOnly = _mm_set1_epi32(0x00FFFFFF);
  int n = 0;
  if constexpr (kAdd) {
    const __m128i bytes = _mm_and_si128(_mm_packus_epi16(both, both), colourOnly);
    for (; n + 4 <= count; n += 4) {
      const __m128i below = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + n));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + n), _mm_adds_epu8(below, bytes));
    }
  } else {
    const __m128i coverage = _mm_shufflehi_epi16(_mm_shufflelo_epi16(both, 0xFF), 0xFF);
    const __m128i kept = _mm_sub_epi16(_mm_set1_epi16(255), coverage);
    for (; n + 4 <= count; n += 4) {
      const __m128i below = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + n));
      const __m128i low =
          _mm_adds_epu16(both, ScaleLanes(_mm_unpacklo_epi8(below, _mm_setzero_si128()), kept));
      const __m128i high =
          _mm_adds_epu16(both, ScaleLanes(_mm_unpackhi_epi8(below, _mm_setzero_si128()), kept));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + n),
                       _mm_and_si128(_mm_packus_epi16(low, high), colourOnly));
    }
  }
  for (; n + 2 <= count; n += 2) PutTwoSamples<kAdd>(pixels + n, both);
  if (n < count) PutOneSample<kAdd>(pixels + n, both);
}

// One run of a long filtered row (see kLongRunStep), two pixels at a time: the low half of
// `values` one pixel, the high half the next.
template <bool kAdd>
void Run(std::uint32_t* pixels, int count, const ColumnSample* pair, std::int32_t position,
         std::int32_t step) {
  const __m128i columns = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pair));
  const __m128i right = _mm_srli_si128(columns, 8);
  const int weight = position >> 8 & 0xFF;
  const __m128i start = _mm_add_epi16(_mm_mullo_epi16(columns, _mm_set1_epi16(short(256 - weight))),
                                      _mm_mullo_epi16(right, _mm_set1_epi16(short(weight))));
  // (right - left) x 128 x (2 x step) / 65536, rounded down; then its rising and falling parts.
  const __m128i growth =
      _mm_mulhi_epi16(_mm_slli_epi16(_mm_sub_epi16(right, columns), 7), _mm_set1_epi16(short(2 * step)));
  const __m128i zero = _mm_setzero_si128();
  if ((_mm_movemask_epi8(_mm_cmpeq_epi16(growth, zero)) & 0xFF) == 0xFF) {
    ConstantRun<kAdd>(pixels, count, _mm_srli_epi16(start, 8));
    return;
  }
  const __m128i rise = _mm_max_epi16(growth, zero);
  const __m128i fall = _mm_max_epi16(_mm_sub_epi16(zero, growth), zero);
  __m128i values = _mm_unpacklo_epi64(start, _mm_subs_epu16(_mm_adds_epu16(start, rise), fall));
  const __m128i rise2 = _mm_unpacklo_epi64(_mm_adds_epu16(rise, rise), _mm_adds_epu16(rise, rise));
  const __m128i fall2 = _mm_unpacklo_epi64(_mm_adds_epu16(fall, fall), _mm_adds_epu16(fall, fall));
  int n = 0;
  if constexpr (kAdd) {
    // The light of big sparks: four pixels at a time, the next two pixels' values in `later`.
    __m128i later = _mm_subs_epu16(_mm_adds_epu16(values, rise2), fall2);
    const __m128i rise4 = _mm_adds_epu16(rise2, rise2);
    const __m128i fall4 = _mm_adds_epu16(fall2, fall2);
    const __m128i colourOnly = _mm_set1_epi32(0x00FFFFFF);
    for (; n + 4 <= count; n += 4) {
      const __m128i bytes =
          _mm_and_si128(_mm_packus_epi16(_mm_srli_epi16(values, 8), _mm_srli_epi16(later, 8)), colourOnly);
      const __m128i below = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + n));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + n), _mm_adds_epu8(below, bytes));
      values = _mm_subs_epu16(_mm_adds_epu16(values, rise4), fall4);
      later = _mm_subs_epu16(_mm_adds_epu16(later, rise4), fall4);
    }
  }
  for (; n + 2 <= count; n += 2) {
    PutTwoSamples<kAdd>(pixels + n, _mm_srli_epi16(values, 8));
    values = _mm_subs_epu16(_mm_adds_epu16(values, rise2), fall2);
  }
  if (n < count) PutOneSample<kAdd>(pixels + n, _mm_srli_epi16(values, 8));
}

template <bool kAdd>
void ColumnRow(std::uint32_t* pixels, int count, const ColumnSample* columns, std::int32_t position,
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
  if (n < count)
    (kAdd ? Plain().addColumnRow : Plain().overColumnRow)(pixels + n, count - n, columns, position, step,
                                                          filtered);
}

template <bool kAdd>
void Runs(std::uint32_t* pixels, int count, const ColumnSample* columns, std::int32_t position,
          std::int32_t step) {
  ForEachRun(pixels, count, columns, position, step, Run<kAdd>);
}

constexpr RowKernels kSse2Rows = {
    "sse2",           CopyRowKeyed,    Span<false>, Span<true>, PrepareColumns,
    ColumnRow<false>, ColumnRow<true>, Runs<false>, Runs<true>,
};

}  // namespace

const RowKernels* Sse2RowKernels() {
  return &kSse2Rows;
}
