// The display: the two frame buffers, presenting a frame, and the shutdown of the whole layer.
#include "media/display.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

#include "media/events.h"
#include "media/frame_pacing.h"
#include "media/input.h"
#include "media/presenter.h"
#include "media/quad_bands.h"
#include "media/quads.h"
#include "media/render_context.h"
#include "media/sound.h"
#include "media/sprite_table.h"

RenderContext renderContext;

namespace {

constexpr Uint32 kVideoSystems = SDL_INIT_VIDEO | SDL_INIT_EVENTS;

bool videoReady = false;   // InitDisplay succeeded and the layer was not shut down since
std::string displayError;  // why the video system or the screen did not open, for DisplayError

void FreeBuffers() {
  // Swapped with empty vectors so that the memory itself goes back.
  std::vector<std::uint32_t>().swap(renderContext.backBuffer);
  std::vector<std::uint32_t>().swap(renderContext.frontBuffer);
}

}  // namespace

bool HasBackBuffer() {
  return !renderContext.backBuffer.empty();
}

PixelArea BackBufferArea() {
  if (!HasBackBuffer()) return {};
  return {renderContext.backBuffer.data(), renderContext.screenWidth, renderContext.screenHeight};
}

bool ReadBackBuffer(unsigned int* pixels) {
  if (pixels == nullptr || !HasBackBuffer()) return false;
  std::copy(renderContext.backBuffer.begin(), renderContext.backBuffer.end(), pixels);
  return true;
}

int InitDisplay() {
  if (videoReady) return 1;
  // Raw mouse counts: without this SDL scales relative motion by logical size / window size.
  SDL_SetHint(SDL_HINT_MOUSE_RELATIVE_SCALING, "0");
  SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");  // PresentFrame paces the frames itself
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
  if (!videoReady || depth != 32 || width <= 0 || height <= 0) {
    // Without the video system the reason is the one InitDisplay kept.
    if (videoReady) displayError = "unsupported mode";
    CloseDisplay();
    return 0;
  }
  if (!OpenPresenter(width, height, title != nullptr ? title : "")) {
    displayError = PresenterError();
    CloseDisplay();
    return 0;
  }
  renderContext.screenWidth = width;
  renderContext.screenHeight = height;
  // Both buffers black; nothing clears them later.
  renderContext.backBuffer.assign(std::size_t(width) * std::size_t(height), 0);
  renderContext.frontBuffer.assign(std::size_t(width) * std::size_t(height), 0);
  ShowFrame(renderContext.frontBuffer.data());  // black on view at once, not only after the first frame
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
    ShowFrame(renderContext.backBuffer.data());
    // Like a flip: the back buffer now holds the frame before last.
    std::swap(renderContext.backBuffer, renderContext.frontBuffer);
  }
  WaitForNextFrame();
}

void SetDisplayWindowed(int windowed) {
  SetPresenterWindowed(windowed != 0);
}

int IsDisplayWindowed() {
  return IsPresenterWindowed() ? 1 : 0;
}

void CloseDisplay() {
  FreeAllSprites();
  FreeBuffers();
  if (renderContext.screenWidth > 0) {
    SDL_SetRelativeMouseMode(SDL_FALSE);
    SDL_ShowCursor(SDL_ENABLE);
  }
  ClosePresenter();
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
  StopBandThread();
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
