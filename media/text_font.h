// Inside the multimedia layer only: the text font (DejaVu Sans Bold at 13 pixels, compiled into
// the program) and the conversion of the game's Windows-1252 texts for it.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdint>
#include <string>
#include <vector>

// Windows-1252 bytes up to the terminating zero as UTF-8. The five bytes that the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same number.
std::string Cp1252ToUtf8(const char* text);

// The font, opened from the embedded bytes on first use; nullptr if it cannot be opened.
TTF_Font* TextFont();

// Width in pixels of Windows-1252 text in the font; 0 for "" or without the font.
int TextWidth(const char* text);

// The glyphs of a text: coverage 0 to 255 of each pixel, one line high, top-down rows.
struct TextImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> coverage;  // width x height
};

// Windows-1252 text drawn antialiased, made once and kept while it is drawn frame after frame. Only
// its first `visibleWidth` pixels need to be right: a text far wider than that is cut after them.
// nullptr for "" or without the font.
const TextImage* TextCoverage(const char* text, int visibleWidth);
