// The choice of row loops: the plain set, then each vector set that the build has and the processor
// runs, each taking the loops it lacks from the set before it.
#include "raster/row_kernels.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "raster/plain_rows.h"
#include "raster/vector_rows.h"

namespace {

// Whether the processor runs AVX2 instructions and the system keeps their registers.
bool ProcessorHasAvx2() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") != 0;
#else
  return false;
#endif
}

// `own`'s loops, and where it has none (null) those of `below`.
RowKernels Chained(RowKernels own, const RowKernels& below) {
  const auto fill = [](auto& loop, auto fallback) {
    if (loop == nullptr) loop = fallback;
  };
  fill(own.copyRowKeyed, below.copyRowKeyed);
  fill(own.overSpan, below.overSpan);
  fill(own.addSpan, below.addSpan);
  fill(own.prepareColumns, below.prepareColumns);
  fill(own.overColumnRow, below.overColumnRow);
  fill(own.addColumnRow, below.addColumnRow);
  fill(own.overRuns, below.overRuns);
  fill(own.addRuns, below.addRuns);
  return own;
}

std::vector<const RowKernels*> FindUsableSets() {
  std::vector<const RowKernels*> sets{&PlainRowKernels()};
  if (const RowKernels* sse2 = Sse2RowKernels(); sse2 != nullptr) sets.push_back(sse2);
  if (const RowKernels* avx2 = Avx2RowKernels(); avx2 != nullptr && ProcessorHasAvx2()) {
    static const RowKernels chained = Chained(*avx2, *sets.back());
    sets.push_back(&chained);
  }
  return sets;
}

const RowKernels& ChooseFromEnvironment() {
  const char* wanted = std::getenv("SPACE_RASTER");
  const RowKernels& chosen = ChooseRowKernels(wanted);
  if (wanted != nullptr && *wanted != '\0' && std::strcmp(wanted, chosen.name) != 0) {
    std::fprintf(stderr, "SPACE_RASTER=%s: no such row loops here; drawing with %s\n", wanted, chosen.name);
  }
  return chosen;
}

}  // namespace

const std::vector<const RowKernels*>& UsableRowKernels() {
  static const std::vector<const RowKernels*> sets = FindUsableSets();
  return sets;
}

const RowKernels& ChooseRowKernels(const char* name) {
  const std::vector<const RowKernels*>& sets = UsableRowKernels();
  for (const RowKernels* set : sets) {
    if (name != nullptr && std::strcmp(name, set->name) == 0) return *set;
  }
  return *sets.back();
}

const RowKernels& ChosenRowKernels() {
  static const RowKernels& chosen = ChooseFromEnvironment();
  return chosen;
}
