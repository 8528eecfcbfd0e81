// Which of the three ways of drawing a pair of blend factors takes.
#include "raster/blend.h"

namespace {

bool IsKnown(int sourceFactor, int destinationFactor) {
  return sourceFactor >= kBlendZero && sourceFactor <= kBlendSourceAlphaSaturated &&
         destinationFactor >= kBlendZero && destinationFactor <= kBlendInverseDestinationColour;
}

}  // namespace

BlendMode ModeOfBlend(int sourceFactor, int destinationFactor) {
  if (!IsKnown(sourceFactor, destinationFactor)) return BlendMode::kOver;
  if (sourceFactor != kBlendSourceAlpha) return BlendMode::kGeneral;
  // The destination alpha reads as 1, so it adds like kBlendOne.
  if (destinationFactor == kBlendDestinationAlpha || destinationFactor == kBlendOne) return BlendMode::kAdd;
  return destinationFactor == kBlendInverseSourceAlpha ? BlendMode::kOver : BlendMode::kGeneral;
}
