// Quads: sprites of texture mode drawn scaled, rotated and blended into the back buffer.
#pragma once

#include "raster/blend.h"

int InitQuads();                    // 1 ok
int CreateQuad(int q, int sprite);  // corners one pixel wider and higher than the sprite; 1 ok
void SetQuadSize(int q, int width, int height);
// Turns the quad into a square about its centre; angle in degrees (times 0.0175, not pi/180),
// mode 0 takes the centre from the base size, any other mode from corner 3.
void SetQuadAngle(int q, int angle, int mode);
void SetQuadSmoothing(int on);  // 1 linear magnification, 0 nearest
int BeginQuads();               // opens a pass on the back buffer; 1 ok
void DrawQuad(int q, int x, int y);
void DrawQuadAlpha(int q, int x, int y, int alpha);  // only the low 8 bits of alpha count
// BlendFactor values: (kBlendSourceAlpha, kBlendInverseSourceAlpha) blends by alpha (the default
// of a pass), (kBlendSourceAlpha, kBlendDestinationAlpha) adds and saturates, (kBlendNone,
// kBlendZero) draws like the default; any other pair with its exact factors.
void SetQuadBlend(int source, int destination);
void EndQuads();
void ClearQuads();  // empties every slot

// Corner k (0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right of the image) of quad q,
// relative to the draw position; (0, 0) for an empty slot.
float QuadCornerX(int q, int k);
float QuadCornerY(int q, int k);
