// Frame pacing at rates 20 and 40, first waiting only, then presenting blank frames on the real
// display: the frames per second reached and the processor time spent, as a share of one core.
// Run under a display, e.g.: xvfb-run -s "-screen 0 1024x768x24" build/bench/frame_rate_bench [seconds]
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "platform/display.h"
#include "platform/frame_pacing.h"
#include "platform/multimedia.h"

namespace {

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void Measure(const char* what, int rate, double duration) {
  SetFrameRate(rate);
  PresentFrame();  // the first present after SetFrameRate starts the period
  const auto start = std::chrono::steady_clock::now();
  const double cpuStart = CpuSeconds();
  long frames = 0;
  double elapsed = 0;
  while (elapsed < duration) {
    PresentFrame();
    ++frames;
    elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  const double cpu = CpuSeconds() - cpuStart;
  const double fps = frames / elapsed;
  const int target = rate + 1;
  std::printf(
      "%-14s rate %d: %ld frames in %.2f s = %.3f frames/s (target %d, %+.2f %%), CPU %.2f %% of one core\n",
      what, rate, frames, elapsed, fps, target, 100.0 * (fps - target) / target, 100.0 * cpu / elapsed);
}

}  // namespace

int main(int argc, char** argv) {
  const double duration = argc > 1 ? std::atof(argv[1]) : 10.0;
  if (duration <= 0) {
    std::fprintf(stderr, "usage: frame_rate_bench [seconds per measurement, default 10]\n");
    return 2;
  }
  // Before the display is open, PresentFrame only waits: the cost of the pacing alone.
  Measure("pacing only", 20, duration);
  Measure("pacing only", 40, duration);
  if (InitDisplay() == 0 || OpenDisplay(800, 600, 32, "Space") == 0) {
    std::fprintf(stderr, "frame_rate_bench: the display could not be opened\n");
    ShutdownMultimedia();
    return 1;
  }
  Measure("blank frames", 20, duration);
  Measure("blank frames", 40, duration);
  ShutdownMultimedia();
  return 0;
}
