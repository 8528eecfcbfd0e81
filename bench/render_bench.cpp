// Frame times of a heavy frame of blits and quads through the real renderer, unpaced, and of its
// parts, the present alone among them.
// Usage: render_bench [frames] (default 300); SDL_RENDER_DRIVER=opengl presents through OpenGL.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/bench_clock.h"
#include "formats/bmp_writer.h"
#include "media/quads.h"
#include "media/sprites.h"
#include "platform/display.h"
#include "platform/frame_pacing.h"
#include "platform/multimedia.h"

namespace {

constexpr int kBackground = 1;  // sprite slots
constexpr int kObject = 2;
constexpr int kGlow = 3;
constexpr int kVeil = 4;
constexpr int kObjectQuadCount = 200;  // quads 0 to 199 share the object sprite
constexpr int kGlowQuadCount = 20;     // quads 200 to 219 share the glow sprite
constexpr int kVeilQuad = 220;

// Loads `pixels` (top-down 0x00RRGGBB) into sprite n through a BMP file image, as the game's own
// built-in pictures are loaded.
bool MakeSprite(int n, int width, int height, const std::vector<std::uint32_t>& pixels, int mode) {
  const std::vector<std::uint8_t> file = EncodeBmp(pixels.data(), width, height);
  return LoadSpriteMemory(n, file.data(), file.size(), mode) != 0;
}

bool MakeSprites() {
  std::vector<std::uint32_t> background(440 * 340);
  for (int y = 0; y < 340; ++y)
    for (int x = 0; x < 440; ++x)
      background[y * 440 + x] = std::uint32_t((x ^ y) & 0xFF) << 8 | std::uint32_t(y & 0xFF);
  // An object with black (transparent) corners, and a soft dim glow.
  std::vector<std::uint32_t> object(64 * 64);
  std::vector<std::uint32_t> glow(32 * 32);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      const int d = (x - 32) * (x - 32) + (y - 32) * (y - 32);
      object[y * 64 + x] = d < 30 * 30 ? 0x806040u + std::uint32_t(d % 64) : 0;
      if (x < 32 && y < 32) {
        const int g = std::max(0, 40 - ((x - 16) * (x - 16) + (y - 16) * (y - 16)) / 8);
        glow[y * 32 + x] = std::uint32_t(g << 16 | g << 8 | g / 2);
      }
    }
  return MakeSprite(kBackground, 440, 340, background, kSpritePlain) &&
         MakeSprite(kObject, 64, 64, object, kSpriteTexture) &&
         MakeSprite(kGlow, 32, 32, glow, kSpriteTexture) &&
         MakeSprite(kVeil, 16, 16, std::vector<std::uint32_t>(16 * 16, 0x003200), kSpriteTexture);
}

// What a frame draws; the heavy frame is the first three.
enum Parts : int { kBlits = 1, kObjectQuads = 2, kGlowQuads = 4, kHeavy = 7, kMenuVeil = 8 };

void DrawFrame(int frame, int parts) {
  if (parts & kBlits) {
    BlitSprite(kBackground, 0, 0);
    BlitSprite(kBackground, 440, 0);
    BlitSprite(kBackground, 0, 340);
    BlitSprite(kBackground, 440, 340);
  }
  BeginQuads();
  for (int i = 0; (parts & kObjectQuads) && i < kObjectQuadCount; ++i) {
    SetQuadSize(i, 64, 64);
    SetQuadAngle(i, frame * 3 + i * 7, 1);
    DrawQuadAlpha(i, (i * 37) % 736, (i * 53) % 536, 128 + i % 128);
  }
  SetQuadBlend(5, 7);
  for (int i = 0; (parts & kGlowQuads) && i < kGlowQuadCount; ++i) {
    SetQuadSize(kObjectQuadCount + i, 800, 600);
    DrawQuadAlpha(kObjectQuadCount + i, 0, 0, 64);
  }
  SetQuadBlend(0, 1);
  // The menu's dark-green veil: 16 x 16 texels stretched over the screen at alpha 200.
  if (parts & kMenuVeil) DrawQuadAlpha(kVeilQuad, 0, 0, 200);
  EndQuads();
  PresentFrame();
}

// Draws `frames` frames and prints the median and 99th percentile of their times.
void Measure(const char* name, int parts, int frames) {
  bench::Stopwatch watch;
  for (int frame = 1; frame <= frames; ++frame) {
    watch.Start();
    DrawFrame(frame, parts);
    watch.Stop();
  }
  bench::Print(name, watch);
}

}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
  if (InitDisplay() == 0 || OpenDisplay(800, 600, 32, "render_bench") == 0 || InitQuads() == 0) {
    std::fprintf(stderr, "render_bench: no display\n");
    return 1;
  }
  SetFrameRate(0);
  SetQuadSmoothing(1);
  if (!MakeSprites()) {
    std::fprintf(stderr, "render_bench: sprites not made\n");
    return 1;
  }
  for (int i = 0; i < kObjectQuadCount; ++i) CreateQuad(i, kObject);
  for (int i = 0; i < kGlowQuadCount; ++i) CreateQuad(kObjectQuadCount + i, kGlow);
  CreateQuad(kVeilQuad, kVeil);
  SetQuadSize(kVeilQuad, 800, 600);

  std::printf("%d frames each, unpaced, shown through the %s\n", frames, PresentPathName());
  Measure("heavy frame (all below)", kHeavy, frames);
  Measure("4 blits of 440 x 340", kBlits, frames);
  Measure("200 turned quads of 64 x 64", kObjectQuads, frames);
  Measure("20 additive quads of 800 x 600", kGlowQuads, frames);
  Measure("the menu's veil", kMenuVeil, frames);
  Measure("the present alone", 0, frames);
  ShutdownMultimedia();
  return 0;
}
