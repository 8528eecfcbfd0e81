// The millisecond tick count: time since the system started, not since the program did.
#include "base/tick_count.h"

#include <time.h>

namespace {

std::int32_t testOffset = 0;  // milliseconds added to the count; only tests set it

}  // namespace

std::int32_t GetTickCount() {
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  const std::uint64_t milliseconds =
      static_cast<std::uint64_t>(now.tv_sec) * 1000u + static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
  // Only the low 32 bits count: the value wraps like the 32-bit counter the game compares.
  return AddTicks(static_cast<std::int32_t>(static_cast<std::uint32_t>(milliseconds)), testOffset);
}

std::int32_t AddTicks(std::int32_t ticks, std::int32_t milliseconds) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(ticks) +
                                   static_cast<std::uint32_t>(milliseconds));
}

std::int32_t TicksBetween(std::int32_t from, std::int32_t to) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(to) - static_cast<std::uint32_t>(from));
}

void SetTickCountOffsetForTests(std::int32_t milliseconds) {
  testOffset = milliseconds;
}
