// JPEG reader on libjpeg: header and start in one guarded step, then the rows one at a time.
#include "formats/jpeg_reader.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <utility>
#include <vector>

// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

namespace {

// One decompression with its error manager. libjpeg reports a fatal error through error_exit,
// which jumps back to the setjmp of the step that is running; only the functions that call setjmp
// touch libjpeg, and they keep no C++ objects of their own.
struct JpegSession {
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr errors;
  jpeg_progress_mgr progress;
  std::jmp_buf jump;
  bool dataEnded;  // the data ran out while rows were still expected
};

JpegSession& SessionOf(j_common_ptr cinfo) {
  return *static_cast<JpegSession*>(cinfo->client_data);
}

[[noreturn]] void JumpBack(j_common_ptr cinfo) {
  std::longjmp(SessionOf(cinfo).jump, 1);
}

void IgnoreMessage(j_common_ptr) {}

// Warnings stay silent; those that say the compressed data ended early (the file itself, or a
// marker where entropy-coded data should be) are remembered.
void NoteWarning(j_common_ptr cinfo, int level) {
  const int code = cinfo->err->msg_code;
  if (level < 0 && (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER)) SessionOf(cinfo).dataEnded = true;
}

// Called for every row of blocks read and every scan started, so the scan count is checked long
// before a file with endless scans can cost noticeable time.
void CountScans(j_common_ptr cinfo) {
  const auto* decompress = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (decompress->input_scan_number > kMaxJpegScans) {
    cinfo->err->msg_code = JERR_NOTIMPL;
    cinfo->err->error_exit(cinfo);
  }
}

// Creates the decompression object, reads the header, asks for RGB and starts decompression. False
// on any libjpeg error, on an output that is not three bytes per pixel and on sizes beyond
// kMaxImageSide; the caller destroys the object in every case.
bool StartDecoding(JpegSession& s, const std::uint8_t* data, std::size_t size) {
  if (setjmp(s.jump)) return false;
  jpeg_create_decompress(&s.cinfo);  // keeps err and client_data
  s.cinfo.progress = &s.progress;
  jpeg_mem_src(&s.cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&s.cinfo, TRUE);
  s.cinfo.dct_method = JDCT_ISLOW;
  if (s.cinfo.jpeg_color_space == JCS_GRAYSCALE) s.cinfo.out_color_space = JCS_RGB;
  jpeg_calc_output_dimensions(&s.cinfo);
  if (s.cinfo.output_components != 3 || s.cinfo.output_width > unsigned(kMaxImageSide) ||
      s.cinfo.output_height > unsigned(kMaxImageSide) ||
      std::size_t(s.cinfo.output_width) * s.cinfo.output_height > kMaxJpegPixels)
    return false;
  jpeg_start_decompress(&s.cinfo);
  s.dataEnded = false;  // a multi-scan file is read in full at the start; that part stays decoded
  return true;
}

// Fills the top-down rows of `rows` (3 bytes per pixel, blue, green, red) until the image is
// complete, the data runs out or libjpeg fails; the rows not reached keep their zero bytes.
void ReadRows(JpegSession& s, std::uint8_t* rows, std::size_t rowBytes) {
  const std::size_t width = s.cinfo.output_width;
  if (setjmp(s.jump)) {
    // The row being read when libjpeg failed may be half written. (A failure in the finish comes
    // after the last row.)
    if (s.cinfo.output_scanline < s.cinfo.output_height)
      std::fill_n(rows + std::size_t(s.cinfo.output_scanline) * rowBytes, 3 * width, std::uint8_t(0));
    return;
  }
  while (s.cinfo.output_scanline < s.cinfo.output_height) {
    JSAMPROW row = rows + std::size_t(s.cinfo.output_scanline) * rowBytes;
    jpeg_read_scanlines(&s.cinfo, &row, 1);
    if (s.dataEnded) {
      // From the block row that hit the end on, libjpeg only makes up pixels: black instead.
      std::fill_n(row, 3 * width, std::uint8_t(0));
      return;
    }
    for (std::size_t x = 0; x < width; ++x) std::swap(row[3 * x], row[3 * x + 2]);  // delivered R, G, B
  }
  jpeg_finish_decompress(&s.cinfo);
}

}  // namespace

bool DecodeJpeg(const std::uint8_t* data, std::size_t size, DecodedImage& out) {
  if (size < 2 || data[0] != 0xFF || data[1] != 0xD8) return false;

  JpegSession s{};
  s.cinfo.err = jpeg_std_error(&s.errors);
  s.errors.error_exit = JumpBack;
  s.errors.output_message = IgnoreMessage;
  s.errors.emit_message = NoteWarning;
  s.progress.progress_monitor = CountScans;
  s.cinfo.client_data = &s;

  if (!StartDecoding(s, data, size)) {
    jpeg_destroy_decompress(&s.cinfo);
    return false;
  }
  const int width = int(s.cinfo.output_width);
  const int height = int(s.cinfo.output_height);
  const std::size_t rowBytes = 3 * std::size_t(width) + std::size_t(width % 4);
  std::vector<std::uint8_t> rows(rowBytes * std::size_t(height), 0);
  ReadRows(s, rows.data(), rowBytes);
  jpeg_destroy_decompress(&s.cinfo);

  out.width = width;
  out.height = height;
  out.bits = 24;
  out.pixels.resize(std::size_t(width) * std::size_t(height));
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = rows.data() + std::size_t(y) * rowBytes;
    std::uint32_t* target = out.pixels.data() + std::size_t(y) * std::size_t(width);
    for (int x = 0; x < width; ++x)
      target[x] = std::uint32_t(row[3 * x + 2]) << 16 | std::uint32_t(row[3 * x + 1]) << 8 | row[3 * x];
  }
  return true;
}
