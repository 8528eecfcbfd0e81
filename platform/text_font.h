// The text font (DejaVu Sans Bold at 13 pixels, compiled into the program), the conversion of the
// game's Windows-1252 texts for it, and the glyph images drawn from them.
#pragma once

#include <string>

#include "raster/text_blend.h"

// Width in pixels of Windows-1252 text in the font; 0 for "" or without the font.
int TextWidth(const char* text);

// The glyphs of Windows-1252 text drawn antialiased, one line high, made once and kept while the
// text is drawn frame after frame. Only its first `visibleWidth` pixels need to be right: a text far
// wider than that is cut after them. nullptr for "" or without the font.
const CoverageImage* TextCoverage(const char* text, int visibleWidth);
