// BMP reader: uncompressed bottom-up images, palettes expanded to 24 bits.
#include "formats/bmp_reader.h"

#include <array>

#include "formats/byte_order.h"

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kFieldsEnd = 34;  // the last field read is the compression at 30..33

std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return r << 16 | g << 8 | b;
}

// The palette follows the information header, 4 bytes (blue, green, red, reserved) per entry. Its
// length is not read: indexes address it directly, and entries the data does not hold are black.
std::array<std::uint32_t, 256> ReadPalette(const std::uint8_t* data, std::size_t size, std::size_t start) {
  std::array<std::uint32_t, 256> palette{};
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const std::size_t at = start + 4 * i;
    if (at + 3 > size) break;
    palette[i] = Rgb(data[at + 2], data[at + 1], data[at]);
  }
  return palette;
}

std::uint32_t Pixel(const std::uint8_t* row, int x, int bits, const std::array<std::uint32_t, 256>& palette) {
  switch (bits) {
    case 1: return palette[(row[x >> 3] >> (7 - (x & 7))) & 1];
    case 4: return palette[(row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15];
    case 8: return palette[row[x]];
    case 16: {
      // 5:5:5, red in bits 10 to 14; each field becomes a byte with its low three bits 0.
      const std::uint32_t v = Read16(row + 2 * x);
      return Rgb((v >> 10 & 31) << 3, (v >> 5 & 31) << 3, (v & 31) << 3);
    }
    case 24: return Rgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    default: return Rgb(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
  }
}

}  // namespace

bool DecodeBmp(const std::uint8_t* data, std::size_t size, DecodedImage& out) {
  if (size < kFieldsEnd || data[0] != 'B' || data[1] != 'M') return false;
  const std::uint64_t rowsStart = Read32(data + 10);
  const std::uint64_t paletteStart = kFileHeaderSize + std::uint64_t(Read32(data + 14));
  const auto width = std::int32_t(Read32(data + 18));
  const auto height = std::int32_t(Read32(data + 22));  // positive: rows stored bottom-up
  const int bits = Read16(data + 28);
  const std::uint32_t compression = Read32(data + 30);

  if (compression != 0) return false;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
  if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide) return false;
  if (paletteStart > size || rowsStart > size) return false;
  const std::uint64_t usedBytes = (std::uint64_t(width) * bits + 7) / 8;
  const std::uint64_t stride = (usedBytes + 3) / 4 * 4;
  if (rowsStart + stride * std::uint64_t(height - 1) + usedBytes > size) return false;

  std::array<std::uint32_t, 256> palette{};
  if (bits <= 8) palette = ReadPalette(data, size, std::size_t(paletteStart));

  out.width = width;
  out.height = height;
  out.bits = bits <= 8 ? 24 : bits;
  out.pixels.assign(std::size_t(width) * std::size_t(height), 0);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = data + rowsStart + stride * std::uint64_t(height - 1 - y);
    std::uint32_t* target = out.pixels.data() + std::size_t(y) * std::size_t(width);
    for (int x = 0; x < width; ++x) target[x] = Pixel(row, x, bits, palette);
  }
  return true;
}
