// The arithmetic of one blended pixel, shared by every loop that draws quads, plain or vector, so
// that all of them give the same pixels.
#pragma once

#include <algorithm>
#include <cstdint>

#include "raster/pixels.h"

// Blue, green, red and coverage (255 where a texel is not the key colour, less where a filtered
// sample is partly made of key texels), 0 to 255 each; the colours premultiplied by coverage.
struct Channels {
  std::uint32_t c[4];
};

inline Channels Unpack(std::uint32_t texel) {
  return {{texel & 0xFF, texel >> 8 & 0xFF, texel >> 16 & 0xFF, IsKeyColour(texel) ? 0u : 255u}};
}

// Rounds x / 255 to the nearest integer for x up to 255 x 255.
inline std::uint32_t Div255(std::uint32_t x) {
  return (x + 128 + ((x + 128) >> 8)) >> 8;
}

// x + (y - x) x f / 256, rounded down, f from 0 to 255.
inline Channels Mix(const Channels& x, const Channels& y, std::uint32_t f) {
  Channels out;
  for (int i = 0; i < 4; ++i) out.c[i] = (x.c[i] * (256 - f) + y.c[i] * f) >> 8;
  return out;
}

inline Channels Scale(const Channels& x, std::uint32_t alpha) {
  Channels out;
  for (int i = 0; i < 4; ++i) out.c[i] = Div255(x.c[i] * alpha);
  return out;
}

// (5, 6): the sample plus what its coverage leaves of the pixel; (5, 7): added. Both saturate; the
// pixel's top byte stays 0.
template <bool kAdd>
inline void PutSample(std::uint32_t& pixel, const Channels& q) {
  std::uint32_t out = 0;
  for (int i = 0; i < 3; ++i) {
    const std::uint32_t below = pixel >> (8 * i) & 0xFF;
    const std::uint32_t sum = kAdd ? below + q.c[i] : q.c[i] + Div255(below * (255 - q.c[3]));
    out |= std::min(sum, 255u) << (8 * i);
  }
  pixel = out;
}
