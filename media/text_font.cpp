// The text font and the Windows-1252 to UTF-8 conversion of the texts drawn with it.
#include "media/text_font.h"

#include <cstdint>

extern const unsigned char kEmbeddedFont[];
extern const unsigned long kEmbeddedFontSize;

namespace {

constexpr int kFontPixels = 13;  // a line is 16 pixels high

// Code points of the bytes 0x80 to 0x9F; the undefined ones keep their own number.
constexpr std::uint16_t kHighControlBlock[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

TTF_Font* font = nullptr;
bool fontTried = false;  // opening is tried once; a failure leaves the texts undrawn

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

std::string Cp1252ToUtf8(const char* text) {
  std::string out;
  for (const char* p = text; *p != '\0'; ++p) {
    const auto byte = static_cast<unsigned char>(*p);
    AppendUtf8(out, byte >= 0x80 && byte < 0xA0 ? kHighControlBlock[byte - 0x80] : byte);
  }
  return out;
}

TTF_Font* TextFont() {
  if (font == nullptr && !fontTried) {
    fontTried = true;
    if (TTF_WasInit() == 0 && TTF_Init() != 0) {
      return nullptr;
    }
    SDL_RWops* bytes = SDL_RWFromConstMem(kEmbeddedFont, static_cast<int>(kEmbeddedFontSize));
    font = bytes != nullptr ? TTF_OpenFontRW(bytes, 1, kFontPixels) : nullptr;
  }
  return font;
}

int TextWidth(const char* text) {
  TTF_Font* textFont = TextFont();
  int width = 0;
  if (textFont == nullptr || text == nullptr || *text == '\0' ||
      TTF_SizeUTF8(textFont, Cp1252ToUtf8(text).c_str(), &width, nullptr) != 0) {
    return 0;
  }
  return width;
}

SDL_Surface* RenderText(const char* text, SDL_Color colour) {
  TTF_Font* textFont = TextFont();
  if (textFont == nullptr || text == nullptr || *text == '\0') {
    return nullptr;
  }
  return TTF_RenderUTF8_Blended(textFont, Cp1252ToUtf8(text).c_str(), colour);
}
