// Tests of the BMP reader and writer: row padding, every bit depth, bad files, the exact written layout.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "formats/bmp_reader.h"
#include "formats/bmp_writer.h"
#include "formats/byte_order.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t Rgb(int r, int g, int b) {
  return std::uint32_t(r << 16 | g << 8 | b);
}

// A BMP file with a 40-byte information header, `palette` after it and rows bottom-up. `values`
// holds width x height top-down palette indexes (up to 8 bits) or 0x00RRGGBB colours. Row padding
// is filled with 0xEE so that reading it would show.
Bytes BuildBmp(int width, int height, int bits, const std::vector<std::uint32_t>& palette,
               const std::vector<std::uint32_t>& values) {
  const std::size_t used = (std::size_t(width) * bits + 7) / 8;
  const std::size_t stride = (used + 3) / 4 * 4;
  const std::size_t rowsStart = 54 + 4 * palette.size();
  Bytes bytes(rowsStart + stride * height, 0);
  bytes[0] = 'B';
  bytes[1] = 'M';
  Put32(bytes.data() + 2, std::uint32_t(bytes.size()));
  Put32(bytes.data() + 10, std::uint32_t(rowsStart));
  Put32(bytes.data() + 14, 40);
  Put32(bytes.data() + 18, std::uint32_t(width));
  Put32(bytes.data() + 22, std::uint32_t(height));
  bytes[26] = 1;
  bytes[28] = std::uint8_t(bits);
  for (std::size_t i = 0; i < palette.size(); ++i) Put32(bytes.data() + 54 + 4 * i, palette[i]);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = &bytes[rowsStart + stride * (height - 1 - y)];
    for (std::size_t i = used; i < stride; ++i) row[i] = 0xEE;
    for (int x = 0; x < width; ++x) {
      const std::uint32_t v = values[std::size_t(y) * width + x];
      const int r = v >> 16 & 0xFF, g = v >> 8 & 0xFF, b = v & 0xFF;
      switch (bits) {
        case 1: row[x / 8] |= std::uint8_t(v << (7 - x % 8)); break;
        case 4: row[x / 2] |= std::uint8_t(v << (x % 2 ? 0 : 4)); break;
        case 8: row[x] = std::uint8_t(v); break;
        case 16: {
          // The unused top bit is set on purpose.
          const int packed = 0x8000 | (r >> 3) << 10 | (g >> 3) << 5 | b >> 3;
          Put16(row + 2 * x, std::uint32_t(packed));
          break;
        }
        default:
          row[bits / 8 * x] = std::uint8_t(b);
          row[bits / 8 * x + 1] = std::uint8_t(g);
          row[bits / 8 * x + 2] = std::uint8_t(r);
          if (bits == 32) row[4 * x + 3] = 0xAB;  // reserved byte, ignored
      }
    }
  }
  return bytes;
}

TEST(BmpReader, RowsArePaddedToFourBytes) {
  for (int width : {1, 3}) {
    std::vector<std::uint32_t> picture;
    for (int i = 0; i < width * 2; ++i) picture.push_back(Rgb(10 * i + 1, 10 * i + 2, 10 * i + 3));
    const Bytes file = BuildBmp(width, 2, 24, {}, picture);
    ASSERT_EQ(file.size(), 54u + 2 * (width == 1 ? 4 : 12)) << "rows of 3 x width + width mod 4 bytes";
    DecodedImage image;
    ASSERT_TRUE(DecodeBmp(file.data(), file.size(), image)) << "width " << width;
    EXPECT_EQ(image.pixels, picture) << "width " << width << ": padding skipped, bottom row stored first";
    EXPECT_EQ(image.bits, 24);
  }
}

TEST(BmpReader, EveryDepthGivesTheSamePicture) {
  // Colour components are multiples of 8, so that 5:5:5 holds them exactly.
  std::vector<std::uint32_t> colours;
  for (int i = 0; i < 16; ++i) colours.push_back(Rgb(8 * i, 248 - 8 * i, (24 * i) & 0xF8));
  const int width = 5, height = 3;  // odd width: partial bytes at 1 and 4 bits, padding everywhere
  std::vector<std::uint32_t> indexes;
  for (int i = 0; i < width * height; ++i) indexes.push_back(std::uint32_t(i % 16));

  for (int bits : {1, 4, 8, 16, 24, 32}) {
    const std::uint32_t mask = bits == 1 ? 1 : 15;
    std::vector<std::uint32_t> picture;
    for (std::uint32_t index : indexes) picture.push_back(colours[index & mask]);
    std::vector<std::uint32_t> palette;
    std::vector<std::uint32_t> values = picture;
    if (bits <= 8) {
      palette.assign(colours.begin(), colours.begin() + (bits == 1 ? 2 : 16));
      values.clear();
      for (std::uint32_t index : indexes) values.push_back(index & mask);
    }
    const Bytes file = BuildBmp(width, height, bits, palette, values);
    DecodedImage image;
    ASSERT_TRUE(DecodeBmp(file.data(), file.size(), image)) << bits << " bits";
    EXPECT_EQ(image.width, width);
    EXPECT_EQ(image.height, height);
    EXPECT_EQ(image.pixels, picture) << bits << " bits per pixel decode to the reference picture";
    EXPECT_EQ(image.bits, bits <= 8 ? 24 : bits) << "palette images become 24 bits";
  }

  // Index 255 of a file whose data ends long before palette entry 255: that entry is black.
  const Bytes file = BuildBmp(1, 1, 8, {Rgb(1, 2, 3)}, {255});
  DecodedImage image;
  ASSERT_TRUE(DecodeBmp(file.data(), file.size(), image));
  EXPECT_EQ(image.pixels[0], 0u) << "palette entries beyond the data are black";
}

TEST(BmpReader, BadFilesFail) {
  const Bytes good = BuildBmp(2, 2, 24, {}, {Rgb(1, 1, 1), Rgb(2, 2, 2), Rgb(3, 3, 3), Rgb(4, 4, 4)});
  DecodedImage image;
  ASSERT_TRUE(DecodeBmp(good.data(), good.size(), image)) << "the file the bad ones are made from is good";
  struct Case {
    const char* name;
    std::function<void(Bytes&)> spoil;
  };
  const Case cases[] = {
      {"compression 1 (run-length)", [](Bytes& b) { b[30] = 1; }},
      {"negative height (top-down rows)", [](Bytes& b) { Put32(b.data() + 22, std::uint32_t(-2)); }},
      {"height 0", [](Bytes& b) { Put32(b.data() + 22, 0); }},
      {"width 0", [](Bytes& b) { Put32(b.data() + 18, 0); }},
      {"negative width", [](Bytes& b) { Put32(b.data() + 18, std::uint32_t(-2)); }},
      {"width above 16384", [](Bytes& b) { Put32(b.data() + 18, 16385); }},
      {"height above 16384", [](Bytes& b) { Put32(b.data() + 22, 16385); }},
      {"2 bits per pixel", [](Bytes& b) { b[28] = 2; }},
      {"0 bits per pixel", [](Bytes& b) { b[28] = 0; }},
      {"information header beyond the file", [](Bytes& b) { Put32(b.data() + 14, 0xFFFFFFF0); }},
      {"pixel rows start beyond the file",
       [](Bytes& b) { Put32(b.data() + 10, std::uint32_t(b.size() + 1)); }},
      {"pixel offset near 4 GB", [](Bytes& b) { Put32(b.data() + 10, 0xFFFFFFFF); }},
      {"last row cut short", [](Bytes& b) { b.resize(b.size() - 3); }},
      {"shorter than the headers", [](Bytes& b) { b.resize(33); }},
      {"no BM signature", [](Bytes& b) { b[1] = 'X'; }},
  };
  for (const Case& c : cases) {
    Bytes file = good;
    c.spoil(file);
    EXPECT_FALSE(DecodeBmp(file.data(), file.size(), image)) << c.name << " is not a readable BMP";
  }
}

TEST(BmpWriter, ExactLayoutThatReadsBackEqual) {
  const std::vector<std::uint32_t> pixels = {0x010203, 0x040506, 0x070809, 0x0A0B0C, 0x0D0E0F, 0x101112};
  const Bytes file = EncodeBmp(pixels.data(), 3, 2);
  const Bytes expected = {
      'B',  'M',  78,   0,    0,    0,    0,    0,    0,    0, 54, 0, 0, 0,  // file header
      40,   0,    0,    0,    3,    0,    0,    0,    2,    0, 0,  0, 1, 0,
      24,   0,    0,    0,    0,    0,  // size, width, height, planes, bits
      0,    0,    0,    0,    0,    0,    0,    0,    0,    0, 0,  0, 0, 0,
      0,    0,    0,    0,    0,    0,                                 // no sizes, resolutions, colours
      0x0C, 0x0B, 0x0A, 0x0F, 0x0E, 0x0D, 0x12, 0x11, 0x10, 0, 0,  0,  // bottom row first, B G R
      0x03, 0x02, 0x01, 0x06, 0x05, 0x04, 0x09, 0x08, 0x07, 0, 0,  0,
  };
  EXPECT_EQ(file, expected) << "a 3 x 2 picture is a 78-byte file: 54 bytes of headers, rows of 12 bytes";
  DecodedImage image;
  ASSERT_TRUE(DecodeBmp(file.data(), file.size(), image));
  EXPECT_EQ(image.pixels, pixels) << "the file reads back to the same pixels";
}

}  // namespace
