// Drawing phases: text, filled rectangles and lines on the back buffer or on a sprite's pixels.
#include "media/draw.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "media/screen_buffers.h"
#include "media/sprite_table.h"
#include "raster/shapes.h"
#include "raster/text_blend.h"

// There are two of these: one for the back buffer and one for a sprite.
struct DrawTarget {
  int sprite;      // slot drawn on; kBackBuffer for the back buffer
  bool handedOut;  // given out by its target operation and not yet given back
};

namespace {

constexpr int kBackBuffer = -1;
constexpr std::uint32_t kWhite = RgbPixel(255, 255, 255);  // background of opaque text, never changed

struct Phase {
  DrawTarget* target = nullptr;  // nullptr outside a phase
  int flags = 0;                 // DrawFlags of the last SetDrawFlags in this phase
  std::uint32_t rgb = 0;         // pen, fill and text colour; black at BeginDraw
  int x = 0;                     // current position, screen or sprite pixels
  int y = 0;
};

struct DrawState {
  DrawTarget backBuffer{kBackBuffer, false};
  DrawTarget sprite{0, false};
  Phase phase;
  std::uint32_t colour = 0;  // of the last SetDrawColor; kept from phase to phase
};

DrawState state;
TextGlyphs glyphs;  // the platform's font

int TextWidth(const char* text) {
  return glyphs.width != nullptr ? glyphs.width(text) : 0;
}

// The pixels of the open phase's target; none when the sprite was emptied meanwhile.
PixelArea PhaseArea() {
  if (state.phase.target->sprite == kBackBuffer) return BackBufferArea();
  Sprite* sprite = SpriteSlot(state.phase.target->sprite);
  return sprite == nullptr ? PixelArea{} : sprite->Area();
}

Paint PhasePaint() {
  return {state.phase.rgb, (state.phase.flags & kDrawInvert) != 0};
}

}  // namespace

void SetTextGlyphs(const TextGlyphs& source) {
  glyphs = source;
}

DrawTarget* BackBufferTarget() {
  if (state.backBuffer.handedOut || !HasBackBuffer()) return nullptr;
  state.backBuffer.handedOut = true;
  return &state.backBuffer;
}

DrawTarget* SpriteTarget(int n) {
  if (state.sprite.handedOut || SpriteSlot(n) == nullptr) return nullptr;
  state.sprite.sprite = n;
  state.sprite.handedOut = true;
  return &state.sprite;
}

int BeginDraw(DrawTarget* target) {
  EndDraw();
  // A record given back by EndDraw no longer holds its target, even if the caller kept it.
  if (target == nullptr || !target->handedOut) return 0;
  state.phase = Phase{};
  state.phase.target = target;
  return 1;
}

void EndDraw() {
  if (state.phase.target == nullptr) return;
  state.phase.target->handedOut = false;
  state.phase = Phase{};
}

void SetDrawFlags(int flags) {
  if (state.phase.target == nullptr) return;
  state.phase.flags = flags;
}

void SetDrawColor(int r, int g, int b) {
  if (state.phase.target == nullptr) return;
  state.colour = RgbPixel(r, g, b);
  state.phase.rgb = state.colour;
}

void SetTextPosition(int x, int y) {
  if (state.phase.target == nullptr) return;
  state.phase.x = x;
  state.phase.y = y;
}

void WriteText(const char* text) {
  if (state.phase.target == nullptr || text == nullptr || *text == '\0') return;
  Phase& phase = state.phase;
  const int advance = TextWidth(text);
  const PixelArea canvas = PhaseArea();
  // The text is visible from its start (or the target's left edge) to the target's right edge.
  const auto visibleWidth = int(std::clamp<std::int64_t>(std::int64_t(canvas.width) - phase.x, 1, INT_MAX));
  const CoverageImage* coverage =
      canvas.pixels != nullptr && glyphs.coverage != nullptr ? glyphs.coverage(text, visibleWidth) : nullptr;
  if (coverage != nullptr) {
    if ((phase.flags & kDrawTransparentText) == 0) {
      FillRectangle(canvas, phase.x, phase.y, coverage->width, coverage->height, {kWhite, false});
    }
    BlendCoverage(canvas, *coverage, phase.x, phase.y, phase.rgb);
  }
  phase.x = static_cast<int>(static_cast<std::int64_t>(phase.x) + advance);
}

int MeasureText(const char* text) {
  if (state.phase.target == nullptr) return 0;
  return TextWidth(text);
}

int CentredOn(const char* original, int x, const char* text) {
  return x + (MeasureText(original) - MeasureText(text)) / 2;
}

void FillRect(int x, int y, int width, int height, std::uint32_t colour) {
  if (state.phase.target == nullptr) return;
  SetDrawColor(colour >> 16 & 0xFF, colour >> 8 & 0xFF, colour & 0xFF);
  // Pen outline and brush fill have the same colour, so a filled rectangle is one block.
  if ((state.phase.flags & kDrawNoFill) == 0) {
    FillRectangle(PhaseArea(), x, y, width, height, PhasePaint());
  } else {
    OutlineRectangle(PhaseArea(), x, y, width, height, PhasePaint());
  }
}

void DrawLineRel(int x, int y, int dx, int dy) {
  if (state.phase.target == nullptr) return;
  const std::int64_t endX = static_cast<std::int64_t>(x) + dx;
  const std::int64_t endY = static_cast<std::int64_t>(y) + dy;
  DrawLine(PhaseArea(), x, y, endX, endY, PhasePaint());
  state.phase.x = static_cast<int>(endX);
  state.phase.y = static_cast<int>(endY);
}

std::uint32_t CurrentDrawColor() {
  return state.colour;
}

bool IsBackBufferHeld() {
  return state.backBuffer.handedOut;
}

void ReleaseBackBufferTarget() {
  if (state.phase.target == &state.backBuffer) EndDraw();
  state.backBuffer.handedOut = false;
}

void ReleaseDrawTargets() {
  EndDraw();
  state.backBuffer.handedOut = false;
  state.sprite.handedOut = false;
}
