// Copies between pixel areas, row by row.
#include "raster/blit.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace {

std::uint32_t* PixelAt(PixelArea area, long long x, long long y) {
  return area.pixels + std::size_t(y) * std::size_t(area.width) + std::size_t(x);
}

}  // namespace

void BlitArea(PixelArea target, PixelArea source, int x, int y, bool keyed, const RowKernels& kernels) {
  if (target.pixels == nullptr || source.pixels == nullptr) return;
  int w = source.width;
  int h = source.height;
  if (x >= target.width || y >= target.height || x <= -w || y <= -h) return;
  if (x + w > target.width) w = target.width - x;
  if (y + h > target.height) h = target.height - y;
  const int left = x < 0 ? -x : 0;
  const int top = y < 0 ? -y : 0;
  for (int row = top; row < h; ++row) {
    const std::uint32_t* from = PixelAt(source, left, row);
    std::uint32_t* to = PixelAt(target, x + left, y + row);
    if (keyed) {
      kernels.copyRowKeyed(to, from, w - left);
    } else {
      std::memcpy(to, from, std::size_t(w - left) * sizeof *from);
    }
  }
}

void CopyRectangle(PixelArea target, PixelArea source, int x, int y) {
  if (target.pixels == nullptr || source.pixels == nullptr) return;
  const long long left = std::clamp<long long>(x, 0, source.width);
  const long long right = std::clamp<long long>(static_cast<long long>(x) + target.width, 0, source.width);
  if (left >= right) return;
  for (int row = 0; row < target.height; ++row) {
    const long long sourceRow = static_cast<long long>(y) + row;
    if (sourceRow < 0 || sourceRow >= source.height) continue;
    std::memcpy(PixelAt(target, left - x, row), PixelAt(source, left, sourceRow),
                std::size_t(right - left) * sizeof(std::uint32_t));
  }
}
