// The row loops in plain C++, one pixel at a time: built everywhere, and the fallback that the
// vector loops hand the ends of their rows to.
#pragma once

#include "raster/row_kernels.h"

const RowKernels& PlainRowKernels();
