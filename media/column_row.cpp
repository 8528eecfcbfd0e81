// Rows of enlarged unturned quads: two pixels at a time with SSE2, the same arithmetic as the plain
// loop that draws the rest (and everything where SSE2 is missing).
#include "media/column_row.h"

#include <algorithm>

#include "media/pixel_lanes.h"

namespace {

Channels Widen(const ColumnSample& column) {
  return {{column.c[0], column.c[1], column.c[2], column.c[3]}};
}

Channels Widen(std::uint64_t lanes) {
  return {{std::uint32_t(lanes & 0xFFFF), std::uint32_t(lanes >> 16 & 0xFFFF),
           std::uint32_t(lanes >> 32 & 0xFFFF), std::uint32_t(lanes >> 48)}};
}

ColumnSample PlainColumn(const std::uint64_t* row0, const std::uint64_t* row1, int x, std::uint32_t down,
                         std::uint32_t alpha) {
  const Channels column = Scale(Mix(Widen(row0[x]), Widen(row1[x]), down), alpha);
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

// The texel columns x and x + 1 (both inside the image), mixed and scaled: x low, x + 1 high.
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

// PrepareColumns for an image at least two texels wide.
void VectorColumns(ColumnSample* columns, int first, int count, const ColumnPairs& pairs, int width) {
  const auto store = [](ColumnSample* at, __m128i two) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(at), two);
  };
  const auto storeHigh = [](ColumnSample* at, __m128i two) {
    _mm_storel_epi64(reinterpret_cast<__m128i*>(at), _mm_srli_si128(two, 8));
  };
  const int inside = std::max(first, 0);              // first texel column inside the image
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

// Rows enlarged eight times or more, filtered: the pixels that share a pair of columns form a run
// along which the sample grows by the same amount from pixel to pixel, so it is summed instead of
// mixed anew. Values carry 8 fractional bits: the run starts with the mix of its first pixel and
// grows by (right - left) x step / 256 (rounded down), saturating at 0 and 255.
constexpr std::int32_t kLongRunStep = 1 << 13;

// The run of pixel `position` on, `count` pixels, plain.
template <bool kAdd>
void PlainRun(std::uint32_t* pixels, int count, const ColumnSample& left, const ColumnSample& right,
              std::int32_t position, std::int32_t step) {
  const auto weight = std::uint32_t(position >> 8 & 0xFF);
  std::int32_t value[4];
  std::int32_t growth[4];
  for (int c = 0; c < 4; ++c) {
    value[c] = std::int32_t(left.c[c] * (256 - weight) + right.c[c] * weight);
    growth[c] = ((std::int32_t(right.c[c]) - std::int32_t(left.c[c])) * step) >> 8;
  }
  for (int n = 0; n < count; ++n) {
    PutSample<kAdd>(pixels[n], {{std::uint32_t(value[0] >> 8), std::uint32_t(value[1] >> 8),
                                 std::uint32_t(value[2] >> 8), std::uint32_t(value[3] >> 8)}});
    for (int c = 0; c < 4; ++c) value[c] = std::clamp(value[c] + growth[c], 0, 65535);
  }
}

#ifdef __SSE2__

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

// The same, two pixels at a time: the low half of `values` one pixel, the high half the next.
template <bool kAdd>
void VectorRun(std::uint32_t* pixels, int count, const ColumnSample* pair, std::int32_t position,
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

#endif

template <bool kAdd>
void RunRow(std::uint32_t* pixels, int count, const ColumnSample* columns, std::int32_t position,
            std::int32_t step) {
  for (int n = 0; n < count;) {
    const std::int32_t column = position >> 16;
    const std::int32_t toNext = ((column + 1) << 16) - position;
    const int length = int(std::min<std::int32_t>(count - n, (toNext + step - 1) / step));
#ifdef __SSE2__
    VectorRun<kAdd>(pixels + n, length, columns + column, position, step);
#else
    PlainRun<kAdd>(pixels + n, length, columns[column], columns[column + 1], position, step);
#endif
    n += length;
    position += length * step;
  }
}

template <bool kAdd>
void Row(std::uint32_t* pixels, int count, const ColumnSample* columns, std::int32_t position,
         std::int32_t step, bool filtered) {
  if (filtered && step > 0 && step <= kLongRunStep) {
    RunRow<kAdd>(pixels, count, columns, position, step);
    return;
  }
  int done = 0;
#ifdef __SSE2__
  done = VectorRow<kAdd>(pixels, count, columns, position, step, filtered);
#endif
  PlainRow<kAdd>(pixels + done, count - done, columns, position + done * step, step, filtered);
}

// A column that changes no pixel: nothing to add, or nothing covered.
bool IsBlank(const ColumnSample& column, bool add) {
  return add ? (column.c[0] | column.c[1] | column.c[2]) == 0 : column.c[3] == 0;
}

// Leaves out the pixels at both ends of a row whose columns are all blank: the key-coloured corners
// of a round glow, or a spark whose life has faded. Their pixels would stay as they are anyway.
void TrimBlankEnds(std::uint32_t*& pixels, int& count, const ColumnSample* columns, std::int32_t& position,
                   std::int32_t step, bool filtered, bool add) {
  const int reach = filtered ? 1 : 0;  // a filtered pixel also takes the next column
  const int lastColumn = int((position + std::int64_t(count - 1) * step) >> 16) + reach;
  int firstLit = int(position >> 16);
  while (firstLit <= lastColumn && IsBlank(columns[firstLit], add)) ++firstLit;
  if (firstLit > lastColumn) {
    count = 0;
    return;
  }
  int lastLit = lastColumn;
  while (IsBlank(columns[lastLit], add)) --lastLit;
  // The first pixel whose columns reach firstLit, and the last whose first column is lastLit.
  const std::int64_t from = (std::int64_t(firstLit - reach) << 16) - position;
  const std::int64_t skipped = from > 0 ? (from + step - 1) / step : 0;
  const std::int64_t to = ((std::int64_t(lastLit) + 1) << 16) - 1 - position;
  const std::int64_t kept = std::min<std::int64_t>(count, to / step + 1) - skipped;
  if (kept <= 0) {
    count = 0;
    return;
  }
  pixels += skipped;
  position += std::int32_t(skipped * step);
  count = int(kept);
}

}  // namespace

void PrepareColumns(ColumnSample* columns, int first, int count, const std::uint64_t* row0,
                    const std::uint64_t* row1, int width, std::uint32_t down, std::uint32_t alpha) {
#ifdef __SSE2__
  if (width >= 2) {
    VectorColumns(columns, first, count, ColumnPairs{row0, row1, down, alpha}, width);
    return;
  }
#endif
  // Off the image every column repeats the image's edge column.
  for (int k = 0; k < count; ++k)
    columns[k] = PlainColumn(row0, row1, std::clamp(first + k, 0, width - 1), down, alpha);
}

void BlendColumnRow(std::uint32_t* pixels, int count, const ColumnSample* columns, std::int32_t position,
                    std::int32_t step, bool filtered, bool add) {
  if (step > 0) TrimBlankEnds(pixels, count, columns, position, step, filtered, add);
  if (add) {
    Row<true>(pixels, count, columns, position, step, filtered);
  } else {
    Row<false>(pixels, count, columns, position, step, filtered);
  }
}
