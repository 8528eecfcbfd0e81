// Every sound of the game, synthesised at 44100 samples per second.
#pragma once

#include <vector>

inline constexpr int kSampleRate = 44100;

struct Sound {
  int channels = 1;            // 1 mono, 2 stereo
  std::vector<float> samples;  // interleaved frames, -1 to 1
};

Sound MakeExplosionSound();  // about 1.3 s: a noise burst whose brightness falls, over a deep thump
Sound MakeFireSound();       // about 0.2 s: a laser shot falling in pitch
Sound MakeClickSound();      // 30 ms
// About 15 s of music, stereo, in which the last frame leads into the first without a step:
// 8 bars at 126 beats a minute (21000 frames a beat) of bass, chords, arpeggio and drums.
Sound MakeMusicLoop();
inline constexpr int kLoopFrames = 32 * 21000;
