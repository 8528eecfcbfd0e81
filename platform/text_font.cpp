// The text font and the Windows-1252 to UTF-8 conversion of the texts drawn with it.
#include "platform/text_font.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <unordered_map>

#include "base/cp1252.h"

extern const unsigned char kEmbeddedFont[];
extern const unsigned long kEmbeddedFontSize;

namespace {

constexpr int kFontPixels = 13;  // a line is 16 pixels high

struct CachedText {
  CoverageImage image;
  bool complete = false;  // the whole text, not only its visible start
};

// The texts drawn lately, by their Windows-1252 bytes. A screen draws a few dozen; when more are
// asked for, the cache starts afresh, so that typing a name does not make it grow for ever.
constexpr std::size_t kCachedTexts = 128;

struct FontState {
  TTF_Font* font = nullptr;
  bool tried = false;  // opening is tried once; a failure leaves the texts undrawn
  std::unordered_map<std::string, CachedText> cache;  // by the texts' Windows-1252 bytes
};

FontState fonts;

// The coverage of SDL_ttf's blended rendering in white.
void TakeCoverage(SDL_Surface* rendered, CoverageImage& image) {
  image.width = rendered->w;
  image.height = rendered->h;
  image.coverage.assign(std::size_t(image.width) * std::size_t(image.height), 0);
  for (int y = 0; y < image.height; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(
        static_cast<const std::uint8_t*>(rendered->pixels) + std::size_t(y) * std::size_t(rendered->pitch));
    for (int x = 0; x < image.width; ++x) {
      std::uint8_t r, g, b, a;
      SDL_GetRGBA(row[x], rendered->format, &r, &g, &b, &a);
      image.coverage[std::size_t(y) * std::size_t(image.width) + std::size_t(x)] = a;
    }
  }
}

// Renders the text, or only as many characters as reach past `visibleWidth` pixels; true if the
// whole text was rendered.
bool Render(TTF_Font* textFont, const char* text, int visibleWidth, CachedText& entry) {
  std::string utf8 = Cp1252ToUtf8(text);
  int extent = 0;
  int fitting = 0;
  bool complete = true;
  if (TTF_MeasureUTF8(textFont, utf8.c_str(), visibleWidth, &extent, &fitting) == 0 &&
      std::size_t(fitting) < std::strlen(text)) {
    // Each byte is one character; one more covers the last, partly visible, one.
    utf8 = Cp1252ToUtf8(std::string(text, std::size_t(fitting) + 1).c_str());
    complete = std::size_t(fitting) + 1 >= std::strlen(text);
  }
  entry.image = CoverageImage{};
  SDL_Surface* rendered = TTF_RenderUTF8_Blended(textFont, utf8.c_str(), SDL_Color{255, 255, 255, 255});
  if (rendered == nullptr) return true;  // nothing to draw, and nothing better to try
  TakeCoverage(rendered, entry.image);
  SDL_FreeSurface(rendered);
  return complete;
}

// The font, opened from the embedded bytes on first use; nullptr if it cannot be opened.
TTF_Font* TextFont() {
  if (fonts.font == nullptr && !fonts.tried) {
    fonts.tried = true;
    if (TTF_WasInit() == 0 && TTF_Init() != 0) {
      return nullptr;
    }
    SDL_RWops* bytes = SDL_RWFromConstMem(kEmbeddedFont, static_cast<int>(kEmbeddedFontSize));
    fonts.font = bytes != nullptr ? TTF_OpenFontRW(bytes, 1, kFontPixels) : nullptr;
  }
  return fonts.font;
}

}  // namespace

int TextWidth(const char* text) {
  TTF_Font* textFont = TextFont();
  int width = 0;
  if (textFont == nullptr || text == nullptr || *text == '\0' ||
      TTF_SizeUTF8(textFont, Cp1252ToUtf8(text).c_str(), &width, nullptr) != 0) {
    return 0;
  }
  return width;
}

const CoverageImage* TextCoverage(const char* text, int visibleWidth) {
  TTF_Font* textFont = TextFont();
  if (textFont == nullptr || text == nullptr || *text == '\0') return nullptr;
  const auto kept = fonts.cache.find(text);
  if (kept != fonts.cache.end() && (kept->second.complete || kept->second.image.width >= visibleWidth)) {
    return &kept->second.image;
  }
  if (fonts.cache.size() >= kCachedTexts) fonts.cache.clear();
  CachedText& entry = fonts.cache[text];
  entry.complete = Render(textFont, text, std::max(visibleWidth, 1), entry);
  return &entry.image;
}
