// How steady the machine itself is: one fixed piece of drawing-like work (blending a screen-sized
// picture into another, as long as a mission frame's drawing takes), repeated at the game's beat
// of 41 a second for a number of seconds. Prints the time of each repetition in milliseconds, one
// per line. bench/frame_beat.py runs it after each fight: a frame is shown late when its work takes
// longer than the recent frames allowed for, and this shows how much longer the machine alone makes
// the very same work now and then.
//
//   build/bench/machine_jitter [seconds]
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "bench/bench_clock.h"

namespace {

constexpr int kPixels = 800 * 600;
constexpr int kPasses = 2;  // about 5 ms here, as long as drawing a busy mission frame
constexpr std::chrono::nanoseconds kBeat{1000000000 / 41};

// Blends `source` over `target` by the source's alpha byte, channel by channel.
void Blend(const std::vector<std::uint32_t>& source, std::vector<std::uint32_t>& target) {
  for (int i = 0; i < kPixels; ++i) {
    const std::uint32_t s = source[i];
    const std::uint32_t d = target[i];
    const std::uint32_t a = s >> 24;
    std::uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
      const std::uint32_t sc = (s >> shift) & 0xFF;
      const std::uint32_t dc = (d >> shift) & 0xFF;
      out |= ((sc * a + dc * (255 - a)) / 255) << shift;
    }
    target[i] = out;
  }
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 20.0;
  std::vector<std::uint32_t> source(kPixels);
  std::vector<std::uint32_t> target(kPixels);
  for (int i = 0; i < kPixels; ++i) source[i] = static_cast<std::uint32_t>(i) * 2654435761u;
  bench::Stopwatch watch;
  auto beat = std::chrono::steady_clock::now();
  const auto end =
      beat + std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::duration<double>(seconds));
  for (; beat < end; beat += kBeat) {
    watch.Start();
    for (int pass = 0; pass < kPasses; ++pass) {
      Blend(source, target);
      asm volatile("" : : "r"(target.data()) : "memory");  // the result counts: the work is not left out
    }
    watch.Stop();
    std::this_thread::sleep_until(beat + kBeat);
  }
  for (const double milliseconds : watch.wall) std::printf("%.3f\n", milliseconds);
  return 0;
}
