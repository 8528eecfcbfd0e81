// The row loops on vector registers, several pixels at a time. Where the build has none (another
// processor, or SPACE_SIMD=OFF) the plain loops draw everything.
#pragma once

#include "raster/row_kernels.h"

// The vector set, or nullptr in a build without one.
const RowKernels* VectorRowKernels();
