// The pixels of a span whose texels lie on the image.
#include "raster/inside_texels.h"

#include <algorithm>
#include <cmath>

void KeepInside(Fixed p, Fixed dp, Fixed low, Fixed high, int& begin, int& end) {
  const Fixed from = low << 16;       // first position inside
  const Fixed to = (high + 1) << 16;  // first position beyond
  // In doubles: exact for these magnitudes, and far quicker than dividing 64-bit integers.
  const auto ceilDiv = [](Fixed a, Fixed b) { return Fixed(std::ceil(double(a) / double(b))); };
  const Fixed last = p + dp * (end - 1);
  if (p >= from && p < to && last >= from && last < to) return;  // all inside: no division needed
  if (dp == 0) {
    end = begin;
    return;
  }
  Fixed first;
  Fixed beyond;
  if (dp > 0) {
    first = ceilDiv(from - p, dp);
    beyond = ceilDiv(to - p, dp);
  } else {
    first = ceilDiv(to - 1 - p, dp);
    beyond = ceilDiv(from - 1 - p, dp);
  }
  begin = int(std::clamp<Fixed>(first, begin, end));
  end = int(std::clamp<Fixed>(beyond, begin, end));
}
