// Fuzz target: the JPEG loader on any bytes.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_check.h"
#include "media/jpeg_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  DecodedImage image;
  if (DecodeJpeg(data, size, image)) {
    FUZZ_REQUIRE_SOUND_IMAGE(image);
  }
  return 0;
}
