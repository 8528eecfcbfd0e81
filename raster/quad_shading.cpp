// Sampling a quad's texture and blending the samples into a row of the target: the pairs that lay
// over or add go to the row loops, any other pair is drawn here with its exact factors.
#include "raster/quad_shading.h"

#include <algorithm>
#include <cmath>

#include "raster/column_row.h"
#include "raster/pixel_math.h"

namespace {

Fixed ToFixed(double texels, int size) {
  // Positions of covered pixels lie on the texture; the margin only absorbs rounding.
  if (!(texels > -2.0)) texels = -2.0;
  if (texels > size + 2.0) texels = size + 2.0;
  return Fixed(std::lrint(texels * double(kFixedOne)));
}

Fixed StepToFixed(double texelsPerPixel) {
  return Fixed(std::lrint(std::clamp(texelsPerPixel, -1e9, 1e9) * double(kFixedOne)));
}

inline std::uint32_t Channel(std::uint32_t pixel, int i) {
  return pixel >> (8 * i) & 0xFF;
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

// A pair with its exact factors: the source colour (the sample without its premultiplication) times
// the source factor plus the pixel times the destination factor, saturated. Where the sample covers
// the pixel only partly (at the filtered edge of key texels) the result is mixed with the pixel by
// the coverage, as the quad's edge fades out; un-premultiplying alone would amplify the rounding of
// a faint sample to a full colour.
std::uint32_t GeneralPixel(std::uint32_t pixel, const Channels& sample, std::uint32_t alpha, int sourceFactor,
                           int destinationFactor) {
  const std::uint32_t coverage = sample.c[3];
  std::uint32_t out = 0;
  for (int i = 0; i < 3; ++i) {
    const std::uint32_t source = std::min(255u, (sample.c[i] * 255 + coverage / 2) / coverage);
    const std::uint32_t below = Channel(pixel, i);
    const std::uint32_t full =
        std::min(255u, Div255(source * Factor(sourceFactor, source, alpha, below)) +
                           Div255(below * Factor(destinationFactor, source, alpha, below)));
    out |= Div255(full * coverage + below * (255 - coverage)) << (8 * i);
  }
  return out;
}

}  // namespace

QuadShader::QuadShader(const QuadPaint& quad, const RowKernels& kernels)
    : texture_{quad.texels, quad.lanes, quad.textureWidth, quad.textureHeight,
               std::uint32_t(quad.alpha & 0xFF)},
      smoothing_(quad.smoothing),
      mode_(ModeOfBlend(quad.sourceFactor, quad.destinationFactor)),
      sourceFactor_(quad.sourceFactor),
      destinationFactor_(quad.destinationFactor),
      kernels_(kernels) {}

void QuadShader::GeneralSpan(std::uint32_t* pixels, int count, bool filtered, Fixed s, Fixed ds, Fixed t,
                             Fixed dt) const {
  for (int n = 0; n < count; ++n, s += ds, t += dt) {
    // The sample without alpha: the factors apply it.
    Channels sample;
    if (filtered) {
      sample = Bilinear(texture_, s, t, 255);
    } else {
      sample = Unpack(TexelAt(texture_, Whole(s, texture_.width), Whole(t, texture_.height)));
    }
    if (sample.c[3] == 0) continue;
    pixels[n] = GeneralPixel(pixels[n], sample, texture_.alpha, sourceFactor_, destinationFactor_);
  }
}

void QuadShader::Span(std::uint32_t* pixels, int count, bool filtered, double u, double v, double dudx,
                      double dvdx) const {
  const Fixed s = ToFixed(u, texture_.width);
  const Fixed t = ToFixed(v, texture_.height);
  const Fixed ds = StepToFixed(dudx);
  const Fixed dt = StepToFixed(dvdx);
  switch (mode_) {
    case BlendMode::kOver: kernels_.overSpan(texture_, pixels, count, filtered, s, ds, t, dt); break;
    case BlendMode::kAdd: kernels_.addSpan(texture_, pixels, count, filtered, s, ds, t, dt); break;
    case BlendMode::kGeneral: GeneralSpan(pixels, count, filtered, s, ds, t, dt); break;
  }
}

void QuadShader::LevelSpan(std::uint32_t* pixels, int count, bool filtered, double u, double v,
                           double dudx) const {
  if (mode_ == BlendMode::kGeneral || std::fabs(dudx) > 1.0) {
    Span(pixels, count, filtered, u, v, dudx, 0.0);
    return;
  }
  EnlargedLevelRow(texture_, pixels, count, filtered, ToFixed(u, texture_.width), StepToFixed(dudx),
                   ToFixed(v, texture_.height), mode_ == BlendMode::kAdd, kernels_);
}
