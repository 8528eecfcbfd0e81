// Tests of the WAV file reader: where it finds the samples and which files it refuses.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "formats/byte_order.h"
#include "formats/wav_reader.h"
#include "tests/formats/wav_image.h"

namespace {

TEST(WavReader, FindsSamplesRightAfterTheFormatChunk) {
  const std::vector<std::uint8_t> plain = MakeWav({});
  WaveData wave;
  ASSERT_TRUE(ParseWav(plain.data(), plain.size(), wave));
  EXPECT_EQ(wave.dataOffset, 44u) << "a 16-byte format chunk puts the samples at 44";
  EXPECT_EQ(wave.dataSize, 8u) << "the data size is read at 40";
  EXPECT_EQ(wave.channels, 1);
  EXPECT_EQ(wave.rate, 22050);
  EXPECT_EQ(wave.bitsPerSample, 16);

  WavFields extended;
  extended.formatSize = 18;
  extended.dataSize = 4;
  const std::vector<std::uint8_t> longer = MakeWav(extended);
  ASSERT_TRUE(ParseWav(longer.data(), longer.size(), wave));
  EXPECT_EQ(wave.dataOffset, 46u) << "the data chunk follows an 18-byte format chunk at 42";
  EXPECT_EQ(wave.dataSize, 4u);
}

TEST(WavReader, RefusesMalformedFilesAndLeavesTheResultUnchanged) {
  struct BadCase {
    std::string name;
    std::vector<std::uint8_t> bytes;
  };
  const auto with = [](auto change) {
    WavFields fields;
    change(fields);
    return MakeWav(fields);
  };
  const auto patched = [](std::size_t at, const char* text) {
    std::vector<std::uint8_t> bytes = MakeWav({});
    std::memcpy(bytes.data() + at, text, 4);
    return bytes;
  };
  const auto cut = [](std::size_t length) {
    std::vector<std::uint8_t> bytes = MakeWav({});
    bytes.resize(length);
    return bytes;
  };
  // 0xFFFFFFEC makes 24 + s wrap to 4 in 32 bits, where the RIFF size would pass as the data size.
  std::vector<std::uint8_t> wrapping = MakeWav({});
  Put32(wrapping.data() + 16, 0xFFFFFFEC);

  const std::vector<BadCase> cases = {
      {"empty file", {}},
      {"header cut inside the format chunk", cut(30)},
      {"no RIFF", patched(0, "RIFX")},
      {"no fmt at 12", patched(12, "data")},
      {"format chunk shorter than 16 bytes", with([](WavFields& f) { f.formatSize = 14; })},
      {"format size wrapping 24 + s around 32 bits", wrapping},
      {"data size beyond the file", with([](WavFields& f) { f.dataSize = 9; })},
      {"data size near 4 GiB", with([](WavFields& f) { f.dataSize = 0xFFFFFFF0; })},
      {"data size field cut off", cut(42)},
      {"IEEE float format", with([](WavFields& f) { f.tag = 3; })},
      {"extensible format", with([](WavFields& f) { f.tag = 0xFFFE; })},
      {"no channels", with([](WavFields& f) { f.channels = 0; })},
      {"three channels", with([](WavFields& f) {
         f.channels = 3;
         f.dataSize = 12;
         f.samples.resize(12);
       })},
      {"24-bit samples", with([](WavFields& f) {
         f.bits = 24;
         f.dataSize = 6;
       })},
      {"4-bit samples", with([](WavFields& f) { f.bits = 4; })},
      {"rate 0", with([](WavFields& f) { f.rate = 0; })},
      {"rate below 100", with([](WavFields& f) { f.rate = 99; })},
      {"rate above 200000", with([](WavFields& f) { f.rate = 200001; })},
      {"no whole frame", with([](WavFields& f) { f.dataSize = 1; })},
      {"no samples at all", with([](WavFields& f) {
         f.dataSize = 0;
         f.samples.clear();
       })},
  };

  for (const BadCase& bad : cases) {
    WaveData wave;
    wave.dataOffset = 12345;
    EXPECT_FALSE(ParseWav(bad.bytes.data(), bad.bytes.size(), wave)) << "must refuse: " << bad.name;
    EXPECT_EQ(wave.dataOffset, 12345u) << "a refused file leaves the result as it was: " << bad.name;
  }
}

TEST(WavReader, AcceptsEveryFileTheGameCanPlay) {
  const auto with = [](auto change) {
    WavFields fields;
    change(fields);
    return MakeWav(fields);
  };
  std::vector<std::uint8_t> otherNames = MakeWav({});
  std::memcpy(otherNames.data() + 8, "XXXX", 4);
  std::memcpy(otherNames.data() + 36, "LIST", 4);
  const struct {
    const char* name;
    std::vector<std::uint8_t> bytes;
    std::size_t dataSize;
  } cases[] = {
      {"any form type and data chunk identifier", otherNames, 8},
      {"bytes after the data chunk", with([](WavFields& f) { f.samples.resize(100); }), 8},
      {"8-bit samples", with([](WavFields& f) { f.bits = 8; }), 8},
      {"stereo, a trailing partial frame dropped", with([](WavFields& f) {
         f.channels = 2;
         f.dataSize = 7;
       }),
       4},
      {"the lowest rate", with([](WavFields& f) { f.rate = 100; }), 8},
      {"the highest rate", with([](WavFields& f) { f.rate = 200000; }), 8},
      {"a format chunk of 40 bytes", with([](WavFields& f) { f.formatSize = 40; }), 8},
  };
  for (const auto& good : cases) {
    WaveData wave;
    EXPECT_TRUE(ParseWav(good.bytes.data(), good.bytes.size(), wave)) << "must accept: " << good.name;
    EXPECT_EQ(wave.dataSize, good.dataSize) << "whole frames of the data chunk's own size: " << good.name;
  }
}

}  // namespace
