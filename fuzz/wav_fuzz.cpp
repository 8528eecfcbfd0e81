// Fuzz target: the WAV parser on any bytes.
#include <cstddef>
#include <cstdint>

#include "formats/wav_reader.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  WaveData wave;
  if (ParseWav(data, size, wave)) {
    FUZZ_REQUIRE(wave.channels == 1 || wave.channels == 2);
    FUZZ_REQUIRE(wave.bitsPerSample == 8 || wave.bitsPerSample == 16);
    FUZZ_REQUIRE(wave.rate > 0);
    FUZZ_REQUIRE(wave.dataOffset <= size && wave.dataSize <= size - wave.dataOffset);
    const std::size_t frame = static_cast<std::size_t>(wave.channels) * wave.bitsPerSample / 8;
    FUZZ_REQUIRE(wave.dataSize >= frame && wave.dataSize % frame == 0);
    volatile std::uint8_t sum = 0;  // touch every sample byte, so ASan sees any overrun
    for (std::size_t i = 0; i < wave.dataSize; ++i) sum = sum + data[wave.dataOffset + i];
  }
  return 0;
}
