// Frame times of the heaviest mission moments through the real renderer: the whole fleet in
// view under continuous weapon-4 fire, and the final blast of the destruction sequence.
//
// Run from any folder; the art is loaded from img/ beside the program's own folder (the build):
//   xvfb-run -s "-screen 0 1024x768x24" build/bench/mission_bench      (OpenGL under Xvfb)
//   SDL_VIDEODRIVER=dummy build/bench/mission_bench                    (software renderer)
// Arguments "fleet" or "blast" run one of the two.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <vector>

#include "base/program_folder.h"
#include "base/random.h"
#include "base/tick_count.h"
#include "game/main_loop.h"
#include "game/resources.h"
#include "media/display.h"
#include "media/input.h"
#include "media/input_injection.h"
#include "media/quad_bands.h"
#include "mission/controls.h"
#include "mission/game_state.h"
#include "mission/mission_display.h"
#include "mission/mission_progress.h"

namespace {

using Clock = std::chrono::steady_clock;

void StartLayer() {
  InitMultimedia();
  // The art lies in the build folder, one above the bench program.
  std::filesystem::current_path(std::filesystem::path(ProgramFolder()) / "..");
  LoadResources();
}

// One mission frame in the game's order, timed in milliseconds.
double TimedFrame() {
  const Clock::time_point start = Clock::now();
  EaseAim();
  ReadMissionInput();
  AdvanceMission();
  UpdateObjects();
  DrawMissionFrame();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void Report(const char* name, std::vector<double> times, const char* note) {
  std::sort(times.begin(), times.end());
  const double median = times[times.size() / 2];
  const double p99 = times[std::min(times.size() - 1, times.size() * 99 / 100)];
  std::printf("%-14s %5zu frames  median %7.2f ms  p99 %7.2f ms  %s\n", name, times.size(), median, p99,
              note);
}

// A fresh unpaced mission, past its approach, with the ship standing still.
void StartBenchMission() {
  SeedRandom(2026u);
  StartMission();
  SetFrameRate(0);
  approachPhase = 0;
  speed = 0;
  shipX = 0.0f;
}

// All 40 aliens spread over the screen at every depth, unbreakable and still; the trigger is held
// with weapon 4. Frames run unpaced, so the 400 ms fire interval is counted on a game clock of 41
// frames a second (the paced rate) instead of the real one: a volley every 16 or 17 frames.
void FleetUnderFire(int frames) {
  StartBenchMission();
  for (int i = 0; i < aliens.Count(); ++i) {
    Alien& alien = aliens.At(i);
    // Screen offsets of 90 pixels across and 70 down: x = offset x z / 100.
    alien.x = (static_cast<float>(i % 8) - 3.5f) * 90.0f * alien.z / 100.0f;
    alien.y = (static_cast<float>(i / 8) - 2.0f) * 70.0f * alien.z / 100.0f;
    alien.drift = 0.0f;
    alien.hitPoints = 1 << 30;
  }
  weapon = 4;
  SetMousePos(400, 300);
  InjectMouseButton(1, true);
  std::vector<double> times;
  int gameNextShotMs = 0;
  for (int frame = 0; frame < frames; ++frame) {
    const int gameMs = frame * 1000 / 41;
    const bool mayFire = gameMs >= gameNextShotMs;
    if (mayFire) gameNextShotMs = gameMs + 400;
    nextShotTime = mayFire ? GetTickCount() : GetTickCount() + 1000000;
    energy = 1330.0f;
    hull = 4000;
    times.push_back(TimedFrame());
  }
  InjectMouseButton(1, false);
  char note[64];
  std::snprintf(note, sizeof note, "(%d shots, %d sparks at the end)", shots.Count(), sparks.Count());
  Report("fleet+weapon4", times, note);
  std::fflush(stdout);
}

// The destruction sequence from its first frame; the frames from the final blast (missionResult
// 300) to the end are timed.
void FinalBlast() {
  StartBenchMission();
  hull = -1;
  std::vector<double> times;
  int mostSparks = 0;
  while (leaveLoop == 0) {
    const double ms = TimedFrame();
    if (missionResult >= 300) {
      times.push_back(ms);
      mostSparks = std::max(mostSparks, sparks.Count());
    }
  }
  char note[64];
  std::snprintf(note, sizeof note, "(up to %d sparks)", mostSparks);
  Report("final blast", times, note);
}

}  // namespace

// Arguments: the scenarios to run, "fleet" and/or "blast"; both without arguments.
int main(int argc, char** argv) {
  bool fleet = argc == 1;
  bool blast = argc == 1;
  for (int i = 1; i < argc; ++i) {
    fleet = fleet || std::strcmp(argv[i], "fleet") == 0;
    blast = blast || std::strcmp(argv[i], "blast") == 0;
    if (std::strcmp(argv[i], "one-thread") == 0) SetBandThreshold(std::numeric_limits<long>::max());
  }
  if (!fleet && !blast) fleet = blast = true;
  StartLayer();
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  std::printf("video driver: %s\n", driver != nullptr ? driver : "(default)");
  std::fflush(stdout);
  if (fleet) FleetUnderFire(600);
  if (blast) FinalBlast();
  ShutdownMultimedia();
  return 0;
}
