// Reading PNG file images into 0xAARRGGBB pixels; safe on any input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A decoded picture with its transparency.
struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // width x height, top-down rows, 0xAARRGGBB (alpha 255 = opaque)
};

// Decodes a PNG of 8-bit RGB or RGBA, not interlaced, as the art generator writes its icons. False
// for any other kind, a damaged chunk (its CRC), image data that does not fill the rows exactly, and
// a size beyond kMaxImageSide.
bool DecodePng(const std::uint8_t* data, std::size_t size, RgbaImage& out);
