// Texels as quads sample them: blue, green, red and coverage as four 16-bit lanes of a 64-bit value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Coverage is 255 for every texel but the key colour black, whose lanes are all 0.
std::vector<std::uint64_t> MakeTexelLanes(const std::uint32_t* texels, std::size_t count);
