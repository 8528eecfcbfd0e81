// Lettering for the generated pictures, rendered with SDL2_ttf from the system's DejaVu fonts.
#pragma once

#include <string>

#include "tools/artgen/raster.h"

inline constexpr const char* kSansBold = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
inline constexpr const char* kSansCondensedBold =
    "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf";
inline constexpr const char* kMonoBold = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf";

// The coverage of a UTF-8 text set in `font` at `pixelSize`, one line high (ascent plus descent),
// with `tracking` extra pixels between letters. Throws std::runtime_error if the font cannot be used.
Mask RenderText(const char* font, int pixelSize, const std::string& utf8, int tracking = 0);
// Like RenderText, cut to the rows and columns that hold ink.
Mask RenderTextTight(const char* font, int pixelSize, const std::string& utf8, int tracking = 0);
