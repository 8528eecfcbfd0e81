// Frame times of the heaviest mission moments through the real renderer: the whole fleet in
// view under continuous weapon-4 fire, and the destruction sequence with its final blast; then the
// resident memory.
//
// Run from any folder; the art is loaded from img/ beside the program's own folder (the build):
//   xvfb-run -a -s "-screen 0 1024x768x24" build/bench/mission_bench          (window surface)
//   SDL_RENDER_DRIVER=opengl xvfb-run -a ... build/bench/mission_bench        (OpenGL renderer)
// Arguments: "fleet" or "blast" run one of the two; "one-thread" draws every quad on one thread;
// "between" draws the fleet three times a step, between the last two steps (as at 120 frames a
// second), and times the frames apart from the steps.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <string>

#include "base/program_folder.h"
#include "base/random.h"
#include "base/tick_count.h"
#include "bench/bench_clock.h"
#include "game/main_loop.h"
#include "game/resources.h"
#include "mission/game_state.h"
#include "mission/mission_display.h"
#include "mission/mission_progress.h"
#include "mission/mission_step.h"
#include "platform/display.h"
#include "platform/frame_pacing.h"
#include "platform/input.h"
#include "platform/multimedia.h"
#include "platform/testing/input_injection.h"
#include "raster/quad_bands.h"

namespace {

void StartLayer() {
  OpenGameScreen();
  // The art lies in the build folder, one above the bench program.
  std::filesystem::current_path(std::filesystem::path(ProgramFolder()) / "..");
  LoadResources();
}

// One mission frame of the game's loop.
void TimedFrame(bench::Stopwatch& watch) {
  watch.Start();
  MissionFrame();
  watch.Stop();
}

// A fresh unpaced mission, past its approach, with the ship standing still.
void StartBenchMission() {
  SeedRandom(2026u);
  StartMission();
  SetFrameRate(0);
  world.approachPhase = 0;
  world.speed = 0;
  world.shipX = 0.0f;
}

// One step and the frames drawn after it at fractions 1/3, 2/3 and 1 of the next step.
void TimedStepAndFrames(bench::Stopwatch& steps, bench::Stopwatch& frames) {
  steps.Start();
  MissionStep();
  steps.Stop();
  for (int k = 1; k <= 3; ++k) {
    frames.Start();
    DrawMissionFrame(static_cast<float>(k) / 3.0f);
    frames.Stop();
  }
}

// All 40 aliens spread over the screen at every depth, unbreakable and still; the trigger is held
// with weapon 4. Steps run unpaced, so the 400 ms fire interval is counted on a game clock of 41
// steps a second (the paced rate) instead of the real one: a volley every 16 or 17 steps.
void FleetUnderFire(int stepCount, bool between) {
  StartBenchMission();
  for (int i = 0; i < world.aliens.Count(); ++i) {
    Alien& alien = world.aliens.At(i);
    // Screen offsets of 90 pixels across and 70 down: x = offset x z / 100.
    alien.x = (static_cast<float>(i % 8) - 3.5f) * 90.0f * alien.z / 100.0f;
    alien.y = (static_cast<float>(i / 8) - 2.0f) * 70.0f * alien.z / 100.0f;
    alien.drift = 0.0f;
    alien.hitPoints = 1 << 30;
  }
  game.weapon = 4;
  SetMousePos(400, 300);
  InjectMouseButton(1, true);
  bench::Stopwatch watch;
  bench::Stopwatch steps;
  int gameNextShotMs = 0;
  for (int step = 0; step < stepCount; ++step) {
    const int gameMs = step * 1000 / 41;
    const bool mayFire = gameMs >= gameNextShotMs;
    if (mayFire) gameNextShotMs = gameMs + 400;
    game.nextShotTime = mayFire ? GetTickCount() : AddTicks(GetTickCount(), 400);
    world.energy = 1330.0f;
    world.hull = 4000;
    if (between) {
      TimedStepAndFrames(steps, watch);
    } else {
      TimedFrame(watch);
    }
  }
  InjectMouseButton(1, false);
  bench::Print(between ? "40 aliens, frames between steps" : "40 aliens under weapon-4 fire", watch,
               std::to_string(world.shots.Count()) + " shots, " + std::to_string(world.sparks.Count()) +
                   " sparks at the end");
  if (between) bench::Print("the steps of those frames", steps);
}

// The destruction sequence from its first frame: the frames before the final blast (destructionFrames
// 300), and those from it to the end.
void FinalBlast() {
  StartBenchMission();
  world.hull = -1;
  bench::Stopwatch before;
  bench::Stopwatch blast;
  int mostSparks = 0;
  while (game.leaveLoop == 0) {
    TimedFrame(game.destructionFrames >= 300 ? blast : before);
    mostSparks = std::max(mostSparks, world.sparks.Count());
  }
  bench::Print("destruction before the final blast", before);
  bench::Print("final blast to the end", blast, "up to " + std::to_string(mostSparks) + " sparks");
}

}  // namespace

int main(int argc, char** argv) {
  bool fleet = false;
  bool blast = false;
  bool oneThread = false;
  bool between = false;
  for (int i = 1; i < argc; ++i) {
    fleet = fleet || std::strcmp(argv[i], "fleet") == 0;
    blast = blast || std::strcmp(argv[i], "blast") == 0;
    oneThread = oneThread || std::strcmp(argv[i], "one-thread") == 0;
    between = between || std::strcmp(argv[i], "between") == 0;
  }
  if (!fleet && !blast) fleet = blast = true;
  if (oneThread) SetBandThreshold(std::numeric_limits<long>::max());
  StartLayer();
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  std::printf("video driver %s, frames shown through the %s, %s\n", driver != nullptr ? driver : "(default)",
              PresentPathName(), oneThread ? "one thread" : "large quads on two threads");
  std::fflush(stdout);
  if (fleet) FleetUnderFire(600, between);
  if (blast) FinalBlast();
  long resident = 0;
  long peak = 0;
  bench::ResidentMemory(resident, peak);
  std::printf("resident memory %ld KiB, at most %ld KiB\n", resident, peak);
  ShutdownMultimedia();
  return 0;
}
