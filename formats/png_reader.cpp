// PNG reader: the chunks, the zlib stream of the rows, and the five row filters.
#include "formats/png_reader.h"

#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <utility>

#include "formats/bmp_reader.h"

namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::size_t kHeaderSize = 13;
// Deflate never packs more than 1032 bytes into one; a header that claims more is a lie, caught
// before anything is allocated for it.
constexpr std::size_t kMaxDeflateRatio = 1032;

std::uint32_t ReadBig32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

struct Header {
  int width = 0;
  int height = 0;
  int channels = 0;  // 3 (RGB) or 4 (RGBA)
};

bool ReadHeader(const std::uint8_t* field, Header& header) {
  const std::uint32_t width = ReadBig32(field);
  const std::uint32_t height = ReadBig32(field + 4);
  const int depth = field[8];
  const int colourType = field[9];
  if (width == 0 || height == 0 || width > kMaxImageSide || height > kMaxImageSide) return false;
  // Deflate, the one filter method, no interlacing.
  if (depth != 8 || field[10] != 0 || field[11] != 0 || field[12] != 0) return false;
  if (colourType != 2 && colourType != 6) return false;
  header = {static_cast<int>(width), static_cast<int>(height), colourType == 6 ? 4 : 3};
  return true;
}

// The byte of the same channel in the pixel to the left, above and above-left: a, b and c.
std::uint8_t Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a);
  const int pb = std::abs(p - b);
  const int pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return static_cast<std::uint8_t>(a);
  return static_cast<std::uint8_t>(pb <= pc ? b : c);
}

// Undoes the row's filter in place; `previous` is the row above, already undone (zeros above the
// first row). False for an unknown filter type.
bool Unfilter(int type, std::uint8_t* row, const std::uint8_t* previous, std::size_t length, int step) {
  for (std::size_t i = 0; i < length; ++i) {
    const int left = i >= std::size_t(step) ? row[i - step] : 0;
    const int up = previous[i];
    const int upLeft = i >= std::size_t(step) ? previous[i - step] : 0;
    switch (type) {
      case 0: break;
      case 1: row[i] = static_cast<std::uint8_t>(row[i] + left); break;
      case 2: row[i] = static_cast<std::uint8_t>(row[i] + up); break;
      case 3: row[i] = static_cast<std::uint8_t>(row[i] + (left + up) / 2); break;
      case 4: row[i] = static_cast<std::uint8_t>(row[i] + Paeth(left, up, upLeft)); break;
      default: return false;
    }
  }
  return true;
}

bool DecodeRows(const Header& header, const std::vector<std::uint8_t>& compressed, RgbaImage& out) {
  const std::size_t length = std::size_t(header.width) * header.channels;
  const std::size_t expected = (length + 1) * std::size_t(header.height);  // each row after its filter byte
  if (expected / kMaxDeflateRatio > compressed.size()) return false;
  std::vector<std::uint8_t> raw(expected);
  uLongf produced = static_cast<uLongf>(expected);
  if (uncompress(raw.data(), &produced, compressed.data(), static_cast<uLong>(compressed.size())) != Z_OK ||
      produced != expected) {
    return false;
  }
  const std::vector<std::uint8_t> zeros(length, 0);
  RgbaImage image{header.width, header.height,
                  std::vector<std::uint32_t>(std::size_t(header.width) * header.height)};
  for (int y = 0; y < header.height; ++y) {
    std::uint8_t* row = &raw[std::size_t(y) * (length + 1)];
    const std::uint8_t* previous = y > 0 ? row - length : zeros.data();
    if (!Unfilter(row[0], row + 1, previous, length, header.channels)) return false;
    for (int x = 0; x < header.width; ++x) {
      const std::uint8_t* p = row + 1 + std::size_t(x) * header.channels;
      const std::uint32_t alpha = header.channels == 4 ? p[3] : 255;
      image.pixels[std::size_t(y) * header.width + x] =
          alpha << 24 | std::uint32_t{p[0]} << 16 | std::uint32_t{p[1]} << 8 | p[2];
    }
  }
  out = std::move(image);
  return true;
}

}  // namespace

bool DecodePng(const std::uint8_t* data, std::size_t size, RgbaImage& out) {
  out = RgbaImage{};
  if (data == nullptr || size < sizeof kSignature || std::memcmp(data, kSignature, sizeof kSignature) != 0) {
    return false;
  }
  Header header;
  bool headerSeen = false;
  std::vector<std::uint8_t> compressed;  // the IDAT chunks joined
  std::size_t at = sizeof kSignature;
  // Each chunk: its length, its type, its data and the CRC over type and data.
  while (size - at >= 12) {
    const std::uint32_t length = ReadBig32(data + at);
    if (length > size - at - 12) return false;
    const std::uint8_t* type = data + at + 4;
    const std::uint8_t* field = type + 4;
    if (crc32(0, type, length + 4) != ReadBig32(field + length)) return false;
    at += 12 + std::size_t(length);
    if (!headerSeen) {
      // The header comes first.
      if (std::memcmp(type, "IHDR", 4) != 0 || length != kHeaderSize || !ReadHeader(field, header))
        return false;
      headerSeen = true;
    } else if (std::memcmp(type, "IDAT", 4) == 0) {
      compressed.insert(compressed.end(), field, field + length);
    } else if (std::memcmp(type, "IEND", 4) == 0) {
      return DecodeRows(header, compressed, out);
    }
  }
  return false;  // no end
}
