// Reading JPEG file images with libjpeg into 0x00RRGGBB pixels; safe on any input.
#pragma once

#include <cstddef>
#include <cstdint>

#include "formats/bmp_reader.h"

// Most pixels a JPEG may have: a header of a hundred bytes could otherwise ask for seconds of
// decoding and gigabytes of memory (the game's largest picture has 0.6 million).
constexpr std::size_t kMaxJpegPixels = std::size_t(1) << 24;

// Most scans a progressive or multi-scan file may have; more would only cost time.
constexpr int kMaxJpegScans = 500;

// Decodes a JPEG (greyscale expanded to RGB, accurate integer inverse DCT). False when the data is
// not a JPEG or libjpeg fails before the first row, the image is larger than kMaxImageSide either
// way or kMaxJpegPixels in all, or it has more than kMaxJpegScans scans. When the data ends early or breaks
// off during the rows, the rows decoded so far are kept and the rest of the picture is black (still true).
bool DecodeJpeg(const std::uint8_t* data, std::size_t size, DecodedImage& out);
