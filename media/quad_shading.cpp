// Sampling a quad's texture (nearest or bilinear, colour key as zero coverage) and blending the
// samples into a row of the canvas with the pass's blend factors.
#include "media/quad_shading.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "media/column_row.h"
#include "media/pixel_lanes.h"
#include "media/pixel_math.h"

namespace {

// Texture positions in texels with 16 fractional bits; 64 bits, so that no step sum overflows.
using Fixed = std::int64_t;
constexpr double kFixedOne = 65536.0;

// Long rows are drawn in pieces, so that one piece's row of filtered texels fits on the stack.
constexpr int kPiece = 1024;

inline std::uint32_t Channel(std::uint32_t pixel, int i) {
  return pixel >> (8 * i) & 0xFF;
}

inline std::uint32_t Pack(const std::uint32_t (&c)[3]) {
  return c[0] | c[1] << 8 | c[2] << 16;
}

template <QuadShader::Mode M>
inline void Put(std::uint32_t& pixel, const Channels& q) {
  PutSample<M == QuadShader::Mode::kAdd>(pixel, q);
}

// One factor of a pair, 0 to 255 for 0 to 1, for channel i.
std::uint32_t Factor(int factor, std::uint32_t source, std::uint32_t sourceAlpha, std::uint32_t below) {
  switch (factor) {
    case kBlendZero: return 0;
    case kBlendOne: return 255;
    case kBlendSourceColour: return source;
    case kBlendInverseSourceColour: return 255 - source;
    case kBlendSourceAlpha: return sourceAlpha;
    case kBlendInverseSourceAlpha: return 255 - sourceAlpha;
    case kBlendDestinationAlpha: return 255;
    case kBlendInverseDestinationAlpha: return 0;
    case kBlendDestinationColour: return below;
    case kBlendInverseDestinationColour: return 255 - below;
    default: return 0;  // source alpha saturated: min(source alpha, 1 - 1)
  }
}

// Any other pair: source colour (the sample without its premultiplication) times the source
// factor plus the pixel times the destination factor, saturated.
void PutGeneral(const QuadShader& shader, std::uint32_t& pixel, const Channels& sample) {
  const std::uint32_t coverage = sample.c[3];
  const std::uint32_t sourceAlpha = Div255(coverage * std::uint32_t(shader.alpha));
  std::uint32_t out[3];
  for (int i = 0; i < 3; ++i) {
    const std::uint32_t source = std::min(255u, (sample.c[i] * 255 + coverage / 2) / coverage);
    const std::uint32_t below = Channel(pixel, i);
    const std::uint32_t sum = Div255(source * Factor(shader.sourceFactor, source, sourceAlpha, below)) +
                              Div255(below * Factor(shader.destinationFactor, source, sourceAlpha, below));
    out[i] = std::min(sum, 255u);
  }
  pixel = Pack(out);
}

Fixed ToFixed(double texels, int size) {
  // Positions of covered pixels lie within the texture; the margin only absorbs rounding.
  if (!(texels > -2.0)) texels = -2.0;
  if (texels > size + 2.0) texels = size + 2.0;
  return Fixed(std::lrint(texels * kFixedOne));
}

Fixed StepToFixed(double texelsPerPixel) {
  return Fixed(std::lrint(std::clamp(texelsPerPixel, -1e9, 1e9) * kFixedOne));
}

inline int Whole(Fixed position, int size) {
  return int(std::clamp<Fixed>(position >> 16, 0, size - 1));
}

// The whole texel of a position known to lie inside the image.
inline int WholeInside(Fixed position, int) {
  return int(position >> 16);
}

// Narrows [begin, end) to the pixels n whose position p + n x dp has its whole texel in [low, high].
void KeepInside(Fixed p, Fixed dp, Fixed low, Fixed high, int& begin, int& end) {
  const Fixed from = low << 16;       // first position inside
  const Fixed to = (high + 1) << 16;  // first position beyond
  // In doubles: exact for these magnitudes, and far quicker than dividing 64-bit integers.
  const auto ceilDiv = [](Fixed a, Fixed b) { return Fixed(std::ceil(double(a) / double(b))); };
  const Fixed last = p + dp * (end - 1);
  if (p >= from && p < to && last >= from && last < to) return;  // all inside: no division needed
  if (dp == 0) {
    end = begin;
    return;
  }
  Fixed first;
  Fixed beyond;
  if (dp > 0) {
    first = ceilDiv(from - p, dp);
    beyond = ceilDiv(to - p, dp);
  } else {
    first = ceilDiv(to - 1 - p, dp);
    beyond = ceilDiv(from - 1 - p, dp);
  }
  begin = int(std::clamp<Fixed>(first, begin, end));
  end = int(std::clamp<Fixed>(beyond, begin, end));
}

inline std::uint32_t Weight(Fixed position) {
  return std::uint32_t(position >> 8 & 0xFF);
}

inline std::uint32_t TexelAt(const QuadShader& shader, int column, int row) {
  return shader.texels[std::size_t(row) * std::size_t(shader.width) + std::size_t(column)];
}

// The two texel rows of `t` mixed at column `column` (clamped to the image).
inline Channels Column(const QuadShader& shader, Fixed column, int row0, int row1, std::uint32_t weight) {
  const int x = Whole(column, shader.width);
  return Mix(Unpack(TexelAt(shader, x, row0)), Unpack(TexelAt(shader, x, row1)), weight);
}

// The filtered sample at (s, t) (texel centres at whole numbers), each column scaled by alpha.
inline Channels Bilinear(const QuadShader& shader, Fixed s, Fixed t, std::uint32_t alpha) {
  const int row0 = Whole(t, shader.height);
  const int row1 = Whole(t + (Fixed(1) << 16), shader.height);
  const std::uint32_t down = Weight(t);
  const Channels left = Scale(Column(shader, s, row0, row1, down), alpha);
  const Channels right = Scale(Column(shader, s + (Fixed(1) << 16), row0, row1, down), alpha);
  return Mix(left, right, Weight(s));
}

#ifdef __SSE2__

inline __m128i LanesAt(const std::uint64_t* lanes) {
  return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(lanes));
}

// The texels `left` and `right` of a row of lanes: left in the low half, right in the high one.
template <int (*WholeOf)(Fixed, int)>
inline __m128i PairOfLanes(const std::uint64_t* row, int left, int right) {
  if constexpr (WholeOf == WholeInside) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + left));  // right is left + 1
  } else {
    return _mm_unpacklo_epi64(LanesAt(row + left), LanesAt(row + right));
  }
}

// Bilinear's arithmetic on lanes: the sample in the low 64 bits. WholeOf turns a position into a
// texel's column or row.
template <int (*WholeOf)(Fixed, int)>
inline __m128i BilinearLanes(const QuadShader& shader, Fixed s, Fixed t, __m128i alphas) {
  const int left = WholeOf(s, shader.width);
  const int right = WholeOf(s + (Fixed(1) << 16), shader.width);
  const std::uint64_t* row0 =
      shader.lanes + std::size_t(WholeOf(t, shader.height)) * std::size_t(shader.width);
  const std::uint64_t* row1 =
      shader.lanes + std::size_t(WholeOf(t + (Fixed(1) << 16), shader.height)) * std::size_t(shader.width);
  const auto down = short(Weight(t));
  const auto across = int(Weight(s));
  const __m128i mixed = _mm_add_epi16(
      _mm_mullo_epi16(PairOfLanes<WholeOf>(row0, left, right), _mm_set1_epi16(short(256 - down))),
      _mm_mullo_epi16(PairOfLanes<WholeOf>(row1, left, right), _mm_set1_epi16(down)));
  const __m128i columns = ScaleLanes(_mm_srli_epi16(mixed, 8), alphas);  // left column low, right high
  // 256 - across in the four low lanes, across in the four high ones.
  __m128i weights = _mm_cvtsi32_si128((256 - across) | across << 16);
  weights = _mm_unpacklo_epi16(weights, weights);
  weights = _mm_unpacklo_epi32(weights, weights);
  const __m128i products = _mm_mullo_epi16(columns, weights);
  return _mm_srli_epi16(_mm_add_epi16(products, _mm_srli_si128(products, 8)), 8);
}

// The blended spans two pixels at a time; returns how many pixels were drawn.
template <QuadShader::Mode M, int (*WholeOf)(Fixed, int)>
int VectorSpan(const QuadShader& shader, std::uint32_t* pixels, int count, bool filtered, Fixed s, Fixed ds,
               Fixed t, Fixed dt) {
  constexpr bool kAdd = M == QuadShader::Mode::kAdd;
  const __m128i alphas = _mm_set1_epi16(short(shader.alpha));
  const auto lanesAt = [&shader](Fixed u, Fixed v) {
    return shader.lanes + std::size_t(WholeOf(v, shader.height)) * std::size_t(shader.width) +
           std::size_t(WholeOf(u, shader.width));
  };
  int n = 0;
  for (; n + 2 <= count; n += 2, s += 2 * ds, t += 2 * dt) {
    if (filtered) {
      const __m128i first = BilinearLanes<WholeOf>(shader, s, t, alphas);
      const __m128i second = BilinearLanes<WholeOf>(shader, s + ds, t + dt, alphas);
      PutTwoSamples<kAdd>(pixels + n, _mm_unpacklo_epi64(first, second));
    } else {
      // A key texel is all 0, which leaves the pixel as it is.
      const __m128i texels = _mm_unpacklo_epi64(LanesAt(lanesAt(s, t)), LanesAt(lanesAt(s + ds, t + dt)));
      PutTwoSamples<kAdd>(pixels + n, ScaleLanes(texels, alphas));
    }
  }
  return n;
}

// Nearest texels of one texel row, alpha 255, four pixels at a time: with (5, 6) a texel replaces
// the pixel unless it is the key colour, with (5, 7) it is added. Returns how many were drawn.
template <bool kAdd>
int OpaqueLevelRow(std::uint32_t* pixels, int count, const std::uint32_t* row, Fixed s, Fixed ds) {
  const __m128i colourOnly = _mm_set1_epi32(0x00FFFFFF);
  int n = 0;
  for (; n + 4 <= count; n += 4, s += 4 * ds) {
    const __m128i texels =
        _mm_and_si128(_mm_set_epi32(int(row[(s + 3 * ds) >> 16]), int(row[(s + 2 * ds) >> 16]),
                                    int(row[(s + ds) >> 16]), int(row[s >> 16])),
                      colourOnly);
    const __m128i below = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + n));
    __m128i out;
    if constexpr (kAdd) {
      out = _mm_adds_epu8(below, texels);
    } else {
      const __m128i key = _mm_cmpeq_epi32(texels, _mm_setzero_si128());
      out = _mm_or_si128(_mm_and_si128(key, below), texels);
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + n), out);
  }
  return n;
}

#endif

template <QuadShader::Mode M>
void NearestSpan(const QuadShader& shader, std::uint32_t* pixels, int count, Fixed s, Fixed ds, Fixed t,
                 Fixed dt) {
  const auto alpha = std::uint32_t(shader.alpha);
  for (int n = 0; n < count; ++n, s += ds, t += dt) {
    const std::uint32_t texel = TexelAt(shader, Whole(s, shader.width), Whole(t, shader.height));
    if (IsKey(texel)) continue;
    if constexpr (M == QuadShader::Mode::kGeneral) {
      PutGeneral(shader, pixels[n], Unpack(texel));
    } else {
      Put<M>(pixels[n], Scale(Unpack(texel), alpha));
    }
  }
}

template <QuadShader::Mode M>
void BilinearSpan(const QuadShader& shader, std::uint32_t* pixels, int count, Fixed s, Fixed ds, Fixed t,
                  Fixed dt) {
  // The general blend needs the sample without alpha; it applies alpha with its factors.
  const auto alpha = M == QuadShader::Mode::kGeneral ? 255u : std::uint32_t(shader.alpha);
  for (int n = 0; n < count; ++n, s += ds, t += dt) {
    const Channels sample = Bilinear(shader, s, t, alpha);
    if constexpr (M == QuadShader::Mode::kGeneral) {
      if (sample.c[3] != 0) PutGeneral(shader, pixels[n], sample);
    } else {
      Put<M>(pixels[n], sample);
    }
  }
}

template <QuadShader::Mode M>
void PlainSpan(const QuadShader& shader, std::uint32_t* pixels, int count, bool filtered, Fixed s, Fixed ds,
               Fixed t, Fixed dt) {
  if (filtered) {
    BilinearSpan<M>(shader, pixels, count, s, ds, t, dt);
  } else {
    NearestSpan<M>(shader, pixels, count, s, ds, t, dt);
  }
}

template <QuadShader::Mode M>
void AnySpan(const QuadShader& shader, std::uint32_t* pixels, int count, bool filtered, Fixed s, Fixed ds,
             Fixed t, Fixed dt) {
#ifdef __SSE2__
  if constexpr (M != QuadShader::Mode::kGeneral) {
    // The pixels whose texels (and, filtered, their right and lower neighbours) lie inside the image
    // need no clamping; only the few at the ends of the row do.
    const int reach = filtered ? 1 : 0;
    int begin = 0;
    int end = count;
    KeepInside(s, ds, 0, shader.width - 1 - reach, begin, end);
    KeepInside(t, dt, 0, shader.height - 1 - reach, begin, end);
    int done = VectorSpan<M, Whole>(shader, pixels, begin, filtered, s, ds, t, dt);
    PlainSpan<M>(shader, pixels + done, begin - done, filtered, s + done * ds, ds, t + done * dt, dt);
    if (!filtered && dt == 0 && shader.alpha == 255) {
      // A level row of texels as they are: each pixel becomes its texel, or, added, gains it.
      const std::uint32_t* row = shader.texels + std::size_t(WholeInside(t, 0)) * std::size_t(shader.width);
      done = begin + OpaqueLevelRow<M == QuadShader::Mode::kAdd>(pixels + begin, end - begin, row,
                                                                 s + begin * ds, ds);
    } else {
      done = begin + VectorSpan<M, WholeInside>(shader, pixels + begin, end - begin, filtered, s + begin * ds,
                                                ds, t + begin * dt, dt);
    }
    done += VectorSpan<M, Whole>(shader, pixels + done, count - done, filtered, s + done * ds, ds,
                                 t + done * dt, dt);
    PlainSpan<M>(shader, pixels + done, count - done, filtered, s + done * ds, ds, t + done * dt, dt);
    return;
  }
#endif
  PlainSpan<M>(shader, pixels, count, filtered, s, ds, t, dt);
}

// A level row of an enlarged image: each texel column is mixed between the two texel rows and
// scaled by alpha once, then every pixel mixes (or, unfiltered, takes) a neighbouring pair of those.
void EnlargedLevelSpan(const QuadShader& shader, std::uint32_t* pixels, int count, bool filtered, Fixed s,
                       Fixed ds, Fixed t) {
  const int row0 = Whole(t, shader.height);
  const int row1 = filtered ? Whole(t + (Fixed(1) << 16), shader.height) : row0;
  const std::uint32_t down = filtered ? Weight(t) : 0;
  const auto alpha = std::uint32_t(shader.alpha);
  alignas(16) ColumnSample columns[kPiece + 3];
  for (int done = 0; done < count; done += kPiece) {
    const int piece = std::min(kPiece, count - done);
    const Fixed first = s + ds * done;
    const Fixed last = first + ds * (piece - 1);
    const Fixed low = std::min(first, last) >> 16;
    // One column more than the pixels use: the filtered loop reads the next one too.
    const Fixed high = (std::max(first, last) >> 16) + 2;
    PrepareColumns(columns, int(low), int(high - low + 1),
                   shader.lanes + std::size_t(row0) * std::size_t(shader.width),
                   shader.lanes + std::size_t(row1) * std::size_t(shader.width), shader.width, down, alpha);
    BlendColumnRow(pixels + done, piece, columns, std::int32_t(first - (low << 16)), std::int32_t(ds),
                   filtered, shader.mode == QuadShader::Mode::kAdd);
  }
}

}  // namespace

QuadShader::QuadShader(const QuadPaint& quad)
    : texels(quad.texels),
      lanes(quad.lanes),
      width(quad.textureWidth),
      height(quad.textureHeight),
      alpha(quad.alpha & 0xFF),
      smoothing(quad.smoothing),
      mode(Mode::kOver),
      sourceFactor(kBlendSourceAlpha),
      destinationFactor(kBlendInverseSourceAlpha) {
  if (!IsKnownBlend(quad.sourceFactor, quad.destinationFactor)) return;
  sourceFactor = quad.sourceFactor;
  destinationFactor = quad.destinationFactor;
  if (sourceFactor != kBlendSourceAlpha) {
    mode = Mode::kGeneral;
  } else if (destinationFactor == kBlendDestinationAlpha || destinationFactor == kBlendOne) {
    mode = Mode::kAdd;  // the destination alpha reads as 1
  } else if (destinationFactor != kBlendInverseSourceAlpha) {
    mode = Mode::kGeneral;
  }
}

void QuadShader::Span(std::uint32_t* pixels, int count, bool filtered, double u, double v, double dudx,
                      double dvdx) const {
  const Fixed s = ToFixed(u, width);
  const Fixed t = ToFixed(v, height);
  const Fixed ds = StepToFixed(dudx);
  const Fixed dt = StepToFixed(dvdx);
  switch (mode) {
    case Mode::kOver: AnySpan<Mode::kOver>(*this, pixels, count, filtered, s, ds, t, dt); break;
    case Mode::kAdd: AnySpan<Mode::kAdd>(*this, pixels, count, filtered, s, ds, t, dt); break;
    case Mode::kGeneral: AnySpan<Mode::kGeneral>(*this, pixels, count, filtered, s, ds, t, dt); break;
  }
}

void QuadShader::LevelSpan(std::uint32_t* pixels, int count, bool filtered, double u, double v,
                           double dudx) const {
  if (mode == Mode::kGeneral || std::fabs(dudx) > 1.0) {
    Span(pixels, count, filtered, u, v, dudx, 0.0);
    return;
  }
  const Fixed s = ToFixed(u, width);
  const Fixed t = ToFixed(v, height);
  const Fixed ds = StepToFixed(dudx);
  EnlargedLevelSpan(*this, pixels, count, filtered, s, ds, t);
}
