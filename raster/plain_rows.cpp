// The row loops in plain C++, one pixel at a time.
#include "raster/plain_rows.h"

#include <algorithm>

#include "raster/pixel_math.h"

namespace {

void CopyRowKeyed(std::uint32_t* target, const std::uint32_t* source, int count) {
  for (int n = 0; n < count; ++n) {
    if (!IsKeyColour(source[n])) target[n] = source[n];
  }
}

template <bool kAdd>
void Span(const SpanTexture& texture, std::uint32_t* pixels, int count, bool filtered, Fixed s, Fixed ds,
          Fixed t, Fixed dt) {
  for (int n = 0; n < count; ++n, s += ds, t += dt) {
    if (filtered) {
      PutSample<kAdd>(pixels[n], Bilinear(texture, s, t, texture.alpha));
      continue;
    }
    const std::uint32_t texel = TexelAt(texture, Whole(s, texture.width), Whole(t, texture.height));
    if (!IsKeyColour(texel)) PutSample<kAdd>(pixels[n], Scale(Unpack(texel), texture.alpha));
  }
}

Channels Widen(const ColumnSample& column) {
  return {{column.c[0], column.c[1], column.c[2], column.c[3]}};
}

Channels Widen(std::uint64_t lanes) {
  return {{std::uint32_t(lanes & 0xFFFF), std::uint32_t(lanes >> 16 & 0xFFFF),
           std::uint32_t(lanes >> 32 & 0xFFFF), std::uint32_t(lanes >> 48)}};
}

void PrepareColumns(ColumnSample* columns, int first, int count, const std::uint64_t* row0,
                    const std::uint64_t* row1, int width, std::uint32_t down, std::uint32_t alpha) {
  // Off the image every column repeats the image's edge column.
  for (int k = 0; k < count; ++k) {
    const int x = std::clamp(first + k, 0, width - 1);
    const Channels column = Scale(Mix(Widen(row0[x]), Widen(row1[x]), down), alpha);
    columns[k] = {{std::uint16_t(column.c[0]), std::uint16_t(column.c[1]), std::uint16_t(column.c[2]),
                   std::uint16_t(column.c[3])}};
  }
}

// One run of a long filtered row (see kLongRunStep): `count` pixels between the columns pair[0]
// and pair[1].
template <bool kAdd>
void Run(std::uint32_t* pixels, int count, const ColumnSample* pair, std::int32_t position,
         std::int32_t step) {
  const auto weight = std::uint32_t(position >> 8 & 0xFF);
  std::int32_t value[4];
  std::int32_t growth[4];
  for (int c = 0; c < 4; ++c) {
    value[c] = std::int32_t(pair[0].c[c] * (256 - weight) + pair[1].c[c] * weight);
    growth[c] = ((std::int32_t(pair[1].c[c]) - std::int32_t(pair[0].c[c])) * step) >> 8;
  }
  for (int n = 0; n < count; ++n) {
    PutSample<kAdd>(pixels[n], {{std::uint32_t(value[0] >> 8), std::uint32_t(value[1] >> 8),
                                 std::uint32_t(value[2] >> 8), std::uint32_t(value[3] >> 8)}});
    for (int c = 0; c < 4; ++c) value[c] = std::clamp(value[c] + growth[c], 0, 65535);
  }
}

template <bool kAdd>
void ColumnRow(std::uint32_t* pixels, int count, const ColumnSample* columns, std::int32_t position,
               std::int32_t step, bool filtered) {
  for (int n = 0; n < count; ++n, position += step) {
    const ColumnSample* at = columns + (position >> 16);
    const Channels sample =
        filtered ? Mix(Widen(at[0]), Widen(at[1]), std::uint32_t(position >> 8 & 0xFF)) : Widen(at[0]);
    PutSample<kAdd>(pixels[n], sample);
  }
}

template <bool kAdd>
void Runs(std::uint32_t* pixels, int count, const ColumnSample* columns, std::int32_t position,
          std::int32_t step) {
  ForEachRun(pixels, count, columns, position, step, Run<kAdd>);
}

constexpr RowKernels kPlainRows = {
    "plain",          CopyRowKeyed,    Span<false>, Span<true>, PrepareColumns,
    ColumnRow<false>, ColumnRow<true>, Runs<false>, Runs<true>,
};

}  // namespace

const RowKernels& PlainRowKernels() {
  return kPlainRows;
}
