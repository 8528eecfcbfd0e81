// The one event loop of the layer: keys and mouse to the input module, the rest to the display.
#include "media/events.h"

#include "media/presenter.h"
#include "media/render_context.h"

namespace {

// The mouse belongs to the game only while its window has the focus: then it is hidden and moves
// the game's pointer by raw counts; otherwise it is the desktop's. Changed only once the queue is
// drained, because SDL drops the motion still queued when the mode changes.
void HoldMouse(bool hold) {
  SDL_SetRelativeMouseMode(hold ? SDL_TRUE : SDL_FALSE);
  SDL_ShowCursor(hold ? SDL_DISABLE : SDL_ENABLE);
}

void HandleWindowEvent(const SDL_WindowEvent& event) {
  switch (event.event) {
    // Mouse events still queued stay pending; PollMouse applies them once the window is back.
    case SDL_WINDOWEVENT_FOCUS_LOST: renderContext.active = false; break;
    case SDL_WINDOWEVENT_FOCUS_GAINED: renderContext.active = HasBackBuffer(); break;
    // The bars around the picture are drawn again as well.
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_EXPOSED: PresenterWindowChanged(); break;
    default: break;
  }
}

}  // namespace

void PumpEvents() {
  if (SDL_WasInit(SDL_INIT_EVENTS) == 0) return;
  const bool wasActive = renderContext.active;
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    switch (event.type) {
      case SDL_KEYDOWN:
        // Alt+Return switches between window and full screen; the game does not see the Return.
        if (event.key.keysym.scancode == SDL_SCANCODE_RETURN && (event.key.keysym.mod & KMOD_ALT) != 0) {
          if (event.key.repeat == 0) SetPresenterWindowed(!IsPresenterWindowed());
          break;
        }
        InputHandleEvent(event);
        break;
      case SDL_KEYUP:
      case SDL_MOUSEMOTION:
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP: InputHandleEvent(event); break;
      case SDL_WINDOWEVENT: HandleWindowEvent(event.window); break;
      case SDL_QUIT: renderContext.closeRequested = true; break;
      case SDL_RENDER_TARGETS_RESET:
      case SDL_RENDER_DEVICE_RESET: PresenterWindowChanged(); break;
      default: break;
    }
  }
  if (renderContext.active != wasActive) HoldMouse(renderContext.active);
}
