// Fuzz target: the BMP reader on any bytes.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_check.h"
#include "media/bmp_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  DecodedImage image;
  if (DecodeBmp(data, size, image)) {
    FUZZ_REQUIRE(image.width > 0 && image.width <= kMaxImageSide);
    FUZZ_REQUIRE(image.height > 0 && image.height <= kMaxImageSide);
    FUZZ_REQUIRE(image.pixels.size() == static_cast<std::size_t>(image.width) * image.height);
    for (std::uint32_t pixel : image.pixels) FUZZ_REQUIRE((pixel >> 24) == 0);
  }
  return 0;
}
