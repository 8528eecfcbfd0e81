// Fuzz target: the BMP reader on any bytes.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_check.h"
#include "media/bmp_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  DecodedImage image;
  if (DecodeBmp(data, size, image)) {
    FUZZ_REQUIRE_SOUND_IMAGE(image);
  }
  return 0;
}
