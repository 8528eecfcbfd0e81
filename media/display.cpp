// The window, the two 800 x 600 buffers, presenting a frame and the shutdown of the whole layer.
#include "media/display.h"

#include <SDL.h>

#include <cstdint>
#include <string>
#include <utility>

#include "media/events.h"
#include "media/frame_pacing.h"
#include "media/input.h"
#include "media/quads.h"
#include "media/render_context.h"
#include "media/sound.h"
#include "media/sprite_table.h"

RenderContext renderContext;

namespace {

constexpr Uint32 kVideoSystems = SDL_INIT_VIDEO | SDL_INIT_EVENTS;

bool videoReady = false;   // InitDisplay succeeded and the layer was not shut down since
std::string displayError;  // why the video system or the screen did not open, for DisplayError

// Fills the renderer's current target with opaque black, keeping the draw colour of the caller.
void ClearToBlack(SDL_Renderer* renderer) {
  Uint8 r = 0, g = 0, b = 0, a = 0;
  SDL_GetRenderDrawColor(renderer, &r, &g, &b, &a);
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  SDL_SetRenderDrawColor(renderer, r, g, b, a);
}

// A render-target texture of the screen's size, cleared to opaque black; nullptr on failure.
SDL_Texture* NewBlackBuffer() {
  SDL_Renderer* renderer = renderContext.renderer;
  SDL_Texture* buffer = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                          renderContext.screenWidth, renderContext.screenHeight);
  if (buffer == nullptr) return nullptr;
  // The buffer replaces the window's pixels when presented, whatever alpha the drawing left.
  SDL_SetTextureBlendMode(buffer, SDL_BLENDMODE_NONE);
  // Every screen pixel shows the colour of one buffer pixel; blending neighbours would also cost
  // several milliseconds a frame on a software renderer.
  SDL_SetTextureScaleMode(buffer, SDL_ScaleModeNearest);
  if (SDL_SetRenderTarget(renderer, buffer) != 0) {
    SDL_DestroyTexture(buffer);
    return nullptr;
  }
  ClearToBlack(renderer);
  return buffer;
}

void DestroyBuffers() {
  if (renderContext.renderer != nullptr) SDL_SetRenderTarget(renderContext.renderer, nullptr);
  if (renderContext.backBuffer != nullptr) SDL_DestroyTexture(renderContext.backBuffer);
  if (renderContext.frontBuffer != nullptr) SDL_DestroyTexture(renderContext.frontBuffer);
  renderContext.backBuffer = nullptr;
  renderContext.frontBuffer = nullptr;
}

bool CreateBuffers() {
  DestroyBuffers();
  renderContext.backBuffer = NewBlackBuffer();
  renderContext.frontBuffer = NewBlackBuffer();
  if (renderContext.backBuffer == nullptr || renderContext.frontBuffer == nullptr) {
    DestroyBuffers();
    return false;
  }
  return TargetBackBuffer();
}

// Makes the window and its renderer, or reuses them from an earlier OpenDisplay.
bool EnsureWindow(int width, int height, const char* title) {
  if (renderContext.window == nullptr) {
    // Made as large as the desktop: without a window manager (a bare X server) nobody else makes a
    // full-screen window cover the screen, and the picture would land in a corner of it.
    SDL_Rect desktop{SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height};
    SDL_GetDisplayBounds(0, &desktop);
    renderContext.window =
        SDL_CreateWindow(title, desktop.x, desktop.y, desktop.w, desktop.h, SDL_WINDOW_FULLSCREEN_DESKTOP);
    if (renderContext.window == nullptr) return false;
  } else {
    SDL_SetWindowTitle(renderContext.window, title);
  }
  if (renderContext.renderer == nullptr) {
    // No vsync: PresentFrame paces the frames itself.
    renderContext.renderer =
        SDL_CreateRenderer(renderContext.window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE);
    if (renderContext.renderer == nullptr) {
      renderContext.renderer =
          SDL_CreateRenderer(renderContext.window, -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE);
    }
  }
  return renderContext.renderer != nullptr;
}

}  // namespace

bool HasBackBuffer() {
  return renderContext.backBuffer != nullptr;
}

bool TargetBackBuffer() {
  if (!HasBackBuffer()) return false;
  return SDL_SetRenderTarget(renderContext.renderer, renderContext.backBuffer) == 0;
}

bool ReadBackBuffer(unsigned int* pixels) {
  if (pixels == nullptr || !TargetBackBuffer()) return false;
  const int width = renderContext.screenWidth;
  const int height = renderContext.screenHeight;
  if (SDL_RenderReadPixels(renderContext.renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels,
                           width * static_cast<int>(sizeof *pixels)) != 0) {
    return false;
  }
  const long count = static_cast<long>(width) * height;
  for (long i = 0; i < count; ++i) pixels[i] &= 0x00FFFFFFu;
  return true;
}

bool RecreateDisplayBuffers() {
  return HasBackBuffer() && CreateBuffers();
}

int InitDisplay() {
  if (videoReady) return 1;
  // Raw mouse counts: without this SDL scales relative motion by logical size / window size.
  SDL_SetHint(SDL_HINT_MOUSE_RELATIVE_SCALING, "0");
  SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
  if (SDL_InitSubSystem(kVideoSystems) != 0) {
    displayError = SDL_GetError();
    return 0;
  }
  videoReady = true;
  return 1;
}

int OpenDisplay(int width, int height, int depth, const char* title) {
  // Only the low 16 bits of each number count.
  width = static_cast<std::int16_t>(width);
  height = static_cast<std::int16_t>(height);
  depth = static_cast<std::int16_t>(depth);
  if (!videoReady || depth != 32 || width <= 0 || height <= 0 ||
      !EnsureWindow(width, height, title != nullptr ? title : "")) {
    // Without the video system the reason is the one InitDisplay kept.
    if (videoReady) {
      displayError = depth != 32 || width <= 0 || height <= 0 ? "unsupported mode" : SDL_GetError();
    }
    CloseDisplay();
    return 0;
  }
  SDL_Renderer* renderer = renderContext.renderer;
  SDL_SetRenderTarget(renderer, nullptr);
  renderContext.screenWidth = width;
  renderContext.screenHeight = height;
  if (SDL_RenderSetLogicalSize(renderer, width, height) != 0 || !CreateBuffers()) {
    displayError = SDL_GetError();
    CloseDisplay();
    return 0;
  }
  // Black on view at once, not only after the first frame.
  SDL_SetRenderTarget(renderer, nullptr);
  ClearToBlack(renderer);
  SDL_RenderPresent(renderer);
  TargetBackBuffer();
  SDL_ShowCursor(SDL_DISABLE);
  // Keys are read by position only; an input method would swallow dead keys such as ^.
  SDL_StopTextInput();
  // Drivers without relative mode (the headless one) refuse it; their motion events are relative anyway.
  SDL_SetRelativeMouseMode(SDL_TRUE);
  renderContext.active = true;
  return 1;
}

void PresentFrame() {
  PumpEvents();
  if (renderContext.active && HasBackBuffer()) {
    SDL_Renderer* renderer = renderContext.renderer;
    SDL_SetRenderTarget(renderer, nullptr);
    ClearToBlack(renderer);  // the letterbox bars
    SDL_RenderCopy(renderer, renderContext.backBuffer, nullptr, nullptr);
    SDL_RenderPresent(renderer);
    // Like a flip: the back buffer now holds the frame before last.
    std::swap(renderContext.backBuffer, renderContext.frontBuffer);
  }
  WaitForNextFrame();
  TargetBackBuffer();
}

void CloseDisplay() {
  FreeAllSprites();
  DestroyBuffers();
  if (renderContext.renderer != nullptr) SDL_DestroyRenderer(renderContext.renderer);
  renderContext.renderer = nullptr;
  if (renderContext.window != nullptr) {
    SDL_SetRelativeMouseMode(SDL_FALSE);
    SDL_ShowCursor(SDL_ENABLE);
    SDL_DestroyWindow(renderContext.window);
  }
  renderContext.window = nullptr;
  renderContext.screenWidth = 0;
  renderContext.screenHeight = 0;
  renderContext.active = false;
}

void ShutdownMultimedia() {
  ReleaseKeyboard();
  ReleaseMouse();
  ReleaseAudio();
  CloseDisplay();
  if (videoReady) SDL_QuitSubSystem(kVideoSystems);
  videoReady = false;
  ClearQuads();
}

int IsDisplayActive() {
  return renderContext.active ? 1 : 0;
}

int WasCloseRequested() {
  return renderContext.closeRequested ? 1 : 0;
}

const char* DisplayError() {
  return displayError.empty() ? "the video system was not started" : displayError.c_str();
}
