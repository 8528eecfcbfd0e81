// Shared by the benchmarks: clocks for one measured piece of work, and how its times are printed.
#pragma once

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace bench {

inline double Milliseconds(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Wall-clock and processor time (all threads of the process) of what runs between Start and Stop.
struct Stopwatch {
  double wallStart = 0;
  double cpuStart = 0;
  std::vector<double> wall;  // milliseconds, one entry per Stop
  std::vector<double> cpu;

  void Start() {
    wallStart = Milliseconds(CLOCK_MONOTONIC);
    cpuStart = Milliseconds(CLOCK_PROCESS_CPUTIME_ID);
  }
  void Stop() {
    wall.push_back(Milliseconds(CLOCK_MONOTONIC) - wallStart);
    cpu.push_back(Milliseconds(CLOCK_PROCESS_CPUTIME_ID) - cpuStart);
  }
};

// Median and 99th percentile of `times`.
inline void Percentiles(std::vector<double> times, double& median, double& p99) {
  if (times.empty()) {
    median = p99 = 0;
    return;
  }
  std::sort(times.begin(), times.end());
  median = times[times.size() / 2];
  p99 = times[std::min(times.size() - 1, times.size() * 99 / 100)];
}

inline void Print(const char* name, const Stopwatch& watch, const std::string& note = "") {
  double cpuMedian = 0, cpuP99 = 0, wallMedian = 0, wallP99 = 0;
  Percentiles(watch.cpu, cpuMedian, cpuP99);
  Percentiles(watch.wall, wallMedian, wallP99);
  std::printf("%-34s %5zu frames  processor median %6.2f p99 %6.2f ms  wall median %6.2f p99 %6.2f ms  %s\n",
              name, watch.wall.size(), cpuMedian, cpuP99, wallMedian, wallP99, note.c_str());
  std::fflush(stdout);
}

// Resident and peak resident memory of this process, in KiB (0 where /proc is missing).
inline void ResidentMemory(long& residentKiB, long& peakKiB) {
  residentKiB = peakKiB = 0;
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    std::sscanf(line.c_str(), "VmRSS: %ld", &residentKiB);
    std::sscanf(line.c_str(), "VmHWM: %ld", &peakKiB);
  }
}

}  // namespace bench
