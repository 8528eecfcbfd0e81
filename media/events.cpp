// The one event loop of the layer: keys and mouse to the input module, the rest to the display.
#include "media/events.h"

#include "media/presenter.h"
#include "media/render_context.h"

namespace {

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
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    switch (event.type) {
      case SDL_KEYDOWN:
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
}
