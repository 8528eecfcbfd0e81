// The row loops on vector registers, several pixels at a time: a set for SSE2 (every x86-64
// processor) and one for AVX2, which leaves the loops it lacks to the SSE2 set. Where the build has
// none (another processor, or SPACE_SIMD=OFF) the plain loops draw everything.
#pragma once

#include "raster/row_kernels.h"

// The SSE2 set, or nullptr in a build without it.
const RowKernels* Sse2RowKernels();

// The AVX2 set, or nullptr in a build without it: only for a processor that has AVX2. The loops it
// leaves out are null; UsableRowKernels fills them in from the SSE2 set.
const RowKernels* Avx2RowKernels();
