// Writes the fuzz seed corpus: valid files of every kind the game reads, and broken ones.
// Usage: make_seeds <folder>; it fills <folder>/bmp, jpeg, wav and highscore.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

// jpeglib.h needs <cstdio> before it.
// clang-format off
#include <jpeglib.h>
// clang-format on

#include "formats/bmp_writer.h"
#include "formats/byte_order.h"
#include "highscore/highscore_file.h"
#include "tests/formats/mo_image.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
std::filesystem::path root;

void Write(const std::string& kind, const std::string& name, const Bytes& bytes) {
  const std::filesystem::path path = root / kind / name;
  std::filesystem::create_directories(path.parent_path());
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return;
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

std::vector<std::uint32_t> Picture(int width, int height) {
  std::vector<std::uint32_t> pixels(width * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x)
      pixels[y * width + x] = (x * 40) << 16 | (y * 50) << 8 | ((x + y) * 20 & 0xFF);
  }
  return pixels;
}

// An uncompressed bottom-up BMP with its headers filled in, `paletteEntries` colours after the
// 40-byte information header, and zero pixel rows.
Bytes BmpHeaders(int width, int height, int bits, int paletteEntries) {
  const int rowBytes = ((width * bits + 31) / 32) * 4;
  const std::size_t offset = 54 + 4 * paletteEntries;
  Bytes b(offset + rowBytes * height, 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b.data() + 2, b.size());
  Put32(b.data() + 10, offset);
  Put32(b.data() + 14, 40);
  Put32(b.data() + 18, width);
  Put32(b.data() + 22, height);
  Put16(b.data() + 26, 1);
  Put16(b.data() + 28, bits);
  return b;
}

// A BMP of 1, 4 or 8 bits with a full palette.
Bytes PaletteBmp(int width, int height, int bits) {
  const int entries = 1 << bits;
  const int rowBytes = ((width * bits + 31) / 32) * 4;
  const std::size_t offset = 54 + 4 * entries;
  Bytes b = BmpHeaders(width, height, bits, entries);
  for (int i = 0; i < entries; ++i) {
    b[54 + 4 * i] = i * 37;
    b[55 + 4 * i] = i * 91;
    b[56 + 4 * i] = 255 - i;
  }
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int index = (x + y) % entries;
      const int bit = x * bits;
      b[offset + y * rowBytes + bit / 8] |= index << (8 - bits - bit % 8);
    }
  }
  return b;
}

// A BMP of 16 or 32 bits with a pattern in its rows.
Bytes DirectBmp(int width, int height, int bits) {
  Bytes b = BmpHeaders(width, height, bits, 0);
  for (std::size_t i = 54; i < b.size(); ++i) b[i] = i * 13;
  return b;
}

void BmpSeeds() {
  const std::vector<std::uint32_t> picture = Picture(5, 3);
  const Bytes valid24 = EncodeBmp(picture.data(), 5, 3);
  Write("bmp", "valid_24bit.bmp", valid24);
  Write("bmp", "valid_1bit.bmp", PaletteBmp(9, 2, 1));
  Write("bmp", "valid_4bit.bmp", PaletteBmp(5, 3, 4));
  Write("bmp", "valid_8bit.bmp", PaletteBmp(3, 4, 8));
  Write("bmp", "valid_16bit.bmp", DirectBmp(3, 2, 16));
  Write("bmp", "valid_32bit.bmp", DirectBmp(2, 2, 32));
  Write("bmp", "one_pixel_wide.bmp", EncodeBmp(picture.data(), 1, 3));

  Bytes bad = valid24;
  Put32(bad.data() + 30, 1);
  Write("bmp", "compression_rle.bmp", bad);
  bad = valid24;
  Put32(bad.data() + 22, static_cast<std::uint32_t>(-3));
  Write("bmp", "negative_height.bmp", bad);
  bad = valid24;
  Put32(bad.data() + 18, 0);
  Write("bmp", "zero_width.bmp", bad);
  bad = valid24;
  Put32(bad.data() + 18, 100000);
  Write("bmp", "huge_width.bmp", bad);
  bad = valid24;
  Put16(bad.data() + 28, 12);
  Write("bmp", "depth_12.bmp", bad);
  bad = valid24;
  Put32(bad.data() + 10, 0x7FFFFFF0);
  Write("bmp", "offset_beyond.bmp", bad);
  bad = valid24;
  Put32(bad.data() + 14, 0xFFFFFFF0);
  Write("bmp", "info_header_beyond.bmp", bad);
  bad = valid24;
  bad.resize(60);
  Write("bmp", "rows_truncated.bmp", bad);
  bad = PaletteBmp(3, 4, 8);
  bad.resize(54 + 40);
  Write("bmp", "palette_truncated.bmp", bad);
}

Bytes EncodeJpeg(int width, int height, bool grey, bool progressive) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = width;
  info.image_height = height;
  info.input_components = grey ? 1 : 3;
  info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 85, TRUE);
  if (progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(width * 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width * info.input_components; ++x) row[x] = (x * 7 + y * 11) & 0xFF;
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  Bytes bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

void JpegSeeds() {
  const Bytes colour = EncodeJpeg(24, 16, false, false);
  Write("jpeg", "valid_colour.jpg", colour);
  Write("jpeg", "valid_grey.jpg", EncodeJpeg(17, 9, true, false));
  Write("jpeg", "valid_progressive.jpg", EncodeJpeg(20, 20, false, true));
  Bytes bad(colour.begin(), colour.begin() + colour.size() / 2);
  Write("jpeg", "truncated.jpg", bad);
  bad = colour;
  bad.resize(40);
  Write("jpeg", "header_only.jpg", bad);
  Write("jpeg", "marker_only.jpg", Bytes{0xFF, 0xD8});
  bad = colour;
  for (std::size_t i = 200; i < bad.size() && i < 260; ++i) bad[i] ^= 0x5A;
  Write("jpeg", "corrupt_data.jpg", bad);
}

Bytes Wave(unsigned formatSize, unsigned tag, unsigned channels, std::uint32_t rate, unsigned bits,
           std::uint32_t dataSize, std::size_t samples) {
  Bytes b(28 + formatSize + samples, 0);
  b[0] = 'R', b[1] = 'I', b[2] = 'F', b[3] = 'F';
  Put32(b.data() + 4, b.size() - 8);
  b[8] = 'W', b[9] = 'A', b[10] = 'V', b[11] = 'E';
  b[12] = 'f', b[13] = 'm', b[14] = 't', b[15] = ' ';
  Put32(b.data() + 16, formatSize);
  if (formatSize >= 16) {
    Put16(b.data() + 20, tag);
    Put16(b.data() + 22, channels);
    Put32(b.data() + 24, rate);
    Put32(b.data() + 28, rate * channels * bits / 8);
    Put16(b.data() + 32, channels * bits / 8);
    Put16(b.data() + 34, bits);
  }
  const std::size_t data = 20 + formatSize;
  b[data] = 'd', b[data + 1] = 'a', b[data + 2] = 't', b[data + 3] = 'a';
  Put32(b.data() + data + 4, dataSize);
  for (std::size_t i = 0; i < samples; ++i) b[data + 8 + i] = (i * 29) & 0xFF;
  return b;
}

void WavSeeds() {
  Write("wav", "valid_16bit_stereo.wav", Wave(16, 1, 2, 44100, 16, 64, 64));
  Write("wav", "valid_8bit_mono.wav", Wave(16, 1, 1, 22050, 8, 33, 33));
  Write("wav", "valid_format_18.wav", Wave(18, 1, 1, 8000, 16, 20, 20));
  Write("wav", "format_short.wav", Wave(14, 1, 1, 8000, 16, 20, 20));
  Write("wav", "data_beyond_file.wav", Wave(16, 1, 1, 8000, 16, 4000, 20));
  Write("wav", "data_size_wraps.wav", Wave(16, 1, 1, 8000, 16, 0xFFFFFFF0u, 20));
  Bytes wraps = Wave(16, 1, 1, 8000, 16, 20, 20);
  Put32(wraps.data() + 16, 0xFFFFFFF8u);
  Write("wav", "format_size_wraps.wav", wraps);
  Write("wav", "float_format.wav", Wave(16, 3, 1, 8000, 32, 16, 16));
  Write("wav", "no_channels.wav", Wave(16, 1, 0, 8000, 16, 16, 16));
  Write("wav", "three_channels.wav", Wave(16, 1, 3, 8000, 16, 18, 18));
  Write("wav", "24bit.wav", Wave(16, 1, 1, 8000, 24, 18, 18));
  Write("wav", "rate_zero.wav", Wave(16, 1, 1, 0, 16, 16, 16));
  Bytes noFmt = Wave(16, 1, 1, 8000, 16, 16, 16);
  noFmt[12] = 'j';
  Write("wav", "no_fmt_chunk.wav", noFmt);
}

Bytes Text(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

void HighscoreSeeds() {
  std::vector<HighscoreEntry> table(10, HighscoreEntry{"", 0});
  Write("highscore", "empty_table.dat", Text(SerializeHighscores(table)));
  table[0] = {"ab", 1000};
  table[1] = {"Zora", -5};
  table[2] = {"x y.", static_cast<int>(0x80000000u)};
  table[3] = {"cr lf score", 0x0A0D0A0D};
  Write("highscore", "mixed_table.dat", Text(SerializeHighscores(table)));
  Write("highscore", "one_record.dat", Bytes{0x61, 0x62, 0x0D, 0x0A, 0xE8, 0x03, 0x00, 0x00});
  Write("highscore", "lone_line_feed.dat", Bytes{0x61, 0x0A, 0x01, 0x00, 0x00, 0x00, 0x62, 0x0A, 0x02});
  Write("highscore", "score_cut_short.dat", Bytes{0x61, 0x0D, 0x0A, 0x10});
  std::vector<HighscoreEntry> twelve(12, HighscoreEntry{"name", 7});
  Bytes trailing = Text(SerializeHighscores(twelve));
  trailing.insert(trailing.end(), {0xFF, 0x00, 0x0D});
  Write("highscore", "twelve_records_and_trailing_bytes.dat", trailing);
}

void CatalogueSeeds() {
  const std::string header = "Content-Type: text/plain; charset=UTF-8\n";
  const std::vector<std::pair<std::string, std::string>> entries = {
      {"", header},
      {"Starten", "Start"},
      {"Punktzahl:  %d", "Score:  %d"},
      {"Fertig", ""},
      {std::string("%d Schuss\0%d Sch\xC3\xBCsse", 20), std::string("%d shot\0%d shots", 16)}};
  Write("mo", "valid_little_endian.mo", MakeMo(entries));
  Write("mo", "valid_big_endian.mo", MakeMo(entries, true));
  Write("mo", "latin1.mo", MakeMo({{"", "Content-Type: text/plain; charset=ISO-8859-1\n"}, {"a", "b"}}));
  Bytes beyond = MakeMo(entries);
  Put32(beyond.data() + 8, 0x10000000u);  // more entries than the file holds
  Write("mo", "count_beyond_file.mo", beyond);
  Bytes wraps = MakeMo(entries);
  Put32(wraps.data() + 36, 0xFFFFFFF0u);  // the first original's offset wraps around 32 bits
  Write("mo", "offset_wraps.mo", wraps);
  Write("mo", "no_entries.mo", MakeMo({}));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_seeds <folder>\n");
    return 1;
  }
  root = argv[1];
  BmpSeeds();
  JpegSeeds();
  WavSeeds();
  HighscoreSeeds();
  CatalogueSeeds();
  return 0;
}
