// File formats of the generated art: 24-bit BMP, JPEG and 16-bit PCM WAV.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/artgen/raster.h"

using Bytes = std::vector<std::uint8_t>;

// 24 bits per pixel, uncompressed, rows bottom-up and padded to 4 bytes, 2834 pixels per metre.
Bytes EncodeBmp(const Canvas& canvas);
// Baseline JPEG without chroma subsampling.
Bytes EncodeJpeg(const Canvas& canvas, int quality);
// "RIFF", "WAVE", a 16-byte "fmt " chunk at offset 12 and the "data" chunk right after it.
// `samples` are interleaved frames of `channels` values from -1 to 1.
Bytes EncodeWav(const std::vector<float>& samples, int channels, int rate);

// 0 to 255, rounded, of a colour component.
std::uint8_t ToByte(float v);
