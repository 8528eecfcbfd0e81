// Large quads drawn by two threads at once, each its own band of rows, so that the sparks of a big explosion
// in front of the viewer do not hold up the frame.
#pragma once

#include "raster/quad_raster.h"

// Draws the quad into the target. One covering many pixels is split into an upper and a lower band
// of rows, the lower one drawn by a second thread where the machine has a second core; every row is
// drawn exactly as it would be alone, so the pixels are the same either way.
void DrawQuadInBands(const QuadPaint& quad, PixelArea target, const RowKernels& kernels = ChosenRowKernels());

// Ends the second thread (it is made again when needed); part of the shutdown of whoever draws.
void StopBandThread();

// Pixels a quad's bounding box must cover on the target before it is split; 0 splits every quad.
// Tests and benchmarks set it to compare both ways; the game keeps the default. Returns the old value.
long SetBandThreshold(long pixels);
