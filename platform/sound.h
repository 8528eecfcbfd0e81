// Numbered sound slots loaded from WAV files, played once or looping, with a volume of 0 to 100.
// Without an audio device every operation silently does nothing.
#pragma once

int InitAudio();                        // nonzero on success
int LoadWave(int n, const char* path);  // nonzero on success; a bad file leaves slot n as it was
void PlayWave(int n, int loop);         // from the start; restarts a slot that is playing
constexpr int kAllWaves = -1;           // StopWave of every slot
void StopWave(int n);                   // stops and rewinds slot n, or every slot
void SetWaveVolume(int n, int volume);  // clamped to 0 to 100, logarithmic
// Holds every sound where it is (true), or lets them all play on from there (false).
void PauseWaves(bool paused);
void ReleaseAudio();

// Attenuation in hundredths of a decibel that volume v (clamped) stands for: -10000 at 0, 0 at 100.
int WaveAttenuation(int volume);
bool IsWavePlaying(int n);  // true while slot n plays
int WaveTableSize();        // slots: 50 after InitAudio, n + 50 once slot n beyond them is loaded
