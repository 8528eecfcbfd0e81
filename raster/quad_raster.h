// A quad's two triangles rasterised into a pixel area.
#pragma once

#include "raster/pixels.h"
#include "raster/quad_paint.h"
#include "raster/row_kernels.h"

// Draws the triangles 0-1-2 and 1-2-3 of the quad, each with the texture mapped affinely. A pixel
// is covered when its centre lies inside a triangle (centres on a left or top edge count, on a right
// or bottom edge not), so triangles that share an edge never both cover a pixel. Only the rows
// firstRow to endRow - 1 are touched. Every set of row kernels gives the same pixels.
void RasteriseQuad(const QuadPaint& quad, PixelArea target, int firstRow, int endRow,
                   const RowKernels& kernels = ChosenRowKernels());
