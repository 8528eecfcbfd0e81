// Test support: keyboard, mouse and window events put into SDL's queue as the window system would.
#include "media/input_injection.h"

#include <SDL.h>

#include "media/key_map.h"
#include "media/presenter.h"

namespace {

void Push(SDL_Event& event) {
  event.common.timestamp = SDL_GetTicks();
  SDL_PushEvent(&event);
}

void PushKey(SDL_Scancode scancode, bool down, bool repeat, Uint16 modifiers) {
  SDL_Event event{};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.repeat = repeat ? 1 : 0;
  event.key.keysym.scancode = scancode;
  event.key.keysym.sym = SDL_GetKeyFromScancode(scancode);
  event.key.keysym.mod = modifiers;
  Push(event);
}

void PushWindowEvent(Uint8 windowEvent) {
  SDL_Event event{};
  event.type = SDL_WINDOWEVENT;
  event.window.event = windowEvent;
  event.window.windowID = SDL_GetWindowID(PresenterWindow());
  Push(event);
}

}  // namespace

void InjectKey(int key, bool down) {
  const SDL_Scancode scancode = ScancodeOfKeyCode(key);
  if (scancode != SDL_SCANCODE_UNKNOWN) PushKey(scancode, down, false, KMOD_NONE);
}

void InjectKeyAt(int position, bool down, bool repeat) {
  if (position >= 0 && position < SDL_NUM_SCANCODES)
    PushKey(static_cast<SDL_Scancode>(position), down, repeat, KMOD_NONE);
}

void InjectAltReturn() {
  PushKey(SDL_SCANCODE_RETURN, true, false, KMOD_LALT);
  PushKey(SDL_SCANCODE_RETURN, false, false, KMOD_LALT);
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

void InjectFocus(bool gained) {
  PushWindowEvent(gained ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST);
}

void InjectRendererReset() {
  SDL_Event event{};
  event.type = SDL_RENDER_DEVICE_RESET;
  Push(event);
}

void InjectCloseRequest() {
  SDL_Event event{};
  event.type = SDL_QUIT;
  Push(event);
}

int KeyPositionCount() {
  return SDL_NUM_SCANCODES;
}

int KeyPositionNamed(const char* name) {
  const SDL_Scancode scancode = SDL_GetScancodeFromName(name);
  return scancode == SDL_SCANCODE_UNKNOWN ? -1 : int(scancode);
}

std::string KeyPositionName(int position) {
  if (position < 0 || position >= SDL_NUM_SCANCODES) return "";
  return SDL_GetScancodeName(static_cast<SDL_Scancode>(position));
}

int KeyPositionOfCode(int key) {
  const SDL_Scancode scancode = ScancodeOfKeyCode(key);
  return scancode == SDL_SCANCODE_UNKNOWN ? -1 : int(scancode);
}
