// Test support: keyboard, mouse and close events put into SDL's queue as the window system would.
#include "media/input_injection.h"

#include <SDL.h>

#include "media/key_map.h"

namespace {

void Push(SDL_Event& event) {
  event.common.timestamp = SDL_GetTicks();
  SDL_PushEvent(&event);
}

}  // namespace

void InjectKey(int key, bool down) {
  const SDL_Scancode scancode = ScancodeOfKeyCode(key);
  if (scancode == SDL_SCANCODE_UNKNOWN) return;
  SDL_Event event{};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.scancode = scancode;
  event.key.keysym.sym = SDL_GetKeyFromScancode(scancode);
  Push(event);
}

void InjectMouseMotion(int dx, int dy) {
  SDL_Event event{};
  event.type = SDL_MOUSEMOTION;
  event.motion.xrel = dx;
  event.motion.yrel = dy;
  Push(event);
}

void InjectMouseButton(int button, bool down) {
  static constexpr Uint8 kSdlButtons[] = {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE};
  if (button < 1 || button > 3) return;
  SDL_Event event{};
  event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  event.button.button = kSdlButtons[button - 1];
  event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.button.clicks = 1;
  Push(event);
}

void InjectCloseRequest() {
  SDL_Event event{};
  event.type = SDL_QUIT;
  Push(event);
}
