// Writing 0x00RRGGBB pixels as a 24-bit BMP file image.
#pragma once

#include <cstdint>
#include <vector>

// The complete file: 54 bytes of headers, then the rows bottom-up as blue, green, red, each row
// followed by (width mod 4) zero bytes; 54 + height x (3 x width + width mod 4) bytes in all.
// `pixels` holds width x height top-down rows.
std::vector<std::uint8_t> EncodeBmp(const std::uint32_t* pixels, int width, int height);
