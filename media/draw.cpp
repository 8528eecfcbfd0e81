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

// The pixels of the open phase's target; none when the sprite was emptied meanwhile.
PixelArea PhaseArea() {
  if (phase.target->sprite == kBackBuffer) return BackBufferArea();
  Sprite* sprite = SpriteSlot(phase.target->sprite);
  return sprite == nullptr ? PixelArea{} : sprite->Area();
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

// Sets the pixels of `rects` (inside the target, not overlapping) to `rgb`, or inverts them.
void PaintRects(const std::vector<SDL_Rect>& rects, std::uint32_t rgb, bool invert) {
  const PixelArea canvas = PhaseArea();
  if (canvas.pixels == nullptr) return;
  for (const SDL_Rect& rect : rects) {
    for (int y = rect.y; y < rect.y + rect.h; ++y) {
      std::uint32_t* row = canvas.pixels + std::size_t(y) * std::size_t(canvas.width);
      if (!invert) {
        std::fill(row + rect.x, row + rect.x + rect.w, rgb);
        continue;
      }
      for (int x = rect.x; x < rect.x + rect.w; ++x) row[x] ^= 0xFFFFFF;
    }
  }
}

// Lays text in `rgb` over the target with its top-left corner at (x, y), each pixel mixed with what
// lies below by the glyphs' coverage.
void BlendText(const TextImage& text, int x, int y, std::uint32_t rgb) {
  const PixelArea canvas = PhaseArea();
  if (canvas.pixels == nullptr) return;
  const std::optional<SDL_Rect> area = Clip(x, y, text.width, text.height, canvas.width, canvas.height);
  if (!area) return;
  for (int py = area->y; py < area->y + area->h; ++py) {
    const std::uint8_t* coverage = text.coverage.data() + std::size_t(py - y) * std::size_t(text.width);
    std::uint32_t* row = canvas.pixels + std::size_t(py) * std::size_t(canvas.width);
    for (int px = area->x; px < area->x + area->w; ++px) {
      const std::uint32_t a = coverage[px - x];
      if (a == 0) continue;
      const std::uint32_t below = row[px];
      std::uint32_t mixed = 0;
      for (int shift = 0; shift < 24; shift += 8) {
        const std::uint32_t over = rgb >> shift & 0xFF;
        const std::uint32_t under = below >> shift & 0xFF;
        mixed |= (over * a + under * (255 - a) + 127) / 255 << shift;
      }
      row[px] = mixed;
    }
  }
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
  const PixelArea canvas = PhaseArea();
  const TextImage* glyphs =
      canvas.pixels != nullptr
          ? TextCoverage(text,
                         int(std::clamp<std::int64_t>(std::int64_t(canvas.width) - phase.x, 1, canvas.width)))
          : nullptr;
  if (glyphs != nullptr) {
    if ((phase.flags & kDrawTransparentText) == 0) {
      if (const std::optional<SDL_Rect> box =
              Clip(phase.x, phase.y, glyphs->width, glyphs->height, canvas.width, canvas.height)) {
        PaintRects({*box}, kWhite, false);
      }
    }
    BlendText(*glyphs, phase.x, phase.y, phase.rgb);
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
  const PixelArea canvas = PhaseArea();
  const int targetWidth = canvas.width;
  const int targetHeight = canvas.height;
  if (width <= 0 || height <= 0 || canvas.pixels == nullptr) return;
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
  const PixelArea canvas = PhaseArea();
  if (canvas.pixels != nullptr) {
    PaintRects(LinePixels(x, y, endX, endY, canvas.width, canvas.height), phase.rgb,
               (phase.flags & kDrawInvert) != 0);
  }
  phase.x = static_cast<int>(endX);
  phase.y = static_cast<int>(endY);
}

int CurrentDrawColor() {
  return drawColour;
}
