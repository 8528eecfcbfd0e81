// The pixels of a span whose texels lie on the image: the vector loops sample those without
// clamping, and leave the few at the ends of a row to loops that clamp.
#pragma once

#include "raster/texture_sampling.h"

// Narrows [begin, end) to the pixels n whose position p + n x dp has its whole texel in [low, high].
void KeepInside(Fixed p, Fixed dp, Fixed low, Fixed high, int& begin, int& end);
