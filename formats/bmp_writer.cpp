// BMP writer: the 24-bit file image of a screenshot or any other sprite.
#include "formats/bmp_writer.h"

#include <cstddef>

#include "formats/byte_order.h"

namespace {

constexpr std::size_t kHeadersSize = 54;

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const std::uint32_t* pixels, int width, int height) {
  // 3 x width + (width mod 4) is a multiple of 4 for every width.
  const std::size_t rowBytes = 3 * std::size_t(width) + std::size_t(width % 4);
  std::vector<std::uint8_t> file(kHeadersSize + rowBytes * std::size_t(height), 0);
  std::uint8_t* h = file.data();
  h[0] = 'B';
  h[1] = 'M';
  Put32(h + 2, std::uint32_t(file.size()));
  Put32(h + 10, kHeadersSize);
  Put32(h + 14, 40);  // information header size
  Put32(h + 18, std::uint32_t(width));
  Put32(h + 22, std::uint32_t(height));  // positive: bottom row first
  Put16(h + 26, 1);                      // planes
  Put16(h + 28, 24);                     // bits per pixel; compression, sizes and resolutions stay 0
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* source = pixels + std::size_t(height - 1 - y) * std::size_t(width);
    std::uint8_t* row = h + kHeadersSize + rowBytes * std::size_t(y);
    for (int x = 0; x < width; ++x) {
      row[3 * x] = std::uint8_t(source[x]);
      row[3 * x + 1] = std::uint8_t(source[x] >> 8);
      row[3 * x + 2] = std::uint8_t(source[x] >> 16);
    }
  }
  return file;
}
