// The blending arithmetic of pixel_math.h on SSE2 registers: 16-bit lanes of blue, green, red and
// coverage, two pixels to a register.
#pragma once

#include <emmintrin.h>

#include <cstdint>

// x x factor / 255, rounded as Div255 rounds, for 16-bit lanes whose product stays below 65281.
inline __m128i ScaleLanes(__m128i x, __m128i factor) {
  const __m128i product = _mm_add_epi16(_mm_mullo_epi16(x, factor), _mm_set1_epi16(128));
  return _mm_srli_epi16(_mm_add_epi16(product, _mm_srli_epi16(product, 8)), 8);
}

// The samples (16-bit blue, green, red, coverage each) of the low half (and the high half) laid
// over the pixels below, whose 0x00RRGGBB values are in the low 32 (64) bits of `below`.
template <bool kAdd>
inline __m128i BlendedLanes(__m128i below, __m128i samples) {
  const __m128i colourOnly = _mm_set1_epi32(0x00FFFFFF);
  __m128i sum;
  if constexpr (kAdd) {
    sum = _mm_adds_epu8(below, _mm_and_si128(_mm_packus_epi16(samples, samples), colourOnly));
  } else {
    // below x (255 - coverage) / 255, rounded as Div255 rounds, then the sample added.
    const __m128i coverage = _mm_shufflehi_epi16(_mm_shufflelo_epi16(samples, 0xFF), 0xFF);
    const __m128i kept = _mm_sub_epi16(_mm_set1_epi16(255), coverage);
    const __m128i scaled = ScaleLanes(_mm_unpacklo_epi8(below, _mm_setzero_si128()), kept);
    sum = _mm_and_si128(_mm_packus_epi16(_mm_adds_epu16(samples, scaled), scaled), colourOnly);
  }
  return sum;
}

// Two samples into two pixels.
template <bool kAdd>
inline void PutTwoSamples(std::uint32_t* pixels, __m128i samples) {
  const __m128i below = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(pixels));
  _mm_storel_epi64(reinterpret_cast<__m128i*>(pixels), BlendedLanes<kAdd>(below, samples));
}

// The low sample into one pixel.
template <bool kAdd>
inline void PutOneSample(std::uint32_t* pixel, __m128i samples) {
  const __m128i below = _mm_cvtsi32_si128(int(*pixel));
  *pixel = std::uint32_t(_mm_cvtsi128_si32(BlendedLanes<kAdd>(below, samples)));
}
