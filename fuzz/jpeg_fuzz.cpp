// Fuzz target: the JPEG loader on any bytes.
#include <cstddef>
#include <cstdint>

#include "formats/jpeg_reader.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  DecodedImage image;
  if (DecodeJpeg(data, size, image)) {
    FUZZ_REQUIRE_SOUND_IMAGE(image);
  }
  return 0;
}
