// Text over a pixel area.
#include "raster/text_blend.h"

#include <algorithm>
#include <cstddef>

void BlendCoverage(PixelArea area, const CoverageImage& image, std::int64_t x, std::int64_t y,
                   std::uint32_t rgb) {
  if (area.pixels == nullptr) return;
  const std::int64_t left = std::max<std::int64_t>(x, 0);
  const std::int64_t top = std::max<std::int64_t>(y, 0);
  const std::int64_t right = std::min<std::int64_t>(x + image.width, area.width);
  const std::int64_t bottom = std::min<std::int64_t>(y + image.height, area.height);
  for (std::int64_t py = top; py < bottom; ++py) {
    const std::uint8_t* coverage = image.coverage.data() + std::size_t(py - y) * std::size_t(image.width);
    std::uint32_t* row = area.pixels + std::size_t(py) * std::size_t(area.width);
    for (std::int64_t px = left; px < right; ++px) {
      const std::uint32_t a = coverage[px - x];
      if (a == 0) continue;
      const std::uint32_t below = row[px];
      std::uint32_t mixed = 0;
      for (int shift = 0; shift < 24; shift += 8) {
        const std::uint32_t over = rgb >> shift & 0xFF;
        const std::uint32_t under = below >> shift & 0xFF;
        mixed |= (over * a + under * (255 - a) + 127) / 255 << shift;
      }
      row[px] = mixed;
    }
  }
}
