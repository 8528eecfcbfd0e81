// Tests of the generated sounds: the strict WAV layout, their levels and the seamless music loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "formats/byte_order.h"
#include "formats/wav_reader.h"
#include "tests/artgen/generated_art.h"

namespace {

struct SoundFile {
  const char* path;
  double shortest;  // seconds
  double longest;
};

const SoundFile kSounds[] = {
    {"expl1.wav", 0.8, 1.6},
    {"fire.wav", 0.1, 0.4},
    {"click.wav", 0.015, 0.06},
    {"loop.wav", 8.0, 16.0},
};

// The 16-bit samples of a WAV file with the 44-byte header, interleaved.
std::vector<int> Samples(const Bytes& wav) {
  std::vector<int> out;
  for (std::size_t at = 44; at + 1 < wav.size(); at += 2)
    out.push_back(static_cast<std::int16_t>(Read16(wav.data() + at)));
  return out;
}

TEST(ArtSounds, FilesFollowTheStrictWavLayout) {
  for (const SoundFile& sound : kSounds) {
    const Bytes& b = ArtBytes(sound.path);
    SCOPED_TRACE(sound.path);
    ASSERT_GT(b.size(), 44u);
    EXPECT_EQ(Tag(b, 0), "RIFF");
    EXPECT_EQ(Read32(b.data() + 4), b.size() - 8) << "RIFF size covers the rest of the file";
    EXPECT_EQ(Tag(b, 8), "WAVE");
    EXPECT_EQ(Tag(b, 12), "fmt ") << "format chunk at offset 12";
    EXPECT_EQ(Read32(b.data() + 16), 16u) << "16-byte format chunk";
    EXPECT_EQ(Read16(b.data() + 20), 1) << "PCM";
    int channels = Read16(b.data() + 22);
    EXPECT_TRUE(channels == 1 || channels == 2);
    EXPECT_EQ(Read32(b.data() + 24), 44100u);
    EXPECT_EQ(Read32(b.data() + 28), 44100u * 2 * channels) << "bytes per second";
    EXPECT_EQ(Read16(b.data() + 32), 2 * channels) << "bytes per frame";
    EXPECT_EQ(Read16(b.data() + 34), 16) << "16 bits per sample";
    EXPECT_EQ(Tag(b, 36), "data") << "the data chunk follows the format chunk directly";
    EXPECT_EQ(Read32(b.data() + 40), b.size() - 44) << "data size at 40, samples from 44 to the end";

    WaveData parsed;
    ASSERT_TRUE(ParseWav(b.data(), b.size(), parsed)) << "the game's parser takes the file";
    EXPECT_EQ(parsed.dataOffset, 44u);
    EXPECT_EQ(parsed.dataSize, b.size() - 44);
    EXPECT_EQ(parsed.rate, 44100);
    EXPECT_EQ(parsed.bitsPerSample, 16);
    double seconds = static_cast<double>(parsed.dataSize) / (2.0 * parsed.channels * parsed.rate);
    EXPECT_GE(seconds, sound.shortest);
    EXPECT_LE(seconds, sound.longest);
  }
}

TEST(ArtSounds, LoudButNeverClipped) {
  for (const SoundFile& sound : kSounds) {
    std::vector<int> samples = Samples(ArtBytes(sound.path));
    ASSERT_FALSE(samples.empty()) << sound.path;
    int peak = 0;
    double energy = 0.0;
    for (int s : samples) {
      peak = std::max(peak, std::abs(s));
      energy += static_cast<double>(s) * s;
    }
    double rms = std::sqrt(energy / static_cast<double>(samples.size()));
    EXPECT_LT(peak, 0.9 * 32767) << sound.path << " must peak below 90 % of full scale";
    EXPECT_GT(peak, 0.5 * 32767) << sound.path << " must use the range it has";
    EXPECT_GT(rms, 0.03 * 32767) << sound.path << " must not be near silent";
  }
}

TEST(ArtSounds, EffectsEndInSilence) {
  // A sound that stops on a non-zero sample ends with a click.
  for (const char* path : {"expl1.wav", "fire.wav", "click.wav"}) {
    std::vector<int> samples = Samples(ArtBytes(path));
    ASSERT_FALSE(samples.empty()) << path;
    EXPECT_LE(std::abs(samples.back()), 1) << path << " must fade out to zero";
  }
}

TEST(ArtSounds, MusicLoopJoinsEndToStart) {
  const Bytes& b = ArtBytes("loop.wav");
  std::vector<int> samples = Samples(b);
  const int channels = Read16(b.data() + 22);
  const std::size_t frames = samples.size() / static_cast<std::size_t>(channels);
  ASSERT_GT(frames, 200u);
  auto at = [&](std::size_t frame, int channel) {
    return samples[(frame % frames) * static_cast<std::size_t>(channels) + static_cast<std::size_t>(channel)];
  };
  for (int channel = 0; channel < channels; ++channel) {
    // The curvature (second difference) at the seam must be no larger than anywhere near it.
    auto curvature = [&](std::size_t frame) {
      return std::abs(at(frame + 1, channel) - 2 * at(frame, channel) + at(frame + frames - 1, channel));
    };
    int nearby = 0;
    for (std::size_t d = 2; d < 100; ++d) {
      nearby = std::max({nearby, curvature(d), curvature(frames - d)});
    }
    EXPECT_LE(curvature(0), nearby) << "channel " << channel << ": no step from the last frame to the first";
    EXPECT_LE(curvature(frames - 1), nearby) << "channel " << channel << ": no step before the first frame";
  }
  // Neither end fades: the last and the first 50 ms are about equally loud.
  auto loudness = [&](std::size_t first) {
    double energy = 0.0;
    for (std::size_t f = first; f < first + 2205; ++f) energy += static_cast<double>(at(f, 0)) * at(f, 0);
    return std::sqrt(energy / 2205.0);
  };
  double end = loudness(frames - 2205);
  double start = loudness(0);
  EXPECT_GT(start, end / 2.5) << "the loop must not restart from near silence";
  EXPECT_GT(end, start / 2.5) << "the loop must not fade out before it restarts";
}

}  // namespace
