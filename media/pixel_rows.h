// Inside the multimedia layer only: the loops that copy rows of pixels for the sprite blits.
#pragma once

#include <cstdint>

// count pixels from `source` to `target`.
void CopyRow(std::uint32_t* target, const std::uint32_t* source, int count);

// The same, leaving out source pixels of the key colour 0 (only the low 24 bits count).
void CopyRowKeyed(std::uint32_t* target, const std::uint32_t* source, int count);
