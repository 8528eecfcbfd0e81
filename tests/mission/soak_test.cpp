// The short soak: a minute of missions one after another on the headless layer, flown by an
// automatic pilot with random input; the resident memory may not grow after the warm-up.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "soak_pilot.h"

namespace {

constexpr double kSoakSeconds = 60.0;
constexpr double kWarmSeconds = 10.0;
constexpr long kMostGrowthKiB = 1024;

// AddressSanitizer holds freed memory back in its quarantine, so there the resident figure says
// nothing; the run still has to finish without a report, and the leak check runs at its exit.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMemoryFiguresCount = false;
#else
constexpr bool kMemoryFiguresCount = true;
#endif

// Exits with 0 when the run went through its warm-up and kept its memory (with a sanitizer: when
// it played a mission), 1 otherwise; the figures go to stderr.
[[noreturn]] void SoakAndExit() {
  const soak::Figures figures = soak::Run(kSoakSeconds, kWarmSeconds, 1u).Go();
  soak::Print(figures, stderr);
  const bool kept = kMemoryFiguresCount
                        ? figures.warmKiB > 0 && figures.endKiB - figures.warmKiB < kMostGrowthKiB
                        : figures.missions > 0;
  std::fflush(stderr);
  std::exit(figures.opened && kept ? 0 : 1);
}

// The run loads every resource into the layer and shuts it down at the end. It runs in a fresh
// process of its own (the death-test machinery starts this program again for this test alone),
// so that the other tests' layer stays as they left it and the memory figures are the run's own.
TEST(Soak, AMinuteOfMissionsKeepsTheResidentMemory) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(SoakAndExit(), ::testing::ExitedWithCode(0), "resident memory")
      << "a minute of missions and menu stays gets through the warm-up (a mission ending each way) "
         "and grows the resident memory by less than 1 MiB after it";
}

}  // namespace
