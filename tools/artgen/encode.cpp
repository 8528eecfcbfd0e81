// File formats of the generated art: 24-bit BMP, JPEG and 16-bit PCM WAV.
#include "tools/artgen/encode.h"

#include <cmath>
#include <cstdio>  // before jpeglib.h, which uses FILE and size_t without declaring them
#include <cstdlib>
// clang-format off
#include <jpeglib.h>
// clang-format on

#include "formats/byte_order.h"

namespace {

void PutTag(std::uint8_t* p, const char* tag) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(tag[i]);
}

}  // namespace

std::uint8_t ToByte(float v) {
  return static_cast<std::uint8_t>(std::lround(Clamp01(v) * 255.0f));
}

Bytes EncodeBmp(const Canvas& canvas) {
  const std::size_t rowBytes = (static_cast<std::size_t>(canvas.width) * 3 + 3) / 4 * 4;
  const std::size_t dataBytes = rowBytes * static_cast<std::size_t>(canvas.height);
  Bytes out(54 + dataBytes, 0);
  std::uint8_t* h = out.data();
  h[0] = 'B';
  h[1] = 'M';
  Put32(h + 2, static_cast<std::uint32_t>(out.size()));
  Put32(h + 10, 54);
  Put32(h + 14, 40);
  Put32(h + 18, static_cast<std::uint32_t>(canvas.width));
  Put32(h + 22, static_cast<std::uint32_t>(canvas.height));
  Put16(h + 26, 1);
  Put16(h + 28, 24);
  Put32(h + 34, static_cast<std::uint32_t>(dataBytes));
  Put32(h + 38, 2834);
  Put32(h + 42, 2834);
  for (int y = 0; y < canvas.height; ++y) {
    std::size_t row = 54 + static_cast<std::size_t>(canvas.height - 1 - y) * rowBytes;
    for (int x = 0; x < canvas.width; ++x) {
      const Rgb& p = canvas.At(x, y);
      std::size_t at = row + static_cast<std::size_t>(x) * 3;
      out[at] = ToByte(p.b);
      out[at + 1] = ToByte(p.g);
      out[at + 2] = ToByte(p.r);
    }
  }
  return out;
}

namespace {

// Encoding into memory fails only on a broken parameter, a fault of this program: stop at once.
[[noreturn]] void JpegFailed(j_common_ptr info) {
  char message[JMSG_LENGTH_MAX];
  (*info->err->format_message)(info, message);
  std::fprintf(stderr, "artgen: JPEG encoder: %s\n", message);
  std::abort();
}

}  // namespace

Bytes EncodeJpeg(const Canvas& canvas, int quality) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  errors.error_exit = JpegFailed;
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(canvas.width);
  info.image_height = static_cast<JDIMENSION>(canvas.height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  for (int c = 0; c < info.num_components; ++c) {
    info.comp_info[c].h_samp_factor = 1;
    info.comp_info[c].v_samp_factor = 1;
  }
  info.dct_method = JDCT_ISLOW;
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(static_cast<std::size_t>(canvas.width) * 3);
  while (info.next_scanline < info.image_height) {
    int y = static_cast<int>(info.next_scanline);
    for (int x = 0; x < canvas.width; ++x) {
      const Rgb& p = canvas.At(x, y);
      row[static_cast<std::size_t>(x) * 3] = ToByte(p.r);
      row[static_cast<std::size_t>(x) * 3 + 1] = ToByte(p.g);
      row[static_cast<std::size_t>(x) * 3 + 2] = ToByte(p.b);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  Bytes out(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return out;
}

Bytes EncodeWav(const std::vector<float>& samples, int channels, int rate) {
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  Bytes out(44 + dataBytes, 0);
  std::uint8_t* h = out.data();
  PutTag(h, "RIFF");
  Put32(h + 4, 36 + dataBytes);
  PutTag(h + 8, "WAVE");
  PutTag(h + 12, "fmt ");
  Put32(h + 16, 16);
  Put16(h + 20, 1);  // PCM
  Put16(h + 22, static_cast<std::uint32_t>(channels));
  Put32(h + 24, static_cast<std::uint32_t>(rate));
  Put32(h + 28, static_cast<std::uint32_t>(rate * channels * 2));
  Put16(h + 32, static_cast<std::uint32_t>(channels * 2));
  Put16(h + 34, 16);
  PutTag(h + 36, "data");
  Put32(h + 40, dataBytes);
  for (std::size_t i = 0; i < samples.size(); ++i) {
    float v = samples[i] < -1.0f ? -1.0f : (samples[i] > 1.0f ? 1.0f : samples[i]);
    auto s = static_cast<std::int16_t>(std::lround(v * 32767.0f));
    Put16(h + 44 + i * 2, static_cast<std::uint16_t>(s));
  }
  return out;
}
