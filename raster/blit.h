// Copies between pixel areas: sprites onto the screen, a part of the screen into a sprite.
#pragma once

#include "raster/pixels.h"
#include "raster/row_kernels.h"

// Copies `source` with its top-left corner at (x, y) of `target`, clipped to the target; keyed
// leaves out the pixels of the key colour, else every pixel is copied, black included.
void BlitArea(PixelArea target, PixelArea source, int x, int y, bool keyed,
              const RowKernels& kernels = ChosenRowKernels());

// Fills `target` with the rectangle of its size at (x, y) of `source`; the part of the rectangle
// that lies off the source leaves the target's pixels as they are.
void CopyRectangle(PixelArea target, PixelArea source, int x, int y);
