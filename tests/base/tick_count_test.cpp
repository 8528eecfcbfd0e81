// Tests of the millisecond tick count.
#include "base/tick_count.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <thread>

namespace {

// The time since the system started, from the kernel's own report, in milliseconds (10 ms steps).
std::uint32_t UptimeMilliseconds() {
  std::ifstream uptime("/proc/uptime");
  double seconds = 0;
  uptime >> seconds;
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(seconds * 1000.0));
}

}  // namespace

TEST(TickCount, CountsFromSystemStart) {
  const std::uint32_t before = UptimeMilliseconds();
  const std::int32_t ticks = GetTickCount();
  const std::uint32_t after = UptimeMilliseconds();
  // Differences of wrapping 32-bit counts, taken as signed.
  const auto sinceBefore = static_cast<std::int32_t>(static_cast<std::uint32_t>(ticks) - before);
  const auto untilAfter = static_cast<std::int32_t>(after - static_cast<std::uint32_t>(ticks));
  EXPECT_GE(sinceBefore, -20) << "the tick count is the time since the system started, not the program";
  EXPECT_GE(untilAfter, -20) << "the tick count is the time since the system started, not the program";
}

TEST(TickCount, AdvancesInMilliseconds) {
  const std::int32_t start = GetTickCount();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  const auto elapsed = static_cast<std::int32_t>(static_cast<std::uint32_t>(GetTickCount()) -
                                                 static_cast<std::uint32_t>(start));
  EXPECT_GE(elapsed, 49) << "50 ms of sleep advance the count by about 50";
}

TEST(TickCount, SumsAndDifferencesWrapAroundLikeTheCounter) {
  EXPECT_EQ(AddTicks(1000, 250), 1250);
  EXPECT_EQ(AddTicks(INT32_MAX - 100, 500), INT32_MIN + 399)
      << "half a second before the wrap the sum wraps to the counter's negative values";
  EXPECT_EQ(AddTicks(-1, 400), 399) << "past the wrap the counter reads from 0 again";
  EXPECT_EQ(TicksBetween(1250, 1000), -250) << "a count that comes first lies before";
  EXPECT_EQ(TicksBetween(INT32_MAX - 100, INT32_MIN + 399), 500) << "half a second across the wrap";
  EXPECT_EQ(TicksBetween(INT32_MIN + 399, INT32_MAX - 100), -500);
}

TEST(TickCount, TestsSetTheUptime) {
  const std::int32_t system = GetTickCount();
  SetTickCountOffsetForTests(TicksBetween(system, INT32_MAX - 5));
  const std::int32_t shifted = GetTickCount();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  const std::int32_t later = GetTickCount();
  SetTickCountOffsetForTests(0);
  EXPECT_GE(TicksBetween(INT32_MAX - 5, shifted), 0);
  EXPECT_LT(TicksBetween(INT32_MAX - 5, shifted), 5);
  EXPECT_LT(later, 0) << "the shifted count turns negative as a machine's after 24.8 days";
  EXPECT_GE(TicksBetween(shifted, later), 19);
  EXPECT_LT(std::abs(TicksBetween(system, GetTickCount())), 1000) << "offset 0 is the system's count again";
}
