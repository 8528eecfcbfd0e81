// The one event loop of the layer: keys, mouse and game controllers to the input's pending events,
// the rest to the display.
#include "platform/events.h"

#include <SDL.h>

#include "media/screen_buffers.h"
#include "platform/input_events.h"
#include "platform/key_map.h"
#include "platform/pad_events.h"
#include "platform/presenter.h"

namespace {

// The focus itself is the screen's (IsScreenShown), since sprite blits depend on it.
struct WindowState {
  bool closeRequested = false;  // SDL_QUIT seen
};

WindowState window;

// The mouse belongs to the game only while its window has the focus: then it is hidden and moves
// the game's pointer by raw counts; otherwise it is the desktop's. Changed only once the queue is
// drained, because SDL drops the motion still queued when the mode changes.
void HoldMouse(bool hold) {
  SDL_SetRelativeMouseMode(hold ? SDL_TRUE : SDL_FALSE);
  SDL_ShowCursor(hold ? SDL_DISABLE : SDL_ENABLE);
}

void HandleWindowEvent(const SDL_WindowEvent& event) {
  switch (event.event) {
    // Motion from now on is the desktop's, and PollMouse drops what is pending: none of it moves the
    // pointer when the window is back. Buttons stay pending.
    case SDL_WINDOWEVENT_FOCUS_LOST: SetScreenShown(false); break;
    case SDL_WINDOWEVENT_FOCUS_GAINED: SetScreenShown(HasBackBuffer()); break;
    // The bars around the picture are drawn again as well.
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_EXPOSED: PresenterWindowChanged(); break;
    default: break;
  }
}

int ButtonIndex(Uint8 sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT: return 0;
    case SDL_BUTTON_RIGHT: return 1;
    case SDL_BUTTON_MIDDLE: return 2;
    default: return -1;
  }
}

void HandleKey(const SDL_KeyboardEvent& event) {
  // Alt+Return switches between window and full screen; the game does not see the Return.
  if (event.type == SDL_KEYDOWN && event.keysym.scancode == SDL_SCANCODE_RETURN &&
      (event.keysym.mod & KMOD_ALT) != 0) {
    if (event.repeat == 0) SetPresenterWindowed(!IsPresenterWindowed());
    return;
  }
  if (event.repeat != 0) return;
  const int code = KeyCodeOfScancode(event.keysym.scancode);
  if (code != 0) RecordKey(code, event.type == SDL_KEYDOWN);
}

}  // namespace

void PumpEvents() {
  if (SDL_WasInit(SDL_INIT_EVENTS) == 0) return;
  const bool wasActive = IsScreenShown();
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    switch (event.type) {
      case SDL_KEYDOWN:
      case SDL_KEYUP: HandleKey(event.key); break;
      case SDL_MOUSEMOTION:
        if (IsScreenShown()) RecordMouseMotion(event.motion.xrel, event.motion.yrel);
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        RecordMouseButton(ButtonIndex(event.button.button), event.type == SDL_MOUSEBUTTONDOWN);
        break;
      case SDL_CONTROLLERDEVICEADDED:
      case SDL_CONTROLLERDEVICEREMOVED:
      case SDL_CONTROLLERBUTTONDOWN:
      case SDL_CONTROLLERBUTTONUP:
      case SDL_CONTROLLERAXISMOTION: HandlePadEvent(event); break;
      case SDL_WINDOWEVENT: HandleWindowEvent(event.window); break;
      case SDL_QUIT: window.closeRequested = true; break;
      case SDL_RENDER_TARGETS_RESET:
      case SDL_RENDER_DEVICE_RESET: PresenterWindowChanged(); break;
      default: break;
    }
  }
  if (IsScreenShown() != wasActive) HoldMouse(IsScreenShown());
}

bool IsDisplayActive() {
  return IsScreenShown();
}

bool WasCloseRequested() {
  return window.closeRequested;
}

void SetDisplayActive(bool active) {
  SetScreenShown(active);
}

void ResetWindowEvents() {
  window = WindowState{};
  SetScreenShown(false);
}
