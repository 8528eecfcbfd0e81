// Fuzz target: the BMP reader on any bytes.
#include <cstddef>
#include <cstdint>

#include "formats/bmp_reader.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  DecodedImage image;
  if (DecodeBmp(data, size, image)) {
    FUZZ_REQUIRE_SOUND_IMAGE(image);
  }
  return 0;
}
