// Lettering for the generated pictures, rendered with SDL2_ttf from the system's DejaVu fonts.
#include "tools/artgen/text.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

struct FontCloser {
  void operator()(TTF_Font* font) const { TTF_CloseFont(font); }
};

struct SurfaceFreer {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};

using FontPtr = std::unique_ptr<TTF_Font, FontCloser>;
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceFreer>;

FontPtr OpenFont(const char* file, int pixelSize) {
  if (TTF_WasInit() == 0 && TTF_Init() != 0)
    throw std::runtime_error(std::string("TTF_Init: ") + TTF_GetError());
  FontPtr font(TTF_OpenFont(file, pixelSize));
  if (!font) throw std::runtime_error(std::string("cannot open font ") + file + ": " + TTF_GetError());
  return font;
}

// The glyphs' coverage: the alpha channel of SDL_ttf's blended rendering.
Mask SurfaceCoverage(SDL_Surface* rendered) {
  SurfacePtr surface(SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0));
  if (!surface) throw std::runtime_error(std::string("SDL_ConvertSurfaceFormat: ") + SDL_GetError());
  Mask mask(surface->w, surface->h);
  SDL_LockSurface(surface.get());
  for (int y = 0; y < surface->h; ++y) {
    const auto* row =
        reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(surface->pixels) + y * surface->pitch);
    for (int x = 0; x < surface->w; ++x) mask.Ref(x, y) = static_cast<float>(row[x] >> 24) / 255.0f;
  }
  SDL_UnlockSurface(surface.get());
  return mask;
}

Mask RenderRun(TTF_Font* font, const std::string& utf8) {
  SurfacePtr rendered(TTF_RenderUTF8_Blended(font, utf8.c_str(), SDL_Color{255, 255, 255, 255}));
  if (!rendered) throw std::runtime_error(std::string("TTF_RenderUTF8_Blended: ") + TTF_GetError());
  return SurfaceCoverage(rendered.get());
}

// Length in bytes of the UTF-8 sequence that starts with `lead`.
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead >> 5) == 0x6) return 2;
  if ((lead >> 4) == 0xE) return 3;
  return 4;
}

}  // namespace

Mask RenderText(const char* fontFile, int pixelSize, const std::string& utf8, int tracking) {
  FontPtr font = OpenFont(fontFile, pixelSize);
  if (tracking == 0) return RenderRun(font.get(), utf8);
  // Spaced lettering: each letter is placed where the run up to it ends, plus the extra spacing.
  std::vector<std::pair<int, Mask>> letters;
  int width = 0;
  int count = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    std::size_t n = SequenceLength(static_cast<unsigned char>(utf8[i]));
    int advance = 0;
    int height = 0;
    if (i > 0) TTF_SizeUTF8(font.get(), utf8.substr(0, i).c_str(), &advance, &height);
    int x = advance + count * tracking;
    Mask letter = RenderRun(font.get(), utf8.substr(i, n));
    width = std::max(width, x + letter.width);
    letters.emplace_back(x, std::move(letter));
    i += n;
    ++count;
  }
  Mask out(width, TTF_FontHeight(font.get()));
  for (const auto& [x, letter] : letters) {
    for (int y = 0; y < letter.height && y < out.height; ++y) {
      for (int lx = 0; lx < letter.width; ++lx) {
        float& v = out.Ref(x + lx, y);
        v = std::max(v, letter.At(lx, y));
      }
    }
  }
  return out;
}

Mask RenderTextTight(const char* fontFile, int pixelSize, const std::string& utf8, int tracking) {
  Mask full = RenderText(fontFile, pixelSize, utf8, tracking);
  int x0 = full.width, y0 = full.height, x1 = -1, y1 = -1;
  for (int y = 0; y < full.height; ++y) {
    for (int x = 0; x < full.width; ++x) {
      if (full.At(x, y) > 0.0f) {
        x0 = std::min(x0, x);
        y0 = std::min(y0, y);
        x1 = std::max(x1, x);
        y1 = std::max(y1, y);
      }
    }
  }
  if (x1 < 0) return Mask();
  Mask out(x1 - x0 + 1, y1 - y0 + 1);
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) out.Ref(x - x0, y - y0) = full.At(x, y);
  }
  return out;
}
