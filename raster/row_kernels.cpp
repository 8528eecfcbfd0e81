// The choice of row loops.
#include "raster/row_kernels.h"

#include "raster/plain_rows.h"
#include "raster/vector_rows.h"

const RowKernels& FastestRowKernels() {
  const RowKernels* vector = VectorRowKernels();
  return vector != nullptr ? *vector : PlainRowKernels();
}
