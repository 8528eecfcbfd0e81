// Keyboard and mouse: the snapshots that the polls take once per frame from the pending events.
#include "platform/input.h"

#include <algorithm>

#include "media/screen_buffers.h"
#include "platform/events.h"
#include "platform/frame_pacing.h"
#include "platform/input_events.h"

namespace {

struct KeyboardState {
  bool ready = false;                         // InitKeyboard succeeded and no release since
  unsigned char keys[kKeyCount] = {};         // snapshot of the last PollKeyboard: kKeyHeld or 0
  unsigned char releaseSeen[kKeyCount] = {};  // 1: WasKeyReleased saw the key held and owes its release
};

struct MouseState {
  bool ready = false;  // InitMouse succeeded and no release since
  int x = 0;           // screen pixels
  int y = 0;
  bool buttons[kMouseButtons] = {};  // held at the last poll that applied events
};

KeyboardState keyboard;
MouseState mouse;

bool ValidKey(int key) {
  return key >= 0 && key < kKeyCount;
}

// One key's release edge; updates releaseSeen.
bool ReleaseEdge(int key) {
  if (keyboard.keys[key] & kKeyHeld) {
    keyboard.releaseSeen[key] = 1;
    return false;
  }
  if (keyboard.releaseSeen[key]) {
    keyboard.releaseSeen[key] = 0;
    return true;
  }
  return false;
}

// The position after moving by `delta`, kept on a screen `size` pixels wide (or high).
int MoveClamped(int position, long long delta, int size) {
  const long long moved = static_cast<long long>(position) + delta;
  return static_cast<int>(std::clamp<long long>(moved, 0, size - 1));
}

}  // namespace

int InitKeyboard() {
  keyboard = KeyboardState{};
  keyboard.ready = true;
  StartKeyEvents();
  return 1;
}

int PollKeyboard() {
  if (!keyboard.ready) return 0;
  WaitToReadInput();
  PumpEvents();
  TakeKeys(keyboard.keys);
  return 1;
}

bool IsKeyDown(int key) {
  if (key == Key::Any) {
    // Key 255 is not scanned.
    return std::any_of(keyboard.keys, keyboard.keys + kKeyCount - 1,
                       [](unsigned char state) { return (state & kKeyHeld) != 0; });
  }
  return ValidKey(key) && (keyboard.keys[key] & kKeyHeld) != 0;
}

bool WasKeyReleased(int key) {
  if (key == Key::Any) {
    bool released = false;
    for (int k = 0; k < kKeyCount - 1; ++k) released |= ReleaseEdge(k);
    return released;
  }
  return ValidKey(key) && ReleaseEdge(key);
}

void ReleaseKeyboard() {
  keyboard.ready = false;
  StopKeyEvents();
}

int InitMouse() {
  mouse = MouseState{};
  mouse.ready = true;
  StartMouseEvents();
  return 1;
}

int PollMouse() {
  if (!mouse.ready) return 0;
  WaitToReadInput();
  PumpEvents();
  // Without the focus the motion is dropped, so that the pointer does not jump when the focus is
  // back; the buttons stay pending until then. The window only becomes active with a display open,
  // so the screen's size is known below.
  if (!IsDisplayActive()) {
    DropMouseMotion();
    return 0;
  }
  const PixelArea screen = BackBufferArea();
  const MouseEvents events = TakeMouseEvents();
  mouse.x = MoveClamped(mouse.x, events.dx, screen.width);
  mouse.y = MoveClamped(mouse.y, events.dy, screen.height);
  std::copy(events.buttons, events.buttons + kMouseButtons, mouse.buttons);
  return 1;
}

int MousePosX() {
  return mouse.x;
}

int MousePosY() {
  return mouse.y;
}

bool IsMouseButtonDown(int button) {
  if (button < kLeftButton || button > kMiddleButton) return false;
  return mouse.buttons[button - kLeftButton];
}

void MoveMousePos(int dx, int dy) {
  if (!mouse.ready || !IsDisplayActive()) return;
  const PixelArea screen = BackBufferArea();
  mouse.x = MoveClamped(mouse.x, dx, screen.width);
  mouse.y = MoveClamped(mouse.y, dy, screen.height);
}

void SetMousePos(int x, int y) {
  mouse.x = x;
  mouse.y = y;
}

void ReleaseMouse() {
  mouse.ready = false;
  StopMouseEvents();
}
