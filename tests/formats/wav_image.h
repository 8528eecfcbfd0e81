// Test support: WAV file images built field by field, for the reader and the sound slots.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "formats/byte_order.h"

struct WavFields {
  std::uint32_t formatSize = 16;
  std::uint16_t tag = 1;  // PCM
  std::uint16_t channels = 1;
  std::uint32_t rate = 22050;
  std::uint16_t bits = 16;
  std::uint32_t dataSize = 8;
  std::vector<std::uint8_t> samples = std::vector<std::uint8_t>(8, 0x5A);  // what follows the data size
};

// RIFF header, format chunk and the data chunk right after it.
inline std::vector<std::uint8_t> MakeWav(const WavFields& f) {
  std::vector<std::uint8_t> bytes(28 + f.formatSize, 0);
  std::memcpy(bytes.data(), "RIFF", 4);
  std::memcpy(bytes.data() + 8, "WAVE", 4);
  std::memcpy(bytes.data() + 12, "fmt ", 4);
  Put32(bytes.data() + 16, f.formatSize);
  Put16(bytes.data() + 20, f.tag);
  Put16(bytes.data() + 22, f.channels);
  Put32(bytes.data() + 24, f.rate);
  Put32(bytes.data() + 28, f.rate * f.channels * f.bits / 8);
  Put16(bytes.data() + 32, f.channels * f.bits / 8);
  Put16(bytes.data() + 34, f.bits);
  std::memcpy(bytes.data() + 20 + f.formatSize, "data", 4);
  Put32(bytes.data() + 24 + f.formatSize, f.dataSize);
  bytes.insert(bytes.end(), f.samples.begin(), f.samples.end());
  Put32(bytes.data() + 4, static_cast<std::uint32_t>(bytes.size() - 8));
  return bytes;
}

// A 16-bit mono file at 44100 Hz holding exactly `samples`.
inline std::vector<std::uint8_t> MakeMono16Wav(const std::vector<std::int16_t>& samples) {
  WavFields fields;
  fields.rate = 44100;
  fields.dataSize = static_cast<std::uint32_t>(samples.size() * 2);
  fields.samples.resize(samples.size() * 2);
  std::memcpy(fields.samples.data(), samples.data(), fields.samples.size());  // little-endian host
  return MakeWav(fields);
}
