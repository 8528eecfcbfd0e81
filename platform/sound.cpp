// Sound slots on SDL2_mixer: one mixer channel per slot, samples converted to the device format.
#include "platform/sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "formats/wav_reader.h"

namespace {

constexpr int kSlotsAhead = 50;        // a new table, and the growth beyond the slot loaded
constexpr int kMixChunkFrames = 1024;  // about 23 ms at 44.1 kHz
constexpr int kSilentVolume = 0;
constexpr int kFullVolume = 100;

struct SoundSlot {
  Mix_Chunk* chunk = nullptr;  // samples in the device format; nullptr for an empty slot
  // Linear gain that the mixing thread applies, made at the first load; its own allocation, so
  // growing the table never moves it under the mixer.
  std::unique_ptr<std::atomic<float>> gain;
};

struct AudioState {
  bool open = false;             // InitAudio opened the mixer and ReleaseAudio did not close it since
  std::vector<SoundSlot> slots;  // slot n plays on mixer channel n
  int deviceRate = 0;            // what the mixer opened with; its format is always AUDIO_S16SYS
  int deviceChannels = 0;
};

AudioState audio;

// Entry v of the volume table: 100 x (20 x log10(1000 x v)) truncated, 0 and 10000 at the ends.
int VolumeEntry(int volume) {
  if (volume <= kSilentVolume) return 0;
  if (volume >= kFullVolume) return 10000;
  return static_cast<int>(100.0 * (20.0 * std::log10(1000.0 * volume)));
}

// Mixer effect: scales the channel's 16-bit samples by the slot's gain before they are mixed.
void SDLCALL ApplyGain(int, void* stream, int length, void* gain) {
  const float factor = static_cast<std::atomic<float>*>(gain)->load(std::memory_order_relaxed);
  auto* samples = static_cast<Sint16*>(stream);
  for (int i = 0; i < length / 2; ++i) {
    samples[i] = static_cast<Sint16>(std::lround(samples[i] * factor));
  }
}

SoundSlot* LoadedSlot(int n) {
  if (!audio.open || n < 0 || n >= static_cast<int>(audio.slots.size()) || audio.slots[n].chunk == nullptr)
    return nullptr;
  return &audio.slots[n];
}

bool ReadWholeFile(const char* path, std::vector<std::uint8_t>& bytes) {
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return false;
  std::uint8_t block[65536];
  std::size_t got = 0;
  while ((got = std::fread(block, 1, sizeof block, file)) > 0) {
    bytes.insert(bytes.end(), block, block + got);
  }
  const bool complete = std::ferror(file) == 0;
  std::fclose(file);
  return complete;
}

// The samples converted to the device's format, channels and rate, as a chunk that
// Mix_FreeChunk releases completely; nullptr if the conversion fails.
Mix_Chunk* MakeChunk(const std::uint8_t* samples, const WaveData& wave) {
  const std::uint64_t frames = wave.dataSize / (wave.channels * wave.bitsPerSample / 8);
  const std::uint64_t converted = frames * static_cast<std::uint64_t>(audio.deviceRate) /
                                  static_cast<std::uint64_t>(wave.rate) * 2 * audio.deviceChannels;
  // The stream takes and gives int sizes; keep well inside them, resampler tail included.
  if (wave.dataSize > INT_MAX / 2 || converted > INT_MAX / 2) return nullptr;
  SDL_AudioStream* stream =
      SDL_NewAudioStream(wave.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB, static_cast<Uint8>(wave.channels),
                         wave.rate, AUDIO_S16SYS, static_cast<Uint8>(audio.deviceChannels), audio.deviceRate);
  if (stream == nullptr) return nullptr;
  Uint8* buffer = nullptr;
  int length = 0;
  if (SDL_AudioStreamPut(stream, samples, static_cast<int>(wave.dataSize)) == 0 &&
      SDL_AudioStreamFlush(stream) == 0) {
    const int available = SDL_AudioStreamAvailable(stream);
    buffer = available > 0 ? static_cast<Uint8*>(SDL_malloc(available)) : nullptr;
    length = buffer != nullptr ? SDL_AudioStreamGet(stream, buffer, available) : 0;
  }
  SDL_FreeAudioStream(stream);
  auto* chunk = length > 0 ? static_cast<Mix_Chunk*>(SDL_malloc(sizeof(Mix_Chunk))) : nullptr;
  if (chunk == nullptr) {
    SDL_free(buffer);
    return nullptr;
  }
  chunk->allocated = 1;
  chunk->abuf = buffer;
  chunk->alen = static_cast<Uint32>(length);
  chunk->volume = MIX_MAX_VOLUME;
  return chunk;
}

}  // namespace

int InitAudio() {
  if (audio.open) return 1;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
  Uint16 format = 0;
  if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, AUDIO_S16SYS, MIX_DEFAULT_CHANNELS, kMixChunkFrames) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return 0;
  }
  audio = AudioState{};
  Mix_QuerySpec(&audio.deviceRate, &format, &audio.deviceChannels);
  audio.slots.resize(kSlotsAhead);
  Mix_AllocateChannels(kSlotsAhead);
  audio.open = true;
  return 1;
}

int LoadWave(int n, const char* path) {
  if (!audio.open || n < 0 || path == nullptr) return 0;
  std::vector<std::uint8_t> bytes;
  WaveData wave;
  if (!ReadWholeFile(path, bytes) || !ParseWav(bytes.data(), bytes.size(), wave)) return 0;
  Mix_Chunk* chunk = MakeChunk(bytes.data() + wave.dataOffset, wave);
  if (chunk == nullptr) return 0;
  if (n >= static_cast<int>(audio.slots.size())) {
    audio.slots.resize(static_cast<std::size_t>(n) + kSlotsAhead);
    Mix_AllocateChannels(static_cast<int>(audio.slots.size()));
  }
  SoundSlot& slot = audio.slots[n];
  if (slot.chunk != nullptr) {
    Mix_HaltChannel(n);
    Mix_FreeChunk(slot.chunk);
  }
  slot.chunk = chunk;
  if (slot.gain == nullptr) slot.gain = std::make_unique<std::atomic<float>>();
  slot.gain->store(1.0f);  // a new sound plays at full volume
  return 1;
}

void PlayWave(int n, int loop) {
  SoundSlot* slot = LoadedSlot(n);
  if (slot == nullptr) return;
  Mix_HaltChannel(n);
  Mix_UnregisterAllEffects(n);  // exactly one gain effect per play
  Mix_RegisterEffect(n, ApplyGain, nullptr, slot->gain.get());
  Mix_PlayChannel(n, slot->chunk, loop != 0 ? -1 : 0);
}

void StopWave(int n) {
  if (n == kAllWaves) {
    for (int i = 0; i < static_cast<int>(audio.slots.size()); ++i) StopWave(i);
    return;
  }
  if (LoadedSlot(n) != nullptr) Mix_HaltChannel(n);
}

void SetWaveVolume(int n, int volume) {
  SoundSlot* slot = LoadedSlot(n);
  if (slot == nullptr) return;
  slot->gain->store(static_cast<float>(std::pow(10.0, WaveAttenuation(volume) / 2000.0)));
}

void PauseWaves(bool paused) {
  if (!audio.open) return;
  if (paused) {
    Mix_Pause(-1);
  } else {
    Mix_Resume(-1);
  }
}

void ReleaseAudio() {
  if (!audio.open) return;
  Mix_HaltChannel(-1);
  for (SoundSlot& slot : audio.slots) {
    if (slot.chunk != nullptr) Mix_FreeChunk(slot.chunk);
  }
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  audio = AudioState{};
}

int WaveAttenuation(int volume) {
  return VolumeEntry(std::clamp(volume, kSilentVolume, kFullVolume)) - VolumeEntry(kFullVolume);
}

bool IsWavePlaying(int n) {
  return LoadedSlot(n) != nullptr && Mix_Playing(n) != 0;
}

int WaveTableSize() {
  return static_cast<int>(audio.slots.size());
}
