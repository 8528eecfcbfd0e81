// A build without vector row loops: the plain ones draw everything.
#include "raster/vector_rows.h"

const RowKernels* Sse2RowKernels() {
  return nullptr;
}

const RowKernels* Avx2RowKernels() {
  return nullptr;
}
