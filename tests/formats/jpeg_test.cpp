// Tests of the JPEG reader against libjpeg's own encoder and decoder, and of bad JPEG data.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "formats/jpeg_reader.h"
#include "tests/formats/jpeg_image.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// libjpeg's own decoding of a valid JPEG with the same settings, as 0x00RRGGBB.
std::vector<std::uint32_t> Reference(const Bytes& jpeg) {
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, jpeg.data(), jpeg.size());
  jpeg_read_header(&cinfo, TRUE);
  cinfo.dct_method = JDCT_ISLOW;
  jpeg_start_decompress(&cinfo);
  const int n = cinfo.output_components;
  Bytes row(std::size_t(cinfo.output_width) * n);
  std::vector<std::uint32_t> pixels;
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&cinfo, rows, 1);
    for (std::size_t x = 0; x < cinfo.output_width; ++x) {
      const std::uint8_t* p = &row[x * n];  // R, G, B or one grey sample
      const std::uint32_t r = p[0], g = p[n == 3 ? 1 : 0], b = p[n == 3 ? 2 : 0];
      pixels.push_back(r << 16 | g << 8 | b);
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return pixels;
}

// Where a scan's entropy-coded data ends: at the next marker other than a stuffed 0 or a restart.
std::size_t ScanEnd(const Bytes& jpeg, std::size_t sos) {
  std::size_t at = sos + 2 + (std::size_t(jpeg[sos + 2]) << 8 | jpeg[sos + 3]);
  while (!(jpeg[at] == 0xFF && jpeg[at + 1] != 0 && (jpeg[at + 1] < 0xD0 || jpeg[at + 1] > 0xD7))) ++at;
  return at;
}

// The progressive file with its first scan repeated `copies` more times.
Bytes WithRepeatedFirstScan(const Bytes& jpeg, int copies) {
  std::size_t sos = 0;
  while (!(jpeg[sos] == 0xFF && jpeg[sos + 1] == 0xDA)) ++sos;
  const std::size_t end = ScanEnd(jpeg, sos);
  Bytes bytes(jpeg.begin(), jpeg.begin() + std::ptrdiff_t(end));
  for (int i = 0; i < copies; ++i)
    bytes.insert(bytes.end(), jpeg.begin() + std::ptrdiff_t(sos), jpeg.begin() + std::ptrdiff_t(end));
  bytes.insert(bytes.end(), jpeg.begin() + std::ptrdiff_t(end), jpeg.end());
  return bytes;
}

void SetFrameSize(Bytes& jpeg, int width, int height) {
  std::size_t sof = 0;
  while (!(jpeg[sof] == 0xFF && (jpeg[sof + 1] == 0xC0 || jpeg[sof + 1] == 0xC2))) ++sof;
  jpeg[sof + 5] = std::uint8_t(height >> 8);
  jpeg[sof + 6] = std::uint8_t(height);
  jpeg[sof + 7] = std::uint8_t(width >> 8);
  jpeg[sof + 8] = std::uint8_t(width);
}

TEST(JpegReader, DecodesLikeLibjpegItself) {
  const int width = 37, height = 23;  // rows of 3 x 37 + 1 bytes in the decoding buffer
  const Bytes samples = SmoothPicture(width, height);
  for (bool progressive : {false, true}) {
    const Bytes jpeg = EncodeJpeg(width, height, 3, samples, progressive);
    DecodedImage image;
    ASSERT_TRUE(DecodeJpeg(jpeg.data(), jpeg.size(), image)) << "progressive " << progressive;
    EXPECT_EQ(image.width, width);
    EXPECT_EQ(image.height, height);
    EXPECT_EQ(image.bits, 24);
    EXPECT_EQ(image.pixels, Reference(jpeg)) << "progressive " << progressive << ": exactly libjpeg's pixels";
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
      const std::uint32_t p = image.pixels[i];
      ASSERT_NEAR(int(p >> 16), samples[3 * i], 8) << "red is the high byte, pixel " << i;
      ASSERT_NEAR(int(p >> 8 & 0xFF), samples[3 * i + 1], 8) << "green, pixel " << i;
      ASSERT_NEAR(int(p & 0xFF), samples[3 * i + 2], 8) << "blue is the low byte, pixel " << i;
    }
  }
}

TEST(JpegReader, GreyscaleBecomesRgb) {
  Bytes grey;
  for (int i = 0; i < 16 * 8; ++i) grey.push_back(std::uint8_t(i * 2));
  const Bytes jpeg = EncodeJpeg(16, 8, 1, grey);
  DecodedImage image;
  ASSERT_TRUE(DecodeJpeg(jpeg.data(), jpeg.size(), image)) << "a greyscale JPEG is read";
  const std::vector<std::uint32_t> reference = Reference(jpeg);  // grey g as 0x00gggggg
  EXPECT_EQ(image.pixels, reference) << "each grey value becomes red = green = blue";
  EXPECT_EQ(image.bits, 24);
}

TEST(JpegReader, TruncatedFileKeepsTheDecodedRowsAndIsBlackBelow) {
  const int size = 64;
  const Bytes full = EncodeJpeg(size, size, 3, SmoothPicture(size, size));
  const std::vector<std::uint32_t> reference = Reference(full);
  const Bytes cut(full.begin(), full.begin() + std::ptrdiff_t(full.size() / 2));
  DecodedImage image;
  ASSERT_TRUE(DecodeJpeg(cut.data(), cut.size(), image)) << "a file that ends early still gives a picture";
  ASSERT_EQ(image.pixels.size(), reference.size());
  int firstBlackRow = 0;
  while (firstBlackRow < size &&
         image.pixels[std::size_t(firstBlackRow) * size] == reference[std::size_t(firstBlackRow) * size])
    ++firstBlackRow;
  EXPECT_GT(firstBlackRow, 0) << "the rows before the end of the data are decoded";
  EXPECT_LT(firstBlackRow, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const std::size_t i = std::size_t(y) * size + x;
      ASSERT_EQ(image.pixels[i], y < firstBlackRow ? reference[i] : 0u)
          << "row " << y << " column " << x << ": decoded rows exact, the rest black";
    }
}

TEST(JpegReader, BadDataFails) {
  const Bytes good = EncodeJpeg(16, 16, 3, SmoothPicture(16, 16));
  const Bytes progressive = EncodeJpeg(16, 16, 3, SmoothPicture(16, 16), true);
  // The repeated-scan files are accepted by libjpeg below the limit, so only the count can fail them.
  const Bytes manyScans = WithRepeatedFirstScan(progressive, 400);
  DecodedImage image;
  ASSERT_TRUE(DecodeJpeg(good.data(), good.size(), image)) << "the file the bad ones are made from is good";
  ASSERT_TRUE(DecodeJpeg(manyScans.data(), manyScans.size(), image)) << "400 extra scans are still read";

  Bytes cmyk(16 * 16 * 4, 0x40);
  struct Case {
    const char* name;
    std::function<Bytes()> make;
  };
  const Case cases[] = {
      {"no data", [] { return Bytes{}; }},
      {"only the start marker",
       [] {
         return Bytes{0xFF, 0xD8};
       }},
      {"start marker and noise", [] { return Bytes{0xFF, 0xD8, 0x12, 0x34, 0x56, 0x78, 0x9A}; }},
      {"no start marker",
       [&] {
         Bytes b = good;
         b[1] = 0xD9;
         return b;
       }},
      {"cut inside the headers", [&] { return Bytes(good.begin(), good.begin() + 100); }},
      {"height above 16384",
       [&] {
         Bytes b = good;
         SetFrameSize(b, 16, 16385);
         return b;
       }},
      {"width above 16384",
       [&] {
         Bytes b = good;
         SetFrameSize(b, 16385, 16);
         return b;
       }},
      {"CMYK, four bytes per pixel", [&] { return EncodeJpeg(16, 16, 4, cmyk); }},
      {"more than 500 scans", [&] { return WithRepeatedFirstScan(progressive, 501); }},
  };
  for (const Case& c : cases) {
    const Bytes file = c.make();
    EXPECT_FALSE(DecodeJpeg(file.data(), file.size(), image)) << c.name << " is not a readable JPEG";
  }
}

}  // namespace
