// Positions in a quad's texture and the samples taken there, shared by every span, plain, vector or
// general, so that all of them give the same pixels.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "raster/pixel_math.h"

// Texture positions in texels with 16 fractional bits; 64 bits, so that no step sum overflows.
using Fixed = std::int64_t;
constexpr Fixed kFixedOne = Fixed(1) << 16;

// The texture a span samples, and the draw's alpha.
struct SpanTexture {
  const std::uint32_t* texels = nullptr;  // top-down rows, 0x00RRGGBB
  const std::uint64_t* lanes = nullptr;   // the same texels as lanes (MakeTexelLanes)
  int width = 0;
  int height = 0;
  std::uint32_t alpha = 255;  // 0 to 255
};

// The whole texel of a position, kept on the image.
inline int Whole(Fixed position, int size) {
  return int(std::clamp<Fixed>(position >> 16, 0, size - 1));
}

// The whole texel of a position known to lie on the image.
inline int WholeInside(Fixed position, int) {
  return int(position >> 16);
}

// The fraction of a position, in 1/256.
inline std::uint32_t Weight(Fixed position) {
  return std::uint32_t(position >> 8 & 0xFF);
}

inline std::uint32_t TexelAt(const SpanTexture& texture, int column, int row) {
  return texture.texels[std::size_t(row) * std::size_t(texture.width) + std::size_t(column)];
}

// The two texel rows mixed at `column` (kept on the image).
inline Channels MixedColumn(const SpanTexture& texture, Fixed column, int row0, int row1,
                            std::uint32_t weight) {
  const int x = Whole(column, texture.width);
  return Mix(Unpack(TexelAt(texture, x, row0)), Unpack(TexelAt(texture, x, row1)), weight);
}

// The filtered sample at (s, t), texel centres at whole numbers: the two texel rows mixed first
// (weights of 1/256), each column then scaled by alpha, then the two columns mixed.
inline Channels Bilinear(const SpanTexture& texture, Fixed s, Fixed t, std::uint32_t alpha) {
  const int row0 = Whole(t, texture.height);
  const int row1 = Whole(t + kFixedOne, texture.height);
  const std::uint32_t down = Weight(t);
  const Channels left = Scale(MixedColumn(texture, s, row0, row1, down), alpha);
  const Channels right = Scale(MixedColumn(texture, s + kFixedOne, row0, row1, down), alpha);
  return Mix(left, right, Weight(s));
}
