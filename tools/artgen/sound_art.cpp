// Synthesis of the sound effects and the music loop.
#include <algorithm>
#include <cmath>

#include "tools/artgen/noise.h"
#include "tools/artgen/sounds.h"

namespace {

constexpr float kTwoPi = 6.28318531f;
constexpr float kRate = static_cast<float>(kSampleRate);
constexpr float kPeak = 0.85f;  // every sound is scaled to this share of full scale

int Frames(float seconds) {
  return static_cast<int>(seconds * kRate);
}

float Seconds(int frame) {
  return static_cast<float>(frame) / kRate;
}

// Scales the samples so that the loudest one reaches kPeak.
void Normalize(std::vector<float>& samples) {
  float peak = 0.0f;
  for (float s : samples) peak = std::max(peak, std::fabs(s));
  if (peak > 0.0f) {
    for (float& s : samples) s *= kPeak / peak;
  }
}

// Fades the last `seconds` down to silence, so that a sound never ends on a step.
void FadeOut(std::vector<float>& samples, float seconds) {
  int n = std::min(static_cast<int>(samples.size()), Frames(seconds));
  for (int i = 0; i < n; ++i) {
    samples[samples.size() - 1 - static_cast<std::size_t>(i)] *=
        static_cast<float>(i) / static_cast<float>(n);
  }
}

// Chamberlin state-variable filter; its low-pass output is used.
class LowPass {
 public:
  float Run(float input, float cutoff, float damping) {
    float f = 2.0f * std::sin(3.14159265f * std::min(cutoff, kRate / 6.0f) / kRate);
    low_ += f * band_;
    float high = input - low_ - damping * band_;
    band_ += f * high;
    return low_;
  }

 private:
  float low_ = 0.0f;
  float band_ = 0.0f;
};

// One-pole low-pass: a gentle slope, stable at any cutoff.
class Smoother {
 public:
  explicit Smoother(float cutoff) : weight_(1.0f - std::exp(-kTwoPi * cutoff / kRate)) {}
  float Run(float input) { return value_ += weight_ * (input - value_); }

 private:
  float weight_;
  float value_ = 0.0f;
};

float Noise(Rng& rng) {
  return rng.Uniform() * 2.0f - 1.0f;
}

float MidiHz(int note) {
  return 440.0f * std::pow(2.0f, static_cast<float>(note - 69) / 12.0f);
}

// One cycle of a band-limited wave, harmonics falling as 1 / k^tilt (only odd ones if `odd`).
class WaveTable {
 public:
  WaveTable(float hz, float tilt, bool odd, float highestHz) : values_(kSize + 1, 0.0f) {
    for (int k = 1; static_cast<float>(k) * hz < highestHz && k < 200; ++k) {
      if (odd && k % 2 == 0) continue;
      float amplitude = 1.0f / std::pow(static_cast<float>(k), tilt);
      for (int i = 0; i < kSize; ++i) {
        values_[static_cast<std::size_t>(i)] +=
            amplitude * std::sin(kTwoPi * static_cast<float>(k * i) / kSize);
      }
    }
    float peak = 0.0f;
    for (float v : values_) peak = std::max(peak, std::fabs(v));
    for (float& v : values_) v /= peak;
    values_[kSize] = values_[0];
  }

  // Value at a phase in cycles.
  float At(double phase) const {
    double cycles = phase - std::floor(phase);
    double position = cycles * kSize;
    auto i = static_cast<std::size_t>(position);
    float t = static_cast<float>(position - static_cast<double>(i));
    return values_[i] + (values_[i + 1] - values_[i]) * t;
  }

 private:
  static constexpr int kSize = 2048;
  std::vector<float> values_;
};

// The loop's stereo buffer; everything written past its end continues at its start.
class LoopMix {
 public:
  explicit LoopMix(int frames) : frames_(frames), left_(static_cast<std::size_t>(frames)), right_(left_) {}

  void Add(int frame, float value, float pan) {
    auto at = static_cast<std::size_t>(((frame % frames_) + frames_) % frames_);
    left_[at] += value * std::sqrt(0.5f * (1.0f - pan));
    right_[at] += value * std::sqrt(0.5f * (1.0f + pan));
  }

  const std::vector<float>& Left() const { return left_; }
  const std::vector<float>& Right() const { return right_; }

 private:
  int frames_;
  std::vector<float> left_;
  std::vector<float> right_;
};

constexpr int kBeat = 21000;  // frames per beat at 126 beats a minute
constexpr int kBar = 4 * kBeat;

// The chords of the eight bars (three voices each) and their bass notes.
constexpr int kChords[8][3] = {{57, 60, 64}, {57, 60, 65}, {55, 60, 64}, {55, 59, 62},
                               {57, 60, 64}, {57, 60, 65}, {57, 62, 65}, {56, 59, 64}};
constexpr int kBass[8] = {45, 41, 48, 43, 45, 41, 38, 40};

// Gain of the bass and the chords, ducking under each kick and recovering within the beat.
float Pump(int frame) {
  float sinceKick = Seconds(frame % kBeat);
  return 1.0f - 0.45f * std::exp(-sinceKick / 0.09f);
}

void AddBass(LoopMix& mix) {
  for (int bar = 0; bar < 8; ++bar) {
    for (int step = 0; step < 8; ++step) {
      int note = kBass[bar] + (step % 4 == 3 ? 12 : 0);
      float hz = MidiHz(note);
      WaveTable bright(hz, 1.0f, false, 4000.0f);
      WaveTable dark(hz, 2.2f, false, 1500.0f);
      int start = bar * kBar + step * kBeat / 2;
      int length = kBeat / 2 - Frames(0.01f);
      float accent = step % 2 == 0 ? 1.0f : 0.8f;
      for (int i = 0; i < length + Frames(0.01f); ++i) {
        float t = Seconds(i);
        float envelope = std::min(1.0f, t / 0.004f) * (0.65f + 0.35f * std::exp(-t / 0.06f));
        if (i > length) envelope *= 1.0f - static_cast<float>(i - length) / static_cast<float>(Frames(0.01f));
        double phase = static_cast<double>(hz) * i / kSampleRate;
        float brightness = std::exp(-t / 0.07f);
        float v = dark.At(phase) + (bright.At(phase) - dark.At(phase)) * brightness;
        mix.Add(start + i, 0.34f * accent * envelope * v * Pump(start + i), 0.0f);
      }
    }
  }
}

void AddPads(LoopMix& mix) {
  const int release = Frames(0.6f);
  for (int bar = 0; bar < 8; ++bar) {
    for (int voice = 0; voice < 3; ++voice) {
      float hz = MidiHz(kChords[bar][voice]);
      WaveTable wave(hz, 1.6f, false, 3500.0f);
      int start = bar * kBar;
      for (int i = 0; i < kBar + release; ++i) {
        float t = Seconds(i);
        double cycles = static_cast<double>(hz) * i / kSampleRate;
        float envelope = std::min(1.0f, t / 0.35f);
        if (i >= kBar)
          envelope *= 0.5f + 0.5f * std::cos(3.14159265f * static_cast<float>(i - kBar) / release);
        // Two slightly detuned copies per side make the chord wide and slowly beating.
        float left = wave.At(cycles * 0.996) + wave.At(cycles * 1.003 + 0.3);
        float right = wave.At(cycles * 1.004 + 0.6) + wave.At(cycles * 0.997 + 0.1);
        float gain = 0.045f * envelope * Pump(start + i);
        mix.Add(start + i, gain * left, -1.0f);
        mix.Add(start + i, gain * right, 1.0f);
      }
    }
  }
}

void AddArpeggio(LoopMix& mix) {
  const int echo = 3 * kBeat / 4;  // a dotted eighth
  const int order[8] = {0, 1, 2, 1, 0, 2, 1, 2};
  for (int bar = 0; bar < 8; ++bar) {
    int octave = bar >= 4 ? 24 : 12;
    for (int step = 0; step < 16; ++step) {
      int note = kChords[bar][order[step % 8]] + octave;
      float hz = MidiHz(note);
      WaveTable wave(hz, 1.0f, true, 7000.0f);
      int start = bar * kBar + step * kBeat / 4;
      float pan = step % 2 == 0 ? -0.45f : 0.45f;
      float accent = step % 4 == 0 ? 1.0f : 0.7f;
      for (int i = 0; i < Frames(0.25f); ++i) {
        float t = Seconds(i);
        float v = wave.At(static_cast<double>(hz) * i / kSampleRate) * std::min(1.0f, t / 0.002f) *
                  std::exp(-t / 0.07f) * 0.13f * accent;
        if (i > Frames(0.2f)) v *= static_cast<float>(Frames(0.25f) - i) / static_cast<float>(Frames(0.05f));
        mix.Add(start + i, v, pan);
        mix.Add(start + i + echo, v * 0.4f, -pan);
        mix.Add(start + i + 2 * echo, v * 0.16f, pan);
      }
    }
  }
}

void AddKick(LoopMix& mix, int start, Rng& rng) {
  double phase = 0.0;
  for (int i = 0; i < Frames(0.35f); ++i) {
    float t = Seconds(i);
    float hz = 46.0f + 110.0f * std::exp(-t / 0.03f);
    phase += hz / kRate;
    float envelope =
        std::exp(-t / 0.16f) * std::min(1.0f, static_cast<float>(Frames(0.35f) - i) / Frames(0.03f));
    float click = i < Frames(0.002f) ? Noise(rng) * 0.25f : 0.0f;
    mix.Add(start + i, 0.55f * (envelope * std::sin(kTwoPi * static_cast<float>(phase)) + click), 0.0f);
  }
}

void AddSnare(LoopMix& mix, int start, float level, Rng& rng) {
  LowPass body;
  Smoother air(9000.0f);
  for (int i = 0; i < Frames(0.3f); ++i) {
    float t = Seconds(i);
    float tone = 0.5f * std::sin(kTwoPi * 185.0f * t) + 0.3f * std::sin(kTwoPi * 330.0f * t);
    float noise = Noise(rng);
    float hiss = air.Run(noise - body.Run(noise, 1200.0f, 1.2f));
    float tail = std::min(1.0f, static_cast<float>(Frames(0.3f) - i) / Frames(0.05f));
    float v = (tone * std::exp(-t / 0.05f) + 0.9f * hiss * std::exp(-t / 0.11f)) * tail;
    mix.Add(start + i, 0.3f * level * v, 0.1f);
  }
}

void AddHat(LoopMix& mix, int start, float level, float decay, Rng& rng) {
  LowPass body;
  Smoother air(12000.0f);
  int length = Frames(decay * 5.0f);
  for (int i = 0; i < length; ++i) {
    float t = Seconds(i);
    float noise = Noise(rng);
    // Above about 7 kHz, with the harshest top softened.
    float hiss = air.Run(noise - body.Run(noise, 7000.0f, 1.0f));
    float tail = std::min(1.0f, static_cast<float>(length - i) / Frames(0.01f));
    mix.Add(start + i, 0.16f * level * hiss * std::exp(-t / decay) * tail, -0.3f);
  }
}

void AddDrums(LoopMix& mix) {
  Rng rng(4242);
  for (int bar = 0; bar < 8; ++bar) {
    int start = bar * kBar;
    for (int beat = 0; beat < 4; ++beat) AddKick(mix, start + beat * kBeat, rng);
    AddSnare(mix, start + kBeat, 1.0f, rng);
    AddSnare(mix, start + 3 * kBeat, 1.0f, rng);
    for (int step = 0; step < 16; ++step) {
      int at = start + step * kBeat / 4;
      bool open = bar % 2 == 1 && step == 14;
      if (open)
        AddHat(mix, at, 0.9f, 0.12f, rng);
      else if (step % 4 == 2)
        AddHat(mix, at, 1.0f, 0.03f, rng);
      else
        AddHat(mix, at, 0.45f, 0.018f, rng);
    }
  }
  // A snare roll into the loop's start.
  for (int step = 12; step < 16; ++step) {
    AddSnare(mix, 7 * kBar + step * kBeat / 4, 0.45f + 0.15f * static_cast<float>(step - 12), rng);
  }
}

}  // namespace

Sound MakeExplosionSound() {
  Rng rng(11);
  LowPass rumble;
  LowPass crackleFilter;
  std::vector<float> out(static_cast<std::size_t>(Frames(1.3f)));
  double thump = 0.0;
  float crackle = 0.0f;
  for (std::size_t i = 0; i < out.size(); ++i) {
    float t = Seconds(static_cast<int>(i));
    float attack = std::min(1.0f, t / 0.004f);
    // Noise through a low-pass whose cutoff falls from 5 kHz to about 100 Hz.
    float cutoff = 100.0f + 4900.0f * std::exp(-t / 0.18f);
    float roar =
        rumble.Run(Noise(rng), cutoff, 0.9f) * (0.75f * std::exp(-t / 0.32f) + 0.25f * std::exp(-t / 0.9f));
    thump += (34.0f + 46.0f * std::exp(-t / 0.12f)) / kRate;
    float boom = std::sin(kTwoPi * static_cast<float>(thump)) * std::exp(-t / 0.28f) * 0.9f;
    // Sparse crackles, fewer and fewer.
    if (rng.Uniform() < 0.0016f * std::exp(-t / 0.22f)) crackle = 1.0f;
    crackle *= 0.995f;
    float pop = crackleFilter.Run(Noise(rng) * crackle, 3000.0f, 1.0f) * 0.6f;
    // Gentle saturation gives the blast more weight.
    out[i] = std::tanh(1.6f * attack * (roar * 2.2f + boom + pop));
  }
  FadeOut(out, 0.08f);
  Normalize(out);
  return {1, std::move(out)};
}

Sound MakeFireSound() {
  Rng rng(12);
  std::vector<float> out(static_cast<std::size_t>(Frames(0.22f)));
  double phase = 0.0;
  double sub = 0.0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    float t = Seconds(static_cast<int>(i));
    float hz = 260.0f + 1500.0f * std::exp(-t / 0.045f);
    phase += hz / kRate;
    sub += hz * 0.5f / kRate;
    float p = kTwoPi * static_cast<float>(phase);
    // A rounded square (tanh of a sine) with a quick wobble, and an octave below for body.
    float tone = std::tanh(3.0f * std::sin(p + 0.8f * std::sin(p * 0.5f))) * 0.7f +
                 std::sin(kTwoPi * static_cast<float>(sub)) * 0.35f;
    float burst = t < 0.006f ? Noise(rng) * (1.0f - t / 0.006f) * 0.6f : 0.0f;
    float envelope = std::min(1.0f, t / 0.002f) * std::exp(-t / 0.075f);
    out[i] = tone * envelope + burst;
  }
  FadeOut(out, 0.03f);
  Normalize(out);
  return {1, std::move(out)};
}

Sound MakeClickSound() {
  Rng rng(13);
  LowPass soften;
  std::vector<float> out(static_cast<std::size_t>(Frames(0.03f)));
  for (std::size_t i = 0; i < out.size(); ++i) {
    float t = Seconds(static_cast<int>(i));
    float tick = std::sin(kTwoPi * 2300.0f * t) * std::exp(-t / 0.003f);
    float knock = std::sin(kTwoPi * 850.0f * t) * std::exp(-t / 0.008f) * 0.6f;
    float noise = Noise(rng);
    float snap = (noise - soften.Run(noise, 2500.0f, 1.0f)) * std::exp(-t / 0.0015f) * 0.5f;
    out[i] = std::min(1.0f, t / 0.0003f) * (tick + knock + snap);
  }
  FadeOut(out, 0.008f);
  Normalize(out);
  return {1, std::move(out)};
}

Sound MakeMusicLoop() {
  LoopMix mix(kLoopFrames);
  AddPads(mix);
  AddBass(mix);
  AddArpeggio(mix);
  AddDrums(mix);
  Sound sound{2, std::vector<float>(static_cast<std::size_t>(kLoopFrames) * 2)};
  for (int i = 0; i < kLoopFrames; ++i) {
    sound.samples[static_cast<std::size_t>(i) * 2] = mix.Left()[static_cast<std::size_t>(i)];
    sound.samples[static_cast<std::size_t>(i) * 2 + 1] = mix.Right()[static_cast<std::size_t>(i)];
  }
  Normalize(sound.samples);
  return sound;
}
