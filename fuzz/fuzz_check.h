// Fuzz support: stops the run when a reader breaks one of its promises.
#pragma once

#define FUZZ_REQUIRE(condition)         \
  do {                                  \
    if (!(condition)) __builtin_trap(); \
  } while (0)

// What every image reader promises for a picture it accepts.
#define FUZZ_REQUIRE_SOUND_IMAGE(image)                                                              \
  do {                                                                                               \
    FUZZ_REQUIRE((image).width > 0 && (image).width <= kMaxImageSide);                               \
    FUZZ_REQUIRE((image).height > 0 && (image).height <= kMaxImageSide);                             \
    FUZZ_REQUIRE((image).pixels.size() == static_cast<std::size_t>((image).width) * (image).height); \
    for (std::uint32_t pixel : (image).pixels) FUZZ_REQUIRE((pixel >> 24) == 0);                     \
  } while (0)
