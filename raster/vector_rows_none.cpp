// A build without vector row loops: the plain ones draw everything.
#include "raster/vector_rows.h"

const RowKernels* VectorRowKernels() {
  return nullptr;
}
