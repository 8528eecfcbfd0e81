// Test support: WAV file images built field by field, for the reader and the sound slots.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

struct WavFields {
  std::uint32_t formatSize = 16;
  std::uint16_t tag = 1;  // PCM
  std::uint16_t channels = 1;
  std::uint32_t rate = 22050;
  std::uint16_t bits = 16;
  std::uint32_t dataSize = 8;
  std::vector<std::uint8_t> samples = std::vector<std::uint8_t>(8, 0x5A);  // what follows the data size
};

inline void PutLittleEndian(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value,
                            int count) {
  for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// RIFF header, format chunk and the data chunk right after it.
inline std::vector<std::uint8_t> MakeWav(const WavFields& f) {
  std::vector<std::uint8_t> bytes(28 + f.formatSize, 0);
  std::memcpy(bytes.data(), "RIFF", 4);
  std::memcpy(bytes.data() + 8, "WAVE", 4);
  std::memcpy(bytes.data() + 12, "fmt ", 4);
  PutLittleEndian(bytes, 16, f.formatSize, 4);
  PutLittleEndian(bytes, 20, f.tag, 2);
  PutLittleEndian(bytes, 22, f.channels, 2);
  PutLittleEndian(bytes, 24, f.rate, 4);
  PutLittleEndian(bytes, 28, f.rate * f.channels * f.bits / 8, 4);
  PutLittleEndian(bytes, 32, f.channels * f.bits / 8, 2);
  PutLittleEndian(bytes, 34, f.bits, 2);
  std::memcpy(bytes.data() + 20 + f.formatSize, "data", 4);
  PutLittleEndian(bytes, 24 + f.formatSize, f.dataSize, 4);
  bytes.insert(bytes.end(), f.samples.begin(), f.samples.end());
  PutLittleEndian(bytes, 4, static_cast<std::uint32_t>(bytes.size() - 8), 4);
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
