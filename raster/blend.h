// The blend factors of quads, by their D3DBLEND numbers, and the ways a pair of them is drawn.
#pragma once

enum BlendFactor : int {
  // No factor at all: a pass set to (kBlendNone, kBlendZero) after its glowing quads draws the
  // following ones as it would with (kBlendSourceAlpha, kBlendInverseSourceAlpha).
  kBlendNone = 0,
  kBlendZero = 1,
  kBlendOne = 2,
  kBlendSourceColour = 3,
  kBlendInverseSourceColour = 4,
  kBlendSourceAlpha = 5,
  kBlendInverseSourceAlpha = 6,
  kBlendDestinationAlpha = 7,  // the buffers have no alpha of their own: reads as 1
  kBlendInverseDestinationAlpha = 8,
  kBlendDestinationColour = 9,
  kBlendInverseDestinationColour = 10,
  kBlendSourceAlphaSaturated = 11,  // min(source alpha, 1 - destination alpha), which is 0 here
};

enum class BlendMode {
  kOver,     // (source alpha, inverse source alpha): laid over what is below by alpha
  kAdd,      // (source alpha, destination alpha or one): added, saturating
  kGeneral,  // any other known pair, with its exact factors
};

// How the pair is drawn; a pair with an unknown factor draws as kOver.
BlendMode ModeOfBlend(int sourceFactor, int destinationFactor);
