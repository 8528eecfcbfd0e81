// Rectangles and lines in one colour.
#include "raster/shapes.h"

#include <algorithm>
#include <cstddef>

namespace {

void PaintPixel(std::uint32_t& pixel, Paint paint) {
  pixel = paint.invert ? pixel ^ 0xFFFFFF : paint.rgb;
}

// Rounds numerator / denominator (denominator > 0) to the nearest integer, halves upwards.
std::int64_t RoundedQuotient(__int128 numerator, std::int64_t denominator) {
  const __int128 twice = 2 * numerator + denominator;
  __int128 quotient = twice / (2 * static_cast<__int128>(denominator));
  if (twice % (2 * static_cast<__int128>(denominator)) < 0) --quotient;  // floor, not truncation
  return static_cast<std::int64_t>(quotient);
}

}  // namespace

void FillRectangle(PixelArea area, std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height,
                   Paint paint) {
  if (area.pixels == nullptr || width <= 0 || height <= 0) return;
  const std::int64_t left = std::max<std::int64_t>(x, 0);
  const std::int64_t top = std::max<std::int64_t>(y, 0);
  const std::int64_t right = std::min<std::int64_t>(x + width, area.width);
  const std::int64_t bottom = std::min<std::int64_t>(y + height, area.height);
  for (std::int64_t row = top; row < bottom; ++row) {
    std::uint32_t* pixels = area.pixels + std::size_t(row) * std::size_t(area.width);
    for (std::int64_t column = left; column < right; ++column) PaintPixel(pixels[column], paint);
  }
}

void OutlineRectangle(PixelArea area, std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height,
                      Paint paint) {
  if (width <= 0 || height <= 0) return;
  FillRectangle(area, x, y, width, 1, paint);
  if (height > 1) FillRectangle(area, x, y + height - 1, width, 1, paint);
  if (height > 2) {
    FillRectangle(area, x, y + 1, 1, height - 2, paint);
    if (width > 1) FillRectangle(area, x + width - 1, y + 1, 1, height - 2, paint);
  }
}

void DrawLine(PixelArea area, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
              Paint paint) {
  if (area.pixels == nullptr) return;
  const std::int64_t dx = x1 - x0;
  const std::int64_t dy = y1 - y0;
  const bool alongX = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
  const std::int64_t major0 = alongX ? x0 : y0;
  const std::int64_t minor0 = alongX ? y0 : x0;
  const std::int64_t majorDelta = alongX ? dx : dy;
  const std::int64_t minorDelta = alongX ? dy : dx;
  const std::int64_t majorExtent = alongX ? area.width : area.height;
  const std::int64_t minorExtent = alongX ? area.height : area.width;
  const std::int64_t steps = majorDelta < 0 ? -majorDelta : majorDelta;
  if (steps == 0) return;
  const std::int64_t direction = majorDelta < 0 ? -1 : 1;
  // Only the steps whose major coordinate lies on the area are visited.
  const std::int64_t first = std::max<std::int64_t>(direction > 0 ? -major0 : major0 - (majorExtent - 1), 0);
  const std::int64_t last =
      std::min<std::int64_t>(direction > 0 ? majorExtent - 1 - major0 : major0, steps - 1);
  for (std::int64_t step = first; step <= last; ++step) {
    const std::int64_t major = major0 + direction * step;
    const std::int64_t minor = minor0 + RoundedQuotient(static_cast<__int128>(step) * minorDelta, steps);
    if (minor < 0 || minor >= minorExtent) continue;
    const std::int64_t px = alongX ? major : minor;
    const std::int64_t py = alongX ? minor : major;
    PaintPixel(area.pixels[std::size_t(py) * std::size_t(area.width) + std::size_t(px)], paint);
  }
}
