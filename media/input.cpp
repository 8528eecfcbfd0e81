// Keyboard and mouse: live state from SDL's events, taken into per-frame snapshots by the polls.
#include "media/input.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <iterator>

#include "media/events.h"
#include "media/key_map.h"
#include "media/render_context.h"

namespace {

constexpr int kKeyCount = 256;
constexpr unsigned char kKeyHeld = 0x80;
constexpr int kButtonCount = 3;  // left, right, middle

// Keyboard.
bool keyboardReady = false;            // InitKeyboard succeeded and no release since
unsigned char liveKeys[kKeyCount];     // kKeyHeld while the key is down, from the key events
unsigned char keysPressed[kKeyCount];  // kKeyHeld: went down since the last PollKeyboard
unsigned char keyState[kKeyCount];     // snapshot of the last PollKeyboard
unsigned char releaseSeen[kKeyCount];  // 1: WasKeyReleased saw the key held and owes its release

// Mouse.
bool mouseReady = false;  // InitMouse succeeded and no release since
int pointerX = 0;         // screen pixels
int pointerY = 0;
long long pendingDx = 0;  // motion since the last poll that applied it
long long pendingDy = 0;
int liveButtons[kButtonCount];     // 1 held at the last button event received
int buttonsPressed[kButtonCount];  // 1: went down since the last poll that applied events
int buttons[kButtonCount];         // 1 held at the last poll that applied events

bool ValidKey(int key) {
  return key >= 0 && key < kKeyCount;
}

// One key's release edge; updates releaseSeen.
int ReleaseEdge(int key) {
  if (keyState[key] & kKeyHeld) {
    releaseSeen[key] = 1;
    return 0;
  }
  if (releaseSeen[key]) {
    releaseSeen[key] = 0;
    return 1;
  }
  return 0;
}

// The position after moving by `delta`, kept on a screen `size` pixels wide (or high).
int MoveClamped(int position, long long delta, int size) {
  const long long moved = static_cast<long long>(position) + delta;
  return static_cast<int>(std::clamp<long long>(moved, 0, size - 1));
}

int ButtonIndex(Uint8 sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT: return 0;
    case SDL_BUTTON_RIGHT: return 1;
    case SDL_BUTTON_MIDDLE: return 2;
    default: return -1;
  }
}

}  // namespace

void InputHandleEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      if (!keyboardReady || event.key.repeat) return;
      const int code = KeyCodeOfScancode(event.key.keysym.scancode);
      if (code == 0) return;
      liveKeys[code] = event.type == SDL_KEYDOWN ? kKeyHeld : 0;
      if (event.type == SDL_KEYDOWN) keysPressed[code] = kKeyHeld;
      return;
    }
    case SDL_MOUSEMOTION:
      if (!mouseReady) return;
      pendingDx += event.motion.xrel;
      pendingDy += event.motion.yrel;
      return;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      const int index = ButtonIndex(event.button.button);
      if (!mouseReady || index < 0) return;
      liveButtons[index] = event.type == SDL_MOUSEBUTTONDOWN ? 1 : 0;
      if (event.type == SDL_MOUSEBUTTONDOWN) buttonsPressed[index] = 1;
      return;
    }
    default: return;
  }
}

int InitKeyboard() {
  std::memset(liveKeys, 0, sizeof liveKeys);
  std::memset(keysPressed, 0, sizeof keysPressed);
  std::memset(keyState, 0, sizeof keyState);
  std::memset(releaseSeen, 0, sizeof releaseSeen);
  keyboardReady = true;
  return 1;
}

int PollKeyboard() {
  if (!keyboardReady) return 0;
  PumpEvents();
  // A key that went down since the last poll is held in this one even if it is up again (a tap
  // between two frames); the next poll then shows it up, and its release counts as any other.
  for (int k = 0; k < kKeyCount; ++k) keyState[k] = liveKeys[k] | keysPressed[k];
  std::memset(keysPressed, 0, sizeof keysPressed);
  return 1;
}

int IsKeyDown(int key) {
  if (key == Key::Any) {
    // Key 255 is not scanned.
    for (int k = 0; k < kKeyCount - 1; ++k) {
      if (keyState[k] & kKeyHeld) return 1;
    }
    return 0;
  }
  return ValidKey(key) ? keyState[key] & kKeyHeld : 0;
}

int WasKeyReleased(int key) {
  if (key == Key::Any) {
    int released = 0;
    for (int k = 0; k < kKeyCount - 1; ++k) released |= ReleaseEdge(k);
    return released;
  }
  return ValidKey(key) ? ReleaseEdge(key) : 0;
}

void ReleaseKeyboard() {
  keyboardReady = false;
  std::memset(liveKeys, 0, sizeof liveKeys);
  std::memset(keysPressed, 0, sizeof keysPressed);
}

int InitMouse() {
  pointerX = pointerY = 0;
  pendingDx = pendingDy = 0;
  std::fill(std::begin(liveButtons), std::end(liveButtons), 0);
  std::fill(std::begin(buttonsPressed), std::end(buttonsPressed), 0);
  std::fill(std::begin(buttons), std::end(buttons), 0);
  mouseReady = true;
  return 1;
}

int PollMouse() {
  if (!mouseReady) return 0;
  PumpEvents();
  // The window only becomes active with a display open, so the screen size is known here.
  if (!renderContext.active) return 0;
  pointerX = MoveClamped(pointerX, pendingDx, renderContext.screenWidth);
  pointerY = MoveClamped(pointerY, pendingDy, renderContext.screenHeight);
  pendingDx = pendingDy = 0;
  // A click between two polls counts as held in this one, like a tapped key.
  for (int b = 0; b < kButtonCount; ++b) {
    buttons[b] = liveButtons[b] | buttonsPressed[b];
    buttonsPressed[b] = 0;
  }
  return 1;
}

int MousePosX() {
  return pointerX;
}

int MousePosY() {
  return pointerY;
}

int IsMouseButtonDown(int button) {
  if (button < 1 || button > kButtonCount) return 0;
  return buttons[button - 1];
}

void SetMousePos(int x, int y) {
  pointerX = x;
  pointerY = y;
}

void ReleaseMouse() {
  mouseReady = false;
  pendingDx = pendingDy = 0;
  std::fill(std::begin(buttonsPressed), std::end(buttonsPressed), 0);
}
