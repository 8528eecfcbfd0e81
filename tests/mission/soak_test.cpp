// The short soak: a minute of missions one after another on the headless layer, flown by an
// automatic pilot with random input; the resident memory may not grow after the first ten seconds.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "soak_pilot.h"

namespace {

constexpr double kSoakSeconds = 60.0;
constexpr double kWarmSeconds = 10.0;
constexpr long kMostGrowthKiB = 1024;

// Exits with 0 when the run kept its memory, 1 otherwise; the figures go to stderr.
[[noreturn]] void SoakAndExit() {
  const soak::Figures figures = soak::Run(kSoakSeconds, kWarmSeconds, 1u, true).Go();
  soak::Print(figures, stderr);
  const bool kept = figures.opened && figures.missions >= 2 && figures.warmKiB > 0 &&
                    figures.endKiB - figures.warmKiB < kMostGrowthKiB;
  std::fflush(stderr);
  std::_Exit(kept ? 0 : 1);
}

// The run loads every resource into the layer and shuts it down at the end. It runs in a fresh
// process of its own (the death-test machinery starts this program again for this test alone),
// so that the other tests' layer stays as they left it and the memory figures are the run's own.
TEST(Soak, AMinuteOfMissionsKeepsTheResidentMemory) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(SoakAndExit(), ::testing::ExitedWithCode(0), "resident memory")
      << "missions and menu stays for a minute: at least two missions, and the resident memory grows "
         "by less than 1 MiB after the first ten seconds";
}

}  // namespace
