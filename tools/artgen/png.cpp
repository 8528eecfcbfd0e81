// PNG encoding: signature, IHDR, one IDAT of stored deflate blocks, IEND.
#include "tools/artgen/png.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

constexpr std::size_t kStoredBlockMax = 65535;  // bytes a stored deflate block can hold

std::uint32_t Crc32(const Bytes& bytes, std::size_t from) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = from; i < bytes.size(); ++i) crc = table[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(const Bytes& bytes) {
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (std::uint8_t byte : bytes) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  return b << 16 | a;
}

void PutBig32(Bytes& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

// Length, type, data, and the CRC over type and data.
void Chunk(Bytes& out, const std::string& type, const Bytes& data) {
  PutBig32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeAt = out.size();
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data.begin(), data.end());
  PutBig32(out, Crc32(out, typeAt));
}

// A zlib stream holding `raw` in stored blocks.
Bytes Zlib(const Bytes& raw) {
  Bytes out = {0x78, 0x01};  // deflate, 32 KiB window, no preset dictionary; 0x7801 % 31 == 0
  std::size_t at = 0;
  do {
    const std::size_t size = std::min(kStoredBlockMax, raw.size() - at);
    const bool last = at + size == raw.size();
    out.push_back(last ? 1 : 0);  // BFINAL, BTYPE 00
    out.push_back(static_cast<std::uint8_t>(size));
    out.push_back(static_cast<std::uint8_t>(size >> 8));
    out.push_back(static_cast<std::uint8_t>(~size));
    out.push_back(static_cast<std::uint8_t>(~size >> 8));
    out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
               raw.begin() + static_cast<std::ptrdiff_t>(at + size));
    at += size;
  } while (at < raw.size());
  PutBig32(out, Adler32(raw));
  return out;
}

}  // namespace

Bytes EncodePng(const Canvas& canvas) {
  Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes header;
  PutBig32(header, static_cast<std::uint32_t>(canvas.width));
  PutBig32(header, static_cast<std::uint32_t>(canvas.height));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter method, no interlace
  Chunk(out, "IHDR", header);

  // Colours are stored as they show over black (weighted by coverage): PNG wants them unweighted.
  Bytes raw;
  for (int y = 0; y < canvas.height; ++y) {
    raw.push_back(0);  // filter type None
    for (int x = 0; x < canvas.width; ++x) {
      const float a = Clamp01(canvas.alpha[static_cast<std::size_t>(y) * canvas.width + x]);
      const Rgb p = a > 0.0f ? canvas.At(x, y) * (1.0f / a) : Rgb{};
      raw.insert(raw.end(), {ToByte(p.r), ToByte(p.g), ToByte(p.b), ToByte(a)});
    }
  }
  Chunk(out, "IDAT", Zlib(raw));
  Chunk(out, "IEND", {});
  return out;
}
