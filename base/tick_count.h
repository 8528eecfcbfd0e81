// Milliseconds since the system started, as a 32-bit value that wraps.
#pragma once

#include <cstdint>

// Read as a signed number the count turns negative after 24.8 days of uptime and wraps to 0 after
// 49.7: tick counts are only ever compared by their difference (TicksBetween), never by < or >.
std::int32_t GetTickCount();

// `ticks` + `milliseconds` as the counter would read that much later: wrapping at 32 bits, never
// overflowing a signed int.
std::int32_t AddTicks(std::int32_t ticks, std::int32_t milliseconds);

// Milliseconds from tick count `from` to `to` (negative when `to` comes first), across the wrap.
std::int32_t TicksBetween(std::int32_t from, std::int32_t to);

// Test support: every later GetTickCount reads `milliseconds` more than the system's count, as on a
// machine up that much longer (wrapping alike). 0, the start, gives the system's count itself.
void SetTickCountOffsetForTests(std::int32_t milliseconds);
