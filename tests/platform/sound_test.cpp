// Tests of the sound slots on SDL's dummy and disk audio drivers.
#include "platform/sound.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/formats/wav_image.h"

namespace {

namespace fs = std::filesystem;

constexpr std::uintmax_t kMixedAhead = 32768;  // about 190 ms of 16-bit stereo at 44.1 kHz

class Sound : public ::testing::Test {
 protected:
  void SetUp() override {
    ReleaseAudio();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    folder_ = fs::temp_directory_path() / ("sound_test_" + std::to_string(getpid()));
    fs::create_directories(folder_);
  }

  void TearDown() override {
    ReleaseAudio();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    fs::remove_all(folder_);
  }

  std::string WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const fs::path path = folder_ / name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return path.string();
  }

  // A mono sound of `frames` samples at 44.1 kHz: `head` for the first `headFrames`, then `body`.
  std::string WriteSteps(const std::string& name, int frames, int headFrames, std::int16_t head,
                         std::int16_t body) {
    std::vector<std::int16_t> samples(frames, body);
    std::fill(samples.begin(), samples.begin() + headFrames, head);
    return WriteFile(name, MakeMono16Wav(samples));
  }

  // Switches to the disk driver, which writes everything the mixer makes into a file.
  std::string OpenDiskAudio() {
    const std::string output = (folder_ / "mixed.raw").string();
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    return output;
  }

  // Waits until the mixer has written `bytes` more to the disk driver's file.
  static void WaitForMixing(const std::string& output, std::uintmax_t bytes = kMixedAhead) {
    const std::uintmax_t target = fs::file_size(output) + bytes;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (fs::file_size(output) < target && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_GE(fs::file_size(output), target) << "the disk driver keeps mixing";
  }

  // Stretches of at least 1000 samples whose size stays within 10 % of where they began, in
  // order, as their median size; silence between them is left out.
  static std::vector<double> Plateaus(const std::string& output) {
    std::ifstream in(output, std::ios::binary);
    std::vector<std::int16_t> samples(fs::file_size(output) / 2);
    in.read(reinterpret_cast<char*>(samples.data()), static_cast<std::streamsize>(samples.size() * 2));
    std::vector<double> levels;
    std::vector<int> run;
    const auto close = [&] {
      if (run.size() >= 1000) {
        std::nth_element(run.begin(), run.begin() + run.size() / 2, run.end());
        levels.push_back(run[run.size() / 2]);
      }
      run.clear();
    };
    for (const std::int16_t sample : samples) {
      const int size = std::abs(sample);
      if (size == 0) continue;
      if (!run.empty() && std::abs(size - run.front()) * 10 > run.front()) close();
      run.push_back(size);
    }
    close();
    return levels;
  }

  fs::path folder_;
};

TEST_F(Sound, VolumeIsHundredthsOfADecibelBelowFull) {
  EXPECT_EQ(WaveAttenuation(100), 0) << "volume 100 is 0 dB";
  EXPECT_EQ(WaveAttenuation(50), -603) << "20 log10(0.5) = -6.0206 dB, rounded down to hundredths";
  EXPECT_EQ(WaveAttenuation(10), -2000) << "volume 10 is -20 dB";
  EXPECT_EQ(WaveAttenuation(1), -4000) << "volume 1 is -40 dB";
  EXPECT_EQ(WaveAttenuation(0), -10000) << "volume 0 is silence, -100 dB";
  EXPECT_EQ(WaveAttenuation(150), 0) << "above 100 is clamped to 100";
  EXPECT_EQ(WaveAttenuation(-5), -10000) << "below 0 is clamped to 0";
  for (int v = 1; v <= 100; ++v) {
    EXPECT_GT(WaveAttenuation(v), WaveAttenuation(v - 1)) << "louder at volume " << v;
  }
}

TEST_F(Sound, WithoutADeviceEveryOperationDoesNothing) {
  const std::string file = WriteSteps("tone.wav", 4410, 0, 0, 1000);
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  EXPECT_EQ(InitAudio(), 0) << "no audio device: InitAudio fails";
  EXPECT_EQ(LoadWave(0, file.c_str()), 0) << "without the sound system every load fails";
  PlayWave(0, 1);
  SetWaveVolume(0, 50);
  StopWave(0);
  StopWave(kAllWaves);
  EXPECT_EQ(IsWavePlaying(0), 0) << "nothing plays without a device";
  EXPECT_EQ(WaveTableSize(), 0);
}

TEST_F(Sound, LoadingBeyondTheTableGrowsItByFifty) {
  ASSERT_EQ(InitAudio(), 1) << "SDL2_mixer opens on the dummy driver";
  EXPECT_EQ(WaveTableSize(), 50) << "a new table has 50 slots";
  const std::string file = WriteSteps("tone.wav", 44100, 0, 0, 1000);
  ASSERT_EQ(LoadWave(60, file.c_str()), 1);
  EXPECT_EQ(WaveTableSize(), 110) << "loading slot 60 grows the table to 60 + 50";
  ASSERT_EQ(LoadWave(5, file.c_str()), 1);
  EXPECT_EQ(WaveTableSize(), 110) << "a slot inside the table does not grow it";
  PlayWave(60, 1);
  EXPECT_EQ(IsWavePlaying(60), 1) << "the grown slot has its own mixer channel";
  EXPECT_EQ(IsWavePlaying(200), 0) << "a slot beyond the table counts as empty";
}

TEST_F(Sound, BadFileLeavesTheSlotAsItWas) {
  ASSERT_EQ(InitAudio(), 1);
  const std::string good = WriteSteps("tone.wav", 44100, 0, 0, 1000);
  std::vector<std::uint8_t> truncated = MakeMono16Wav(std::vector<std::int16_t>(100, 1000));
  truncated.resize(truncated.size() - 2);  // the data chunk now reaches beyond the file
  const std::string bad = WriteFile("truncated.wav", truncated);
  const std::string missing = (folder_ / "missing.wav").string();

  ASSERT_EQ(LoadWave(3, good.c_str()), 1);
  EXPECT_EQ(LoadWave(3, missing.c_str()), 0) << "a missing file fails";
  EXPECT_EQ(LoadWave(3, bad.c_str()), 0) << "a data size beyond the file fails";
  EXPECT_EQ(LoadWave(3, folder_.c_str()), 0) << "a folder is no sound file";
  PlayWave(3, 1);
  EXPECT_EQ(IsWavePlaying(3), 1) << "the slot still holds the sound loaded before";

  EXPECT_EQ(LoadWave(4, bad.c_str()), 0);
  PlayWave(4, 1);
  EXPECT_EQ(IsWavePlaying(4), 0) << "an empty slot stays empty after a failed load";
  EXPECT_EQ(LoadWave(-1, good.c_str()), 0) << "there is no slot -1";
}

TEST_F(Sound, StoppingEndsLoopingAndSingleSounds) {
  ASSERT_EQ(InitAudio(), 1);
  const std::string longFile = WriteSteps("long.wav", 88200, 0, 0, 1000);
  const std::string shortFile = WriteSteps("short.wav", 2205, 0, 0, 1000);
  for (int slot : {0, 1, 2}) ASSERT_EQ(LoadWave(slot, longFile.c_str()), 1);
  ASSERT_EQ(LoadWave(5, shortFile.c_str()), 1);

  PlayWave(0, 1);
  PlayWave(1, 0);
  PlayWave(2, 1);
  StopWave(2);
  EXPECT_EQ(IsWavePlaying(2), 0) << "StopWave(n) stops slot n";
  EXPECT_EQ(IsWavePlaying(0), 1) << "and no other";
  StopWave(kAllWaves);
  EXPECT_EQ(IsWavePlaying(0), 0) << "StopWave(kAllWaves) stops a looping sound";
  EXPECT_EQ(IsWavePlaying(1), 0) << "StopWave(kAllWaves) stops a single play";

  PlayWave(0, 1);
  PlayWave(5, 0);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (IsWavePlaying(5) == 1 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_EQ(IsWavePlaying(5), 0) << "a single play of 50 ms ends by itself";
  EXPECT_EQ(IsWavePlaying(0), 1) << "a looping sound goes on until stopped";

  ASSERT_EQ(LoadWave(0, shortFile.c_str()), 1);
  EXPECT_EQ(IsWavePlaying(0), 0) << "loading into a playing slot stops what it played";
}

TEST_F(Sound, PlayingAgainRestartsInsteadOfMixingASecondCopy) {
  const std::string output = OpenDiskAudio();
  ASSERT_EQ(InitAudio(), 1) << "SDL2_mixer opens on the disk driver";
  // 50 ms at 8000, then half a second at 2000.
  const std::string file = WriteSteps("steps.wav", 2205 + 22050, 2205, 8000, 2000);
  ASSERT_EQ(LoadWave(7, file.c_str()), 1);

  PlayWave(7, 0);
  WaitForMixing(output);
  PlayWave(7, 0);
  WaitForMixing(output);
  StopWave(7);
  ReleaseAudio();

  const std::vector<double> levels = Plateaus(output);
  ASSERT_EQ(levels.size(), 4u) << "start, middle, start again, middle: two plays one after the other";
  EXPECT_NEAR(levels[0], 8000, 8) << "the first play begins at the start";
  EXPECT_NEAR(levels[1], 2000, 8);
  EXPECT_NEAR(levels[2], 8000, 8) << "the second play begins at the start again, without the first";
  EXPECT_NEAR(levels[3], 2000, 8);
}

TEST_F(Sound, VolumeScalesTheMixedSamples) {
  const std::string output = OpenDiskAudio();
  ASSERT_EQ(InitAudio(), 1);
  std::vector<std::int16_t> square(4410);
  for (std::size_t i = 0; i < square.size(); ++i) square[i] = (i / 50) % 2 == 0 ? 8000 : -8000;
  const std::string file = WriteFile("square.wav", MakeMono16Wav(square));
  ASSERT_EQ(LoadWave(2, file.c_str()), 1);

  PlayWave(2, 1);
  WaitForMixing(output);
  SetWaveVolume(2, 50);
  WaitForMixing(output);
  ASSERT_EQ(LoadWave(2, file.c_str()), 1);
  PlayWave(2, 1);
  WaitForMixing(output);
  StopWave(kAllWaves);
  ReleaseAudio();

  const std::vector<double> levels = Plateaus(output);
  ASSERT_EQ(levels.size(), 3u) << "full volume, volume 50, full volume after loading again";
  EXPECT_NEAR(levels[0], 8000, 8) << "a new sound plays at full volume";
  EXPECT_NEAR(levels[1] / levels[0], std::pow(10.0, -603 / 2000.0), 0.002) << "volume 50 is -6.03 dB";
  EXPECT_NEAR(levels[2], 8000, 8) << "a sound loaded again plays at full volume";
}

}  // namespace
