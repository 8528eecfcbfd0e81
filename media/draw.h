// Text and simple shapes on the back buffer or on a sprite, inside a drawing phase.
#pragma once

#include <cstdint>

#include "raster/pixels.h"
#include "raster/text_blend.h"

struct DrawTarget;  // handed out by BackBufferTarget and SpriteTarget

// Where texts get their glyphs: the platform's font, handed in when the display starts. Without it
// texts measure 0 and draw nothing.
struct TextGlyphs {
  int (*width)(const char* text) = nullptr;  // pixels of Windows-1252 text; 0 for ""
  // The text's glyphs, right in their first `visibleWidth` pixels; nullptr for "" or without a font.
  const CoverageImage* (*coverage)(const char* text, int visibleWidth) = nullptr;
};
void SetTextGlyphs(const TextGlyphs& glyphs);

enum DrawFlags : int {
  kDrawTransparentText = 1,  // text without the white background box
  kDrawInvert = 2,           // pen and fill invert the destination
  kDrawNoFill = 4,           // shapes are outlined only
};

// The back buffer as a drawing target, held until EndDraw (or the next present) gives it back; nullptr
// while it is held or without a display. Sprites are not blitted to the back buffer while it is held.
DrawTarget* BackBufferTarget();
DrawTarget* SpriteTarget(int n);    // nullptr while a sprite's target is held or the slot is empty
int BeginDraw(DrawTarget* target);  // ends any open phase; nonzero if a phase was opened
void EndDraw();
void SetDrawFlags(int flags);
void SetDrawColor(int r, int g, int b);  // the current colour becomes RgbPixel(r, g, b)
void SetTextPosition(int x, int y);
// Draws Windows-1252 text with its top-left corner at the current position, then moves the
// position to the text's end on the same line.
void WriteText(const char* text);
int MeasureText(const char* text);  // width in pixels; 0 outside a phase or for ""
// The x at which `text` stands centred on `original` written at x; x itself for texts of one width.
// A translated line takes the place of its German original so.
int CentredOn(const char* original, int x, const char* text);
// Covers x to x + width - 1 and y to y + height - 1; `colour` (0x00RRGGBB) becomes current.
void FillRect(int x, int y, int width, int height, std::uint32_t colour);
// From (x, y) to (x + dx, y + dy) without the end point, which becomes the current position.
void DrawLineRel(int x, int y, int dx, int dy);
std::uint32_t CurrentDrawColor();  // 0x00RRGGBB, kept from phase to phase

// True while the back buffer's target is held (handed out and not yet given back).
bool IsBackBufferHeld();
// Gives back the back buffer's target, ending its phase if one is open: the start of every present.
void ReleaseBackBufferTarget();
// Gives back both targets, ending any phase: part of closing the display.
void ReleaseDrawTargets();
