// Reading BMP file images into 0x00RRGGBB pixels; safe on any input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A decoded picture, shared by the BMP and JPEG readers.
struct DecodedImage {
  int width = 0;
  int height = 0;
  int bits = 0;                       // bits per pixel of the source; 24 after palette expansion or JPEG
  std::vector<std::uint32_t> pixels;  // width x height, top-down rows, 0x00RRGGBB
};

// Largest width or height any reader accepts, so that a few header bytes cannot ask for gigabytes.
constexpr int kMaxImageSide = 16384;

// Decodes an uncompressed bottom-up BMP of 1, 4, 8, 16 (5:5:5), 24 or 32 bits per pixel. False for
// anything else, and for headers that place the palette or the rows beyond the data.
bool DecodeBmp(const std::uint8_t* data, std::size_t size, DecodedImage& out);
