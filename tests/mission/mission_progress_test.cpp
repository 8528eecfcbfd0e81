// Mission set-up and progress: the start values, the approach, the departure, the destruction
// sequence and the end conditions.
#include "mission/mission_progress.h"

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

#include "base/tick_count.h"
#include "media/slots.h"
#include "mission/aliens.h"
#include "mission/controls.h"
#include "mission/game_state.h"
#include "mission/shots.h"
#include "mission_fixture.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "platform/testing/input_injection.h"
#include "tests/formats/wav_image.h"

namespace {

namespace fs = std::filesystem;

using MissionProgress = MissionTest;

using MissionProgressInput = MissionMediaTest;

constexpr std::int16_t kLoudSample = 20000;

// The sound slots of the game filled with two seconds of one constant sample, on a fresh sound
// table of the dummy driver, or of the disk driver, which writes what it mixes into a file.
class MissionSound : public MissionMediaTest {
 protected:
  void SetUp() override {
    MissionMediaTest::SetUp();
    folder_ = fs::temp_directory_path() / ("mission_sound_" + std::to_string(getpid()));
    fs::create_directories(folder_);
  }

  void TearDown() override {
    OpenAudio("dummy");
    fs::remove_all(folder_);
  }

  void OpenAudio(const char* driver) {
    ReleaseAudio();
    setenv("SDL_AUDIODRIVER", driver, 1);
    setenv("SDL_DISKAUDIOFILE", MixedFile().c_str(), 1);
    ASSERT_EQ(InitAudio(), 1) << "SDL2_mixer opens on the " << driver << " driver";
  }

  void LoadSounds() {
    const fs::path file = folder_ / "level.wav";
    const std::vector<std::uint8_t> bytes = MakeMono16Wav(std::vector<std::int16_t>(88200, kLoudSample));
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    for (const int slot : {kExplosionSound, kShotSound, kMusicLoop}) {
      ASSERT_EQ(LoadWave(slot, file.c_str()), 1) << "slot " << slot;
    }
  }

  std::string MixedFile() const { return (folder_ / "mixed.raw").string(); }

  // Waits until the disk driver has mixed about 190 ms more, then the loudest sample so far.
  int LoudestMixedSample() const {
    const std::uintmax_t target = fs::file_size(MixedFile()) + 32768;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (fs::file_size(MixedFile()) < target && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_GE(fs::file_size(MixedFile()), target) << "the disk driver keeps mixing";
    std::ifstream in(MixedFile(), std::ios::binary);
    std::vector<std::int16_t> samples(fs::file_size(MixedFile()) / 2);
    in.read(reinterpret_cast<char*>(samples.data()), static_cast<std::streamsize>(samples.size() * 2));
    int loudest = 0;
    for (const std::int16_t sample : samples) loudest = std::max(loudest, std::abs(static_cast<int>(sample)));
    return loudest;
  }

  fs::path folder_;
};

// Frames of AdvanceMission alone until the approach is over; -1 if it is not over after `limit`.
int FramesUntilApproachEnds(int limit) {
  for (int frame = 1; frame <= limit; ++frame) {
    AdvanceMission();
    if (game.approachPhase == 0) return frame;
  }
  return -1;
}

TEST_F(MissionProgress, StartSetsTheMissionValuesAndKeepsTheRest) {
  game.nextShotTime = 1234;
  game.musicOn = 0;
  game.shots.Append().z = 5000.0f;  // a shot of the last mission
  game.sparks.Append();
  const int before = GetTickCount();
  StartMission();

  EXPECT_EQ(game.shipX, 800000.0f);
  EXPECT_EQ(game.speed, -8000);
  EXPECT_EQ(game.approachPhase, 1);
  EXPECT_EQ(game.weapon, 2);
  EXPECT_EQ(game.gunSide, 1);
  EXPECT_EQ(game.hull, 4000);
  EXPECT_EQ(game.energy, 1330.0f);
  EXPECT_EQ(game.aimX, 400);
  EXPECT_EQ(game.aimY, 300);
  EXPECT_EQ(game.musicVolume, 0.0f);
  EXPECT_GE(TicksBetween(before, game.missionStartTime), 0) << "the tick count at the start";
  EXPECT_LE(TicksBetween(before, game.missionStartTime), TicksBetween(before, GetTickCount()));
  EXPECT_EQ(game.nextShotTime, 1234) << "the fire interval is kept across missions";
  EXPECT_EQ(game.musicOn, 0) << "the music switch is kept";
  EXPECT_EQ(game.shots.Count(), 1) << "shots in flight survive into the next mission";
  EXPECT_EQ(game.sparks.Count(), 0) << "sparks of the last mission are gone";
  ASSERT_EQ(game.aliens.Count(), 40);

  int types[4] = {};
  for (int i = 0; i < game.aliens.Count(); ++i) {
    const Alien& alien = game.aliens.At(i);
    const int type = alien.quad - 39;
    ASSERT_GE(type, 1);
    ASSERT_LE(type, 3);
    ++types[type];
    const float depth = alien.z - static_cast<float>((type - 1) * 3000);
    EXPECT_GE(depth, 6000.0f) << "depths run from 6000";
    EXPECT_LE(depth, 46000.0f) << "depths run to 46000";
    EXPECT_LE(std::abs(alien.y), 2.0f * depth) << "the y spread is 2 x depth around the ship";
    EXPECT_GE(alien.x, -150000.0f);
    EXPECT_LE(alien.x, 50000.0f);
    EXPECT_EQ(alien.armed, 0) << "an alien is armed only once drawn";
  }
  EXPECT_GT(types[1], types[3]) << "type 1 is three times as likely as type 3";

  for (int i = 0; i <= game.lastDebrisIndex; ++i) {
    EXPECT_GE(game.debris[i].x, 700000);
    EXPECT_LE(game.debris[i].x, 900000);
    EXPECT_EQ(game.debris[i].z % 1000, 0);
    EXPECT_GE(game.debris[i].z, 3000);
    EXPECT_LE(game.debris[i].z, 13000);
    EXPECT_EQ(game.debris[i].size, 2000);
  }
}

TEST_F(MissionProgress, UntouchedApproachTakes198FramesAndEndsNearTheFleet) {
  StartMission();
  EXPECT_EQ(FramesUntilApproachEnds(400), 198) << "the approach lasts 198 frames";
  EXPECT_EQ(game.speed, -80) << "the approach leaves the speed at -80";
  EXPECT_EQ(game.shipX, 4040.0f) << "the ship covers 795960 units during the approach";
  AdvanceMission();
  EXPECT_EQ(game.speed, -80) << "after the approach nothing brakes";
  EXPECT_EQ(game.shipX, 3960.0f);
}

TEST_F(MissionProgress, MusicFadesInOverTwoHundredFrames) {
  StartMission();
  for (int frame = 1; frame < 200; ++frame) AdvanceMission();
  EXPECT_EQ(game.musicVolume, 99.5f);
  AdvanceMission();
  EXPECT_EQ(game.musicVolume, 100.0f) << "full volume in the 200th frame";
  AdvanceMission();
  EXPECT_EQ(game.musicVolume, 100.0f);
}

TEST_F(MissionProgress, DepartureTakes80FramesAfterTheLastAlien) {
  StartMission();
  FramesUntilApproachEnds(400);
  game.aliens.Clear();
  for (int frame = 1; frame < 80; ++frame) {
    AdvanceMission();
    ASSERT_EQ(game.leaveLoop, 0) << "still accelerating in frame " << frame;
  }
  AdvanceMission();
  EXPECT_EQ(game.leaveLoop, 1) << "the departure from -80 takes 80 frames";
  EXPECT_EQ(game.speed, -8080);
  EXPECT_EQ(game.missionResult, MissionResult::kRunningOrWon) << "a departure is a won mission";
}

TEST_F(MissionProgress, HullZeroHoldsAndMinusOneDestroys) {
  StartMission();
  game.hull = 0;
  AdvanceMission();
  EXPECT_EQ(game.missionResult, MissionResult::kRunningOrWon)
      << "a hull of exactly 0 does not destroy the ship";
  game.hull = -1;
  AdvanceMission();
  EXPECT_EQ(game.missionResult, MissionResult::kDestroyed)
      << "a hull below 0 starts the destruction sequence";
  EXPECT_EQ(game.destructionFrames, 1) << "the frame the hull breaks is the sequence's first";
}

// The first seed from 1 on whose first RandomUpTo(100) is `value`.
std::uint32_t SeedOpeningWith(int value) {
  for (std::uint32_t seed = 1;; ++seed) {
    SeedRandom(seed);
    if (RandomUpTo(100) == value) return seed;
  }
}

// Checks sparks first to first + count - 1 against SpawnSparks(x, y, z, count, power), drawing
// from the generator as it stands.
void ExpectSparks(int first, int count, int x, int y, int z, int power) {
  for (int i = first; i < first + count; ++i) {
    SCOPED_TRACE(testing::Message() << "spark " << i);
    const Spark& spark = game.sparks.At(i);
    EXPECT_EQ(spark.size, static_cast<float>((RandomUpTo(5000) + 300) * power / 100)) << "power " << power;
    RandomUpTo(55);
    EXPECT_EQ(spark.x, static_cast<float>(x + RandomUpTo(700) - 300));
    EXPECT_EQ(spark.y, static_cast<float>(y + RandomUpTo(700) - 300));
    EXPECT_EQ(spark.z, static_cast<float>(z));
    RandomUpTo(400);
    RandomUpTo(360);
    RandomUpTo(360);
  }
}

TEST_F(MissionProgress, DestructionSparksLieAroundTheShipBeforeItMoves) {
  StillAlien(1, 0, 0, 70000);  // one alien left: no departure
  game.speed = -1000;

  // A burst when RandomUpTo(100) gives 9: three sparks, the y offset drawn before the x offset.
  const std::uint32_t burstSeed = SeedOpeningWith(9);
  game.shipX = 50000.0f;
  game.shipY = 20000.0f;
  game.missionResult = MissionResult::kDestroyed;
  game.destructionFrames = 1;
  SeedRandom(burstSeed);
  AdvanceMission();
  ASSERT_EQ(game.sparks.Count(), 3) << "a burst is 3 sparks, for RandomUpTo(100) below 10";
  SeedRandom(burstSeed);
  RandomUpTo(100);
  const int offsetY = RandomUpTo(4000) - 2000;
  const int offsetX = RandomUpTo(4000) - 2000;
  ASSERT_NE(offsetX, offsetY) << "the seed tells the two offsets apart";
  ExpectSparks(0, 3, 50000 + offsetX, 20600 + offsetY, 100, 300);
  EXPECT_EQ(game.shipX, 49000.0f) << "the ship moves after the sparks are placed";

  // The final blast, with no burst for RandomUpTo(100) at 10: 20 sparks at the ship, 1000 below
  // the view that has just sunk.
  const std::uint32_t quietSeed = SeedOpeningWith(10);
  game.sparks.Clear();
  game.shipX = 50000.0f;
  game.shipY = 20000.0f;
  game.destructionFrames = 299;
  SeedRandom(quietSeed);
  AdvanceMission();
  ASSERT_EQ(game.destructionFrames, 300);
  ASSERT_EQ(game.sparks.Count(), 20) << "the final blast is 20 sparks, and no burst at 10";
  SeedRandom(quietSeed);
  RandomUpTo(100);
  ExpectSparks(0, 20, 50000, 21600, 500, 300);
  EXPECT_EQ(game.shipX, 49000.0f) << "the ship moves after the blast";
}

TEST_F(MissionProgress, DestroyedWhileDepartingStaysLost) {
  StartMission();
  game.aliens.Clear();
  game.approachPhase = 0;
  game.speed = -80;
  game.hull = -5;
  while (game.leaveLoop == 0) AdvanceMission();
  EXPECT_EQ(game.missionResult, MissionResult::kDestroyed)
      << "the departure ends the mission but it counts as lost";
}

TEST_F(MissionProgressInput, KeypadPlusShortensTheApproach) {
  StartMission();
  InjectKey(Key::KeypadPlus, true);
  int frames = 0;
  while (game.approachPhase == 1 && frames < 400) {
    ReadMissionInput();
    if (frames == 0) {
      EXPECT_EQ(game.speed, -1000) << "-8005 is clamped to -1000 at once";
    }
    AdvanceMission();
    ++frames;
  }
  EXPECT_EQ(frames, 26) << "net +35 per frame from -960 while KeypadPlus stays held";
  EXPECT_EQ(game.speed, -85);
  ReadMissionInput();
  AdvanceMission();
  EXPECT_EQ(game.speed, -90) << "after the approach KeypadPlus speeds up by 5 per frame";
  InjectKey(Key::KeypadPlus, false);
}

TEST_F(MissionProgressInput, KeypadMinusDuringTheApproachIsNotClamped) {
  StartMission();
  InjectKey(Key::KeypadMinus, true);
  ReadMissionInput();
  EXPECT_EQ(game.speed, -7995) << "KeypadMinus only clamps at 0";
  InjectKey(Key::KeypadMinus, false);
}

TEST_F(MissionProgressInput, EscapeAbortsTheApproachButNotADestruction) {
  StartMission();
  InjectKey(Key::Escape, true);
  ReadMissionInput();
  EXPECT_EQ(game.leaveLoop, 0) << "Escape counts when released";
  InjectKey(Key::Escape, false);
  ReadMissionInput();
  EXPECT_EQ(game.leaveLoop, 1);
  EXPECT_EQ(game.missionResult, MissionResult::kAborted) << "Escape during the approach aborts the mission";

  StartMission();
  game.leaveLoop = 0;
  game.missionResult = MissionResult::kDestroyed;
  game.destructionFrames = 57;
  InjectKey(Key::Escape, true);
  ReadMissionInput();
  InjectKey(Key::Escape, false);
  ReadMissionInput();
  EXPECT_EQ(game.leaveLoop, 1);
  EXPECT_EQ(game.missionResult, MissionResult::kDestroyed)
      << "Escape during the destruction keeps the mission lost";
  EXPECT_EQ(game.destructionFrames, 57) << "and leaves the sequence's count alone";
}

TEST_F(MissionSound, EffectsAndTheMusicFollowTheirSwitches) {
  ASSERT_NO_FATAL_FAILURE(OpenAudio("dummy"));
  ASSERT_NO_FATAL_FAILURE(LoadSounds());
  for (const int on : {0, 1}) {
    SCOPED_TRACE(testing::Message() << "switches " << on);
    StopWave(kAllWaves);
    game.soundOn = on;
    game.musicOn = on;
    StartMission();
    EXPECT_EQ(IsWavePlaying(kMusicLoop), on) << "a mission starts the music loop only with the music on";
    game.weapon = 1;
    FireWeapon();
    EXPECT_EQ(IsWavePlaying(kShotSound), on) << "a volley sounds only with the effects on";
    game.aliens.Clear();
    StillAlien(1, 0, 0, 8000).hitPoints = 0;
    AlienPass();
    EXPECT_EQ(IsWavePlaying(kExplosionSound), on) << "a destroyed alien sounds only with the effects on";
  }
}

TEST_F(MissionSound, MixedLevelsFollowTheFadeInAndTheExplosionDepth) {
  ASSERT_NO_FATAL_FAILURE(OpenAudio("disk"));
  ASSERT_NO_FATAL_FAILURE(LoadSounds());
  StartMission();
  for (int frame = 1; frame <= 3; ++frame) AdvanceMission();
  ASSERT_EQ(game.musicVolume, 1.5f);
  // Volumes 0, 1 (1.0) and 2 (1.5 rounded to even) so far: volume 2 is 20 log10(2 / 100) dB,
  // -33.98 dB, twice the level of volume 1.
  const double music = kLoudSample * std::pow(10.0, WaveAttenuation(2) / 2000.0);
  EXPECT_NEAR(LoudestMixedSample(), music, music * 0.05) << "the fade-in sets musicVolume rounded, 1.5 to 2";

  // An alien destroyed at depth 16000 explodes at volume 800 / 16000 x 1000 = 50, -6.03 dB.
  StopWave(kAllWaves);
  game.aliens.Clear();
  StillAlien(1, 0, 0, 16000).hitPoints = 0;
  AlienPass();
  const double explosion = kLoudSample * std::pow(10.0, -603 / 2000.0);
  EXPECT_NEAR(LoudestMixedSample(), explosion, explosion * 0.05) << "the explosion's volume falls with depth";
}

}  // namespace
