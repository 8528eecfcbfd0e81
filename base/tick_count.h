// Milliseconds since the system started, as a 32-bit value that wraps.
#pragma once

#include <cstdint>

std::int32_t GetTickCount();
