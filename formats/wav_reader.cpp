// The WAV file reader.
#include "formats/wav_reader.h"

#include <cstring>

#include "formats/byte_order.h"

namespace {

constexpr std::uint32_t kFormatPcm = 1;
constexpr std::uint32_t kMinimumFormatSize = 16;  // tag, channels, rate, bytes/s, block, bits
// The rates a sound buffer accepts; this also bounds how much a sound grows when resampled.
constexpr std::uint32_t kMinimumRate = 100;
constexpr std::uint32_t kMaximumRate = 200000;

}  // namespace

bool ParseWav(const std::uint8_t* data, std::size_t size, WaveData& out) {
  constexpr std::size_t kFormatStart = 20;
  if (data == nullptr || size < kFormatStart + kMinimumFormatSize) return false;
  if (std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 12, "fmt ", 4) != 0) return false;
  const std::uint32_t formatSize = Read32(data + 16);
  if (formatSize < kMinimumFormatSize) return false;
  // 64-bit offsets: a huge format size must not wrap around to a small one.
  const std::uint64_t dataSizeOffset = 24 + static_cast<std::uint64_t>(formatSize);
  const std::uint64_t samplesOffset = dataSizeOffset + 4;
  if (samplesOffset > size) return false;
  const std::uint64_t dataSize = Read32(data + dataSizeOffset);
  if (dataSize > size - samplesOffset) return false;

  const std::uint8_t* format = data + kFormatStart;
  const std::uint32_t tag = Read16(format);
  const std::uint32_t channels = Read16(format + 2);
  const std::uint32_t rate = Read32(format + 4);
  const std::uint32_t bits = Read16(format + 14);
  if (tag != kFormatPcm || channels < 1 || channels > 2 || (bits != 8 && bits != 16) || rate < kMinimumRate ||
      rate > kMaximumRate) {
    return false;
  }
  const std::uint64_t frameSize = channels * bits / 8;
  const std::uint64_t wholeFrames = dataSize - dataSize % frameSize;
  if (wholeFrames == 0) return false;

  out.channels = static_cast<int>(channels);
  out.rate = static_cast<int>(rate);
  out.bitsPerSample = static_cast<int>(bits);
  out.dataOffset = static_cast<std::size_t>(samplesOffset);
  out.dataSize = static_cast<std::size_t>(wholeFrames);
  return true;
}
