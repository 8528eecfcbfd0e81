// Texels as 16-bit lanes.
#include "raster/texel_lanes.h"

#include "raster/pixels.h"

std::vector<std::uint64_t> MakeTexelLanes(const std::uint32_t* texels, std::size_t count) {
  std::vector<std::uint64_t> lanes(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint64_t texel = texels[i] & 0xFFFFFF;
    lanes[i] = (texel & 0xFF) | (texel >> 8 & 0xFF) << 16 | (texel >> 16) << 32 |
               std::uint64_t(IsKeyColour(texels[i]) ? 0 : 255) << 48;
  }
  return lanes;
}
