// Tests of the PNG reader: every row filter, the chunk rules, and files that must fail.
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "formats/png_reader.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void PutBig32(Bytes& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void Chunk(Bytes& out, const std::string& type, const Bytes& data) {
  PutBig32(out, static_cast<std::uint32_t>(data.size()));
  Bytes typed(type.begin(), type.end());
  typed.insert(typed.end(), data.begin(), data.end());
  out.insert(out.end(), typed.begin(), typed.end());
  PutBig32(out, static_cast<std::uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size()))));
}

Bytes Compress(const Bytes& raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  Bytes out(size);
  EXPECT_EQ(compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9), Z_OK);
  out.resize(size);
  return out;
}

// The filter's predictor from the left, upper and upper-left bytes, as the format defines it.
int Predict(int type, int a, int b, int c) {
  switch (type) {
    case 1: return a;
    case 2: return b;
    case 3: return (a + b) / 2;
    case 4: {
      const int p = a + b - c;
      const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
      return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
    }
    default: return 0;
  }
}

struct PngParts {
  int width = 0;
  int height = 0;
  int colourType = 6;  // 6 RGBA, 2 RGB
  int depth = 8;
  int interlace = 0;
  std::vector<int> filters;  // per row; row y uses filters[y % size]
  int claimedWidth = 0;      // written in the header instead of the real size, when not 0
  int claimedHeight = 0;
};

// A PNG of 0xAARRGGBB `pixels` (alpha dropped for RGB) with each row filtered by its filter type;
// the image data split over `idats` chunks.
Bytes BuildPng(const PngParts& parts, const std::vector<std::uint32_t>& pixels, int idats = 1) {
  const int channels = parts.colourType == 6 ? 4 : 3;
  const std::size_t length = std::size_t(parts.width) * channels;
  Bytes raw;
  Bytes previous(length, 0);
  for (int y = 0; y < parts.height; ++y) {
    Bytes row;
    for (int x = 0; x < parts.width; ++x) {
      const std::uint32_t p = pixels[std::size_t(y) * parts.width + x];
      row.insert(row.end(), {std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p)});
      if (channels == 4) row.push_back(std::uint8_t(p >> 24));
    }
    const int type = parts.filters.empty() ? 0 : parts.filters[y % parts.filters.size()];
    raw.push_back(std::uint8_t(type));
    for (std::size_t i = 0; i < length; ++i) {
      const int a = i >= std::size_t(channels) ? row[i - channels] : 0;
      const int c = i >= std::size_t(channels) ? previous[i - channels] : 0;
      raw.push_back(std::uint8_t(row[i] - Predict(type, a, previous[i], c)));
    }
    previous = row;
  }
  Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes header;
  PutBig32(header, std::uint32_t(parts.claimedWidth != 0 ? parts.claimedWidth : parts.width));
  PutBig32(header, std::uint32_t(parts.claimedHeight != 0 ? parts.claimedHeight : parts.height));
  header.insert(header.end(), {std::uint8_t(parts.depth), std::uint8_t(parts.colourType), 0, 0,
                               std::uint8_t(parts.interlace)});
  Chunk(png, "IHDR", header);
  Chunk(png, "tEXt", Bytes{'a', 0, 'b'});  // ancillary chunks are passed over
  const Bytes data = Compress(raw);
  const std::size_t share = data.size() / idats + 1;
  for (std::size_t at = 0; at < data.size(); at += share) {
    Chunk(png, "IDAT", Bytes(data.begin() + at, data.begin() + std::min(data.size(), at + share)));
  }
  Chunk(png, "IEND", {});
  return png;
}

// Colours that make every predictor differ from the others and wrap around 255; the lower half
// takes each channel from three levels only, so that the Paeth predictor meets its ties.
std::vector<std::uint32_t> Pattern(int width, int height) {
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t v = std::uint32_t(x * 73 + y * 151 + x * y * 29);
      std::uint32_t p = (v * 2654435761u) ^ (v << 7);
      if (y >= height / 2) {
        std::uint32_t levels = 0;
        for (int channel = 0; channel < 4; ++channel)
          levels |= std::uint32_t(p >> (8 * channel + 3) & 3) * 85 << (8 * channel);
        p = levels;
      }
      pixels.push_back(p);
    }
  }
  return pixels;
}

bool Decodes(const Bytes& png, RgbaImage& image) {
  return DecodePng(png.data(), png.size(), image);
}

TEST(PngReader, EveryRowFilterGivesThePicture) {
  const std::vector<std::uint32_t> pixels = Pattern(16, 16);
  for (int filter = 0; filter <= 4; ++filter) {
    RgbaImage image;
    ASSERT_TRUE(Decodes(BuildPng({16, 16, 6, 8, 0, {filter}}, pixels), image)) << "filter " << filter;
    EXPECT_EQ(image.width, 16);
    EXPECT_EQ(image.height, 16);
    EXPECT_EQ(image.pixels, pixels) << "filter " << filter << " undone";
  }
  RgbaImage mixed;
  ASSERT_TRUE(Decodes(BuildPng({16, 16, 6, 8, 0, {4, 0, 3, 1, 2}}, pixels, 3), mixed));
  EXPECT_EQ(mixed.pixels, pixels) << "rows with different filters, the data in three chunks";
}

TEST(PngReader, RgbIsOpaque) {
  std::vector<std::uint32_t> pixels = Pattern(5, 4);
  RgbaImage image;
  ASSERT_TRUE(Decodes(BuildPng({5, 4, 2, 8, 0, {4, 3}}, pixels), image));
  for (std::uint32_t& p : pixels) p |= 0xFF000000;
  EXPECT_EQ(image.pixels, pixels) << "without an alpha channel every pixel is opaque";
}

TEST(PngReader, BadFilesFail) {
  const std::vector<std::uint32_t> pixels = Pattern(6, 6);
  const Bytes good = BuildPng({6, 6, 6, 8, 0, {1}}, pixels);
  RgbaImage image;
  ASSERT_TRUE(Decodes(good, image));

  const auto fails = [&](const Bytes& png, const char* why) {
    RgbaImage out;
    out.width = 99;
    EXPECT_FALSE(Decodes(png, out)) << why;
    EXPECT_TRUE(out.pixels.empty() && out.width == 0) << why << ": nothing half decoded is left";
  };
  fails({}, "empty");
  fails(Bytes(good.begin(), good.begin() + 8), "the signature alone");
  fails(Bytes(good.begin(), good.end() - 12), "no IEND");
  for (std::size_t cut : {20u, 40u, 60u}) fails(Bytes(good.begin(), good.begin() + cut), "cut short");
  Bytes flipped = good;
  flipped[good.size() / 2] ^= 0x10;
  fails(flipped, "a byte of the image data changed: the CRC does not match");
  Bytes signature = good;
  signature[1] = 'Q';
  fails(signature, "not a PNG signature");

  fails(BuildPng({6, 6, 6, 16, 0, {0}}, pixels), "16 bits per channel");
  fails(BuildPng({6, 6, 3, 8, 0, {0}}, pixels), "a palette");
  fails(BuildPng({6, 6, 6, 8, 1, {0}}, pixels), "interlaced");
  fails(BuildPng({0, 6, 6, 8, 0, {0}}, {}), "no width");
  fails(BuildPng({6, 6, 6, 8, 0, {5}}, pixels), "filter type 5");

  // The header claims more rows than the data holds, fewer, and far more than any data could.
  fails(BuildPng({6, 6, 6, 8, 0, {1}, 0, 7}, pixels), "one row missing");
  fails(BuildPng({6, 6, 6, 8, 0, {1}, 0, 5}, pixels), "one row too many");
  fails(BuildPng({6, 6, 6, 8, 0, {1}, 16384, 0}, pixels), "16384 pixels wide from under a hundred bytes");
}

}  // namespace
