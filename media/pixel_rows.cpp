// Row copies for the sprite blits; the keyed one four pixels at a time where SSE2 is available.
#include "media/pixel_rows.h"

#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

void CopyRow(std::uint32_t* target, const std::uint32_t* source, int count) {
  if (count > 0) std::memcpy(target, source, std::size_t(count) * sizeof *source);
}

void CopyRowKeyed(std::uint32_t* target, const std::uint32_t* source, int count) {
  int n = 0;
#ifdef __SSE2__
  const __m128i colour = _mm_set1_epi32(0xFFFFFF);
  const __m128i zero = _mm_setzero_si128();
  for (; n + 4 <= count; n += 4) {
    const __m128i over = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + n));
    const __m128i under = _mm_loadu_si128(reinterpret_cast<const __m128i*>(target + n));
    const __m128i key = _mm_cmpeq_epi32(_mm_and_si128(over, colour), zero);
    const __m128i mixed = _mm_or_si128(_mm_and_si128(key, under), _mm_andnot_si128(key, over));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(target + n), mixed);
  }
#endif
  for (; n < count; ++n) {
    if ((source[n] & 0xFFFFFF) != 0) target[n] = source[n];
  }
}
