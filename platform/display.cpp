// The display: the window, the two frame buffers and the presenting of a frame.
#include "platform/display.h"

#include <SDL.h>

#include <cstdint>
#include <string>

#include "media/draw.h"
#include "media/screen_buffers.h"
#include "media/sprite_table.h"
#include "platform/events.h"
#include "platform/frame_pacing.h"
#include "platform/presenter.h"
#include "platform/text_font.h"

namespace {

constexpr Uint32 kVideoSystems = SDL_INIT_VIDEO | SDL_INIT_EVENTS;

struct DisplayState {
  bool videoReady = false;  // InitDisplay succeeded and the display was not released since
  std::string error;        // why the video system or the screen did not open, for DisplayError
};

DisplayState display;

// Without a display SDL falls back to a driver that shows nothing (offscreen, dummy); the game
// would run unseen until killed. Only SDL_VIDEODRIVER may ask for one, as the tests do.
bool IsUnaskedHeadless() {
  const char* driver = SDL_GetCurrentVideoDriver();
  const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  const bool headless =
      driver != nullptr && (SDL_strcasecmp(driver, "offscreen") == 0 ||
                            SDL_strcasecmp(driver, "dummy") == 0 || SDL_strcasecmp(driver, "evdev") == 0);
  return headless && (asked == nullptr || SDL_strcasecmp(asked, driver) != 0);
}

}  // namespace

int InitDisplay() {
  if (display.videoReady) return 1;
  // Raw mouse counts: without this SDL scales relative motion by logical size / window size.
  SDL_SetHint(SDL_HINT_MOUSE_RELATIVE_SCALING, "0");
  SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");  // PresentFrame paces the frames itself
  if (SDL_InitSubSystem(kVideoSystems) != 0) {
    display.error = SDL_GetError();
    return 0;
  }
  if (IsUnaskedHeadless()) {
    SDL_QuitSubSystem(kVideoSystems);
    display.error = "no display found; start the game from a desktop session, or set DISPLAY";
    return 0;
  }
  display.videoReady = true;
  SetTextGlyphs({TextWidth, TextCoverage});
  return 1;
}

int OpenDisplay(int width, int height, int depth, const char* title) {
  // Only the low 16 bits of each number count.
  width = static_cast<std::int16_t>(width);
  height = static_cast<std::int16_t>(height);
  depth = static_cast<std::int16_t>(depth);
  if (!display.videoReady || depth != 32 || width <= 0 || height <= 0) {
    // Without the video system the reason is the one InitDisplay kept.
    if (display.videoReady) display.error = "unsupported mode";
    CloseDisplay();
    return 0;
  }
  if (!OpenPresenter(width, height, title != nullptr ? title : "")) {
    display.error = PresenterError();
    CloseDisplay();
    return 0;
  }
  OpenScreenBuffers(width, height);
  ShowFrame(FrontBufferArea().pixels);  // black on view at once, not only after the first frame
  SDL_ShowCursor(SDL_DISABLE);
  // Keys are read by position only; an input method would swallow dead keys such as ^.
  SDL_StopTextInput();
  // Drivers without relative mode (the headless one) refuse it; their motion events are relative anyway.
  SDL_SetRelativeMouseMode(SDL_TRUE);
  SetDisplayActive(true);
  return 1;
}

void PresentFrame() {
  ReleaseBackBufferTarget();
  PumpEvents();
  const bool showing = IsDisplayActive() && HasBackBuffer();
  if (showing) PrepareFrame(BackBufferArea().pixels);
  WaitForNextFrame();  // shown on the beat however long the frame took to draw
  if (showing) {
    ShowPreparedFrame();
    SwapScreenBuffers();
  }
  WaitAfterShow();
}

void HoldFrame() {
  ReleaseBackBufferTarget();
  PumpEvents();
  // A window that was uncovered or resized shows the frame on view again.
  const bool again = IsDisplayActive() && HasBackBuffer() && PresenterNeedsFrame();
  if (again) PrepareFrame(FrontBufferArea().pixels);
  WaitForNextFrame();
  if (again) ShowPreparedFrame();
  WaitAfterShow();
}

void SetDisplayFrameRate(int framesPerSecond) {
  SetPacedFrameRate(framesPerSecond);
  // The present that waits for the refresh is then the frame's wait.
  SetPresenterVSync(framesPerSecond > 0 && framesPerSecond == DisplayRefreshRate());
}

int DisplayRefreshRate() {
  SDL_Window* const window = PresenterWindow();
  if (window == nullptr) return 0;
  const int index = SDL_GetWindowDisplayIndex(window);
  SDL_DisplayMode mode{};
  if (index < 0 || SDL_GetCurrentDisplayMode(index, &mode) != 0) return 0;
  return mode.refresh_rate;
}

void SetDisplayIcon(const std::uint32_t* pixels, int width, int height) {
  if (pixels == nullptr || width <= 0 || height <= 0) return;
  SetPresenterIcon(pixels, width, height);
}

void SetDisplayWindowed(bool windowed) {
  SetPresenterWindowed(windowed);
}

bool IsDisplayWindowed() {
  return IsPresenterWindowed();
}

void CloseDisplay() {
  ReleaseDrawTargets();
  EmptyAllSpriteSlots();
  if (HasBackBuffer()) {
    SDL_SetRelativeMouseMode(SDL_FALSE);
    SDL_ShowCursor(SDL_ENABLE);
  }
  CloseScreenBuffers();
  ClosePresenter();
  SetDisplayActive(false);
}

void ReleaseDisplay() {
  CloseDisplay();
  if (display.videoReady) SDL_QuitSubSystem(kVideoSystems);
  display.videoReady = false;
  ResetWindowEvents();
}

const char* PresentPathName() {
  return PresenterPathName();
}

const char* DisplayError() {
  return display.error.empty() ? "the video system was not started" : display.error.c_str();
}
