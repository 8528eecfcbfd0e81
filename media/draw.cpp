// Drawing phases: text, filled rectangles and lines on the back buffer or on a sprite's pixels.
#include "media/draw.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "media/render_context.h"
#include "media/sprite_table.h"
#include "media/text_font.h"

// There are two of these: one for the back buffer and one for a sprite.
struct DrawTarget {
  int sprite;      // slot drawn on; kBackBuffer for the back buffer
  bool handedOut;  // given out by its target operation and not yet given back by EndDraw
};

namespace {

constexpr int kBackBuffer = -1;
constexpr std::uint32_t kBlack = 0x000000;  // 0x00RRGGBB, as the pixels hold it
constexpr std::uint32_t kWhite = 0xFFFFFF;  // background of opaque text, never changed

DrawTarget backBufferRecord{kBackBuffer, false};
DrawTarget spriteRecord{0, false};

struct Phase {
  DrawTarget* target = nullptr;  // nullptr outside a phase
  int flags = 0;                 // DrawFlags of the last SetDrawFlags in this phase
  std::uint32_t rgb = kBlack;    // pen, fill and text colour as 0x00RRGGBB; black at BeginDraw
  int x = 0;                     // current position, screen or sprite pixels
  int y = 0;
};

Phase phase;
int drawColour = 0;  // 0x00BBGGRR of the last SetDrawColor; kept from phase to phase

std::uint32_t RgbOf(int bbggrr) {
  const auto value = static_cast<std::uint32_t>(bbggrr);
  return ((value & 0xFF) << 16) | (value & 0xFF00) | ((value >> 16) & 0xFF);
}

// The sprite of the open phase; nullptr on the back buffer or when the slot was emptied meanwhile.
Sprite* PhaseSprite() {
  return phase.target->sprite == kBackBuffer ? nullptr : SpriteSlot(phase.target->sprite);
}

// Width and height of the open phase's target; false when it is gone.
bool TargetSize(int& width, int& height) {
  if (phase.target->sprite == kBackBuffer) {
    if (!HasBackBuffer()) return false;
    width = renderContext.screenWidth;
    height = renderContext.screenHeight;
    return true;
  }
  const Sprite* sprite = PhaseSprite();
  if (sprite == nullptr) return false;
  width = sprite->width;
  height = sprite->height;
  return true;
}

// The part of x..x+w-1, y..y+h-1 inside width x height; computed wide so no sum overflows.
std::optional<SDL_Rect> Clip(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h, int width,
                             int height) {
  const std::int64_t left = std::max<std::int64_t>(x, 0);
  const std::int64_t top = std::max<std::int64_t>(y, 0);
  const std::int64_t right = std::min<std::int64_t>(x + w, width);
  const std::int64_t bottom = std::min<std::int64_t>(y + h, height);
  if (left >= right || top >= bottom) return std::nullopt;
  return SDL_Rect{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                  static_cast<int>(bottom - top)};
}

// Rounds numerator / denominator (denominator > 0) to the nearest integer, halves upwards.
std::int64_t RoundedQuotient(__int128 numerator, std::int64_t denominator) {
  __int128 twice = 2 * numerator + denominator;
  __int128 quotient = twice / (2 * static_cast<__int128>(denominator));
  if (twice % (2 * static_cast<__int128>(denominator)) < 0) --quotient;  // floor, not truncation
  return static_cast<std::int64_t>(quotient);
}

// The pixels of the line from (x0, y0) towards (x1, y1) without the end point, one per step along
// the longer axis, limited to the width x height target.
std::vector<SDL_Rect> LinePixels(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                                 int width, int height) {
  std::vector<SDL_Rect> pixels;
  const std::int64_t dx = x1 - x0;
  const std::int64_t dy = y1 - y0;
  const bool alongX = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
  const std::int64_t major0 = alongX ? x0 : y0;
  const std::int64_t minor0 = alongX ? y0 : x0;
  const std::int64_t majorDelta = alongX ? dx : dy;
  const std::int64_t minorDelta = alongX ? dy : dx;
  const std::int64_t majorExtent = alongX ? width : height;
  const std::int64_t minorExtent = alongX ? height : width;
  const std::int64_t steps = majorDelta < 0 ? -majorDelta : majorDelta;
  if (steps == 0) return pixels;
  const std::int64_t direction = majorDelta < 0 ? -1 : 1;
  // Only the steps whose major coordinate lies on the target are visited.
  std::int64_t first = direction > 0 ? -major0 : major0 - (majorExtent - 1);
  std::int64_t last = direction > 0 ? majorExtent - 1 - major0 : major0;
  first = std::max<std::int64_t>(first, 0);
  last = std::min<std::int64_t>(last, steps - 1);
  for (std::int64_t step = first; step <= last; ++step) {
    const std::int64_t major = major0 + direction * step;
    const std::int64_t minor = minor0 + RoundedQuotient(static_cast<__int128>(step) * minorDelta, steps);
    if (minor < 0 || minor >= minorExtent) continue;
    const auto px = static_cast<int>(alongX ? major : minor);
    const auto py = static_cast<int>(alongX ? minor : major);
    pixels.push_back(SDL_Rect{px, py, 1, 1});
  }
  return pixels;
}

// Reads the back buffer under `rects`, inverts those pixels and writes them back; the software
// renderer offers no blend mode that inverts.
void InvertOnBackBuffer(const std::vector<SDL_Rect>& rects) {
  SDL_Rect box = rects.front();
  for (const SDL_Rect& rect : rects) SDL_UnionRect(&box, &rect, &box);
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(box.w) * box.h);
  if (SDL_RenderReadPixels(renderContext.renderer, &box, SDL_PIXELFORMAT_ARGB8888, pixels.data(),
                           box.w * 4) != 0) {
    return;
  }
  for (const SDL_Rect& rect : rects) {
    for (int y = rect.y; y < rect.y + rect.h; ++y) {
      for (int x = rect.x; x < rect.x + rect.w; ++x) {
        std::uint32_t& pixel = pixels[static_cast<std::size_t>(y - box.y) * box.w + (x - box.x)];
        pixel = 0xFF000000 | (~pixel & 0xFFFFFF);
      }
    }
  }
  SDL_Texture* patch = SDL_CreateTexture(renderContext.renderer, SDL_PIXELFORMAT_ARGB8888,
                                         SDL_TEXTUREACCESS_STATIC, box.w, box.h);
  if (patch == nullptr) return;
  SDL_UpdateTexture(patch, nullptr, pixels.data(), box.w * 4);
  SDL_SetTextureBlendMode(patch, SDL_BLENDMODE_NONE);
  SDL_RenderCopy(renderContext.renderer, patch, nullptr, &box);
  SDL_DestroyTexture(patch);
}

// Sets the pixels of `rects` (inside the target, not overlapping) to `rgb`, or inverts them.
void PaintRects(const std::vector<SDL_Rect>& rects, std::uint32_t rgb, bool invert) {
  if (rects.empty()) return;
  if (Sprite* sprite = PhaseSprite()) {
    for (const SDL_Rect& rect : rects) {
      for (int y = rect.y; y < rect.y + rect.h; ++y) {
        std::uint32_t* row = sprite->pixels.data() + static_cast<std::size_t>(y) * sprite->width;
        for (int x = rect.x; x < rect.x + rect.w; ++x) {
          row[x] = invert ? row[x] ^ 0xFFFFFF : rgb;
        }
      }
    }
    sprite->textureStale = true;
    return;
  }
  if (phase.target->sprite != kBackBuffer || !TargetBackBuffer()) return;
  if (invert) {
    InvertOnBackBuffer(rects);
    return;
  }
  SDL_SetRenderDrawBlendMode(renderContext.renderer, SDL_BLENDMODE_NONE);
  SDL_SetRenderDrawColor(renderContext.renderer, (rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF, 0xFF);
  SDL_RenderFillRects(renderContext.renderer, rects.data(), static_cast<int>(rects.size()));
}

// Lays antialiased text (a 32-bit surface with coverage in its alpha) over the target at (x, y).
void BlendText(SDL_Surface* text, int x, int y) {
  int width = 0;
  int height = 0;
  if (!TargetSize(width, height)) return;
  if (Sprite* sprite = PhaseSprite()) {
    const std::optional<SDL_Rect> area = Clip(x, y, text->w, text->h, width, height);
    if (!area) return;
    for (int py = area->y; py < area->y + area->h; ++py) {
      const auto* source = reinterpret_cast<const std::uint32_t*>(
          static_cast<const std::uint8_t*>(text->pixels) + static_cast<std::size_t>(py - y) * text->pitch);
      std::uint32_t* row = sprite->pixels.data() + static_cast<std::size_t>(py) * sprite->width;
      for (int px = area->x; px < area->x + area->w; ++px) {
        std::uint8_t r, g, b, a;
        SDL_GetRGBA(source[px - x], text->format, &r, &g, &b, &a);
        const std::uint32_t below = row[px];
        const auto mix = [a](std::uint32_t over, std::uint32_t under) {
          return (over * a + under * (255 - a) + 127) / 255;
        };
        row[px] =
            (mix(r, (below >> 16) & 0xFF) << 16) | (mix(g, (below >> 8) & 0xFF) << 8) | mix(b, below & 0xFF);
      }
    }
    sprite->textureStale = true;
    return;
  }
  if (phase.target->sprite != kBackBuffer || !TargetBackBuffer()) return;
  SDL_Texture* texture = SDL_CreateTextureFromSurface(renderContext.renderer, text);
  if (texture == nullptr) return;
  SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
  const SDL_Rect place{x, y, text->w, text->h};
  SDL_RenderCopy(renderContext.renderer, texture, nullptr, &place);
  SDL_DestroyTexture(texture);
}

}  // namespace

DrawTarget* BackBufferTarget() {
  if (backBufferRecord.handedOut || !HasBackBuffer()) return nullptr;
  backBufferRecord.handedOut = true;
  return &backBufferRecord;
}

DrawTarget* SpriteTarget(int n) {
  if (spriteRecord.handedOut || SpriteSlot(n) == nullptr) return nullptr;
  spriteRecord.sprite = n;
  spriteRecord.handedOut = true;
  return &spriteRecord;
}

int BeginDraw(DrawTarget* target) {
  EndDraw();
  // A record given back by EndDraw no longer holds its target, even if the caller kept it.
  if (target == nullptr || !target->handedOut) return 0;
  phase = Phase{};
  phase.target = target;
  return 1;
}

void EndDraw() {
  if (phase.target == nullptr) return;
  phase.target->handedOut = false;
  phase = Phase{};
}

void SetDrawFlags(int flags) {
  if (phase.target == nullptr) return;
  phase.flags = flags;
}

void SetDrawColor(int r, int g, int b) {
  if (phase.target == nullptr) return;
  drawColour = static_cast<int>(static_cast<std::uint32_t>(r) + static_cast<std::uint32_t>(g) * 256u +
                                static_cast<std::uint32_t>(b) * 65536u);
  phase.rgb = RgbOf(drawColour);
}

void SetTextPosition(int x, int y) {
  if (phase.target == nullptr) return;
  phase.x = x;
  phase.y = y;
}

void WriteText(const char* text) {
  if (phase.target == nullptr || text == nullptr || *text == '\0') return;
  const int advance = TextWidth(text);
  const SDL_Color colour{static_cast<std::uint8_t>(phase.rgb >> 16),
                         static_cast<std::uint8_t>(phase.rgb >> 8), static_cast<std::uint8_t>(phase.rgb),
                         0xFF};
  if (SDL_Surface* glyphs = RenderText(text, colour)) {
    int width = 0;
    int height = 0;
    if ((phase.flags & kDrawTransparentText) == 0 && TargetSize(width, height)) {
      if (const std::optional<SDL_Rect> box = Clip(phase.x, phase.y, glyphs->w, glyphs->h, width, height)) {
        PaintRects({*box}, kWhite, false);
      }
    }
    BlendText(glyphs, phase.x, phase.y);
    SDL_FreeSurface(glyphs);
  }
  phase.x = static_cast<int>(static_cast<std::int64_t>(phase.x) + advance);
}

int MeasureText(const char* text) {
  if (phase.target == nullptr) return 0;
  return TextWidth(text);
}

void FillRect(int x, int y, int width, int height, int colour) {
  if (phase.target == nullptr) return;
  const auto value = static_cast<std::uint32_t>(colour);
  SetDrawColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
  int targetWidth = 0;
  int targetHeight = 0;
  if (width <= 0 || height <= 0 || !TargetSize(targetWidth, targetHeight)) return;
  // Pen outline and brush fill have the same colour, so a filled rectangle is one block.
  std::vector<std::optional<SDL_Rect>> parts;
  const std::int64_t right = static_cast<std::int64_t>(x) + width - 1;
  const std::int64_t bottom = static_cast<std::int64_t>(y) + height - 1;
  const std::int64_t belowTop = static_cast<std::int64_t>(y) + 1;
  if ((phase.flags & kDrawNoFill) == 0) {
    parts.push_back(Clip(x, y, width, height, targetWidth, targetHeight));
  } else {
    parts.push_back(Clip(x, y, width, 1, targetWidth, targetHeight));
    if (height > 1) parts.push_back(Clip(x, bottom, width, 1, targetWidth, targetHeight));
    if (height > 2) {
      parts.push_back(Clip(x, belowTop, 1, height - 2, targetWidth, targetHeight));
      if (width > 1) parts.push_back(Clip(right, belowTop, 1, height - 2, targetWidth, targetHeight));
    }
  }
  std::vector<SDL_Rect> rects;
  for (const std::optional<SDL_Rect>& part : parts) {
    if (part) rects.push_back(*part);
  }
  PaintRects(rects, phase.rgb, (phase.flags & kDrawInvert) != 0);
}

void DrawLineRel(int x, int y, int dx, int dy) {
  if (phase.target == nullptr) return;
  const std::int64_t endX = static_cast<std::int64_t>(x) + dx;
  const std::int64_t endY = static_cast<std::int64_t>(y) + dy;
  int width = 0;
  int height = 0;
  if (TargetSize(width, height)) {
    PaintRects(LinePixels(x, y, endX, endY, width, height), phase.rgb, (phase.flags & kDrawInvert) != 0);
  }
  phase.x = static_cast<int>(endX);
  phase.y = static_cast<int>(endY);
}

int CurrentDrawColor() {
  return drawColour;
}
