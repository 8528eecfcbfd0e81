// Pixel areas: the blocks of 0x00RRGGBB pixels that everything is drawn into, the frame buffers and
// the sprites alike, and the colour values that go with them.
#pragma once

#include <cstdint>

// Top-down rows of `width` pixels each, 0x00RRGGBB; the top byte is not significant.
struct PixelArea {
  std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
};

// 0x00RRGGBB, the byte order of every pixel and every colour value of the game.
constexpr std::uint32_t RgbPixel(int red, int green, int blue) {
  return std::uint32_t(red & 0xFF) << 16 | std::uint32_t(green & 0xFF) << 8 | std::uint32_t(blue & 0xFF);
}

// Pixels whose colour is black are transparent to keyed blits and quads (the top byte does not count).
constexpr bool IsKeyColour(std::uint32_t pixel) {
  return (pixel & 0xFFFFFF) == 0;
}
