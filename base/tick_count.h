// Milliseconds since the system started, as a 32-bit value that wraps.
#pragma once

#include <cstdint>

std::int32_t GetTickCount();

// `ticks` + `milliseconds` as the counter would read that much later: wrapping at 32 bits, never
// overflowing a signed int.
std::int32_t AddTicks(std::int32_t ticks, std::int32_t milliseconds);

// Milliseconds from tick count `from` to `to` (negative when `to` comes first), across the wrap.
std::int32_t TicksBetween(std::int32_t from, std::int32_t to);
