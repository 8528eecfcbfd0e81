// The WAV file reader: finds the samples of a whole file in memory.
// It checks the header itself, with no library involved, so it can be fed any bytes.
#pragma once

#include <cstddef>
#include <cstdint>

struct WaveData {
  int channels = 0;            // 1 or 2, interleaved
  int rate = 0;                // samples per second and channel, 100 to 200000
  int bitsPerSample = 0;       // 8 (unsigned) or 16 (signed, little-endian)
  std::size_t dataOffset = 0;  // first sample byte in the file
  std::size_t dataSize = 0;    // bytes of whole sample frames, at least one frame
};

// "RIFF" at 0 and "fmt " at 12 (the form type at 8 is not looked at); the format chunk of s bytes
// (s at 16) starts at 20, and the data chunk follows it directly: its size at 24 + s, its samples
// at 28 + s, whatever its identifier. Only PCM with 1 or 2 channels of 8 or 16 bits is taken. A
// trailing partial frame is dropped. False leaves `out` unchanged.
bool ParseWav(const std::uint8_t* data, std::size_t size, WaveData& out);
