// Test support: JPEG file images made by libjpeg's own encoder, for the reader and the sprite slots.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

// clang-format off
#include <jpeglib.h>
// clang-format on

// A JPEG of width x height from interleaved 8-bit samples (`components` per pixel: 1 grey, 3 RGB
// or 4 CMYK).
inline std::vector<std::uint8_t> EncodeJpeg(int width, int height, int components,
                                            const std::vector<std::uint8_t>& samples,
                                            bool progressive = false) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = JDIMENSION(width);
  cinfo.image_height = JDIMENSION(height);
  cinfo.input_components = components;
  cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 3 ? JCS_RGB : JCS_CMYK;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 100, TRUE);
  if (progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(&samples[std::size_t(cinfo.next_scanline) * width * components]);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::vector<std::uint8_t> bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

// A smooth colour picture, 3 samples per pixel, red rising to the right and green downwards.
inline std::vector<std::uint8_t> SmoothPicture(int width, int height) {
  std::vector<std::uint8_t> samples;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      samples.push_back(std::uint8_t(255 * x / width));
      samples.push_back(std::uint8_t(255 * y / height));
      samples.push_back(96);
    }
  return samples;
}
